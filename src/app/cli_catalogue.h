#pragma once
// The catalogue of service relationships that the shipped tariff files were built from
// (data/catalogue/service-relationships.tsv), for the command "catalogue". The build generates the table
// from the readable source (tools/make_data).

#include "tariffs/tariff_sources.h"

#include <vector>

namespace varemo::cli {

const std::vector<ServiceRelationshipInfo>& shippedCatalogue();

// The readable pay tables the shipped tariff files were built from (data/catalogue, data/paytables):
// the command "tariff" tells from them where an entry comes from.
const TariffSources& shippedTariffSources();

} // namespace varemo::cli
