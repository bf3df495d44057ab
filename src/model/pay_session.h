#pragma once
// The pay-table part of the session: the option texts of the current year, the multipliers, the row of
// the last lookup and the switches the basic-pay and allowance rules read. (The tariff files of the
// year are Globaldaten::tariffs.)

#include "model/option_texts.h"
#include "model/year_tables.h"
#include "tariffs/multipliers.h"
#include "tariffs/tariff_file.h"

#include <cstdint>

namespace varemo {

struct PaySession {
    OptionTextFile texts;    // "Texte/MyText" + yy + ".txt" of the current year
    Multipliers multipliers; // from the settings; neutral by default

    TariffRow row{};        // the row of the last lookup (after the row adjustment)
    int32_t lastRecord = 0; // its record number; service relationships 28 to 38 read it again

    bool familyAllowanceComputed = true; // off: line 10 keeps the typed amount for every option
    bool traineeName = false;            // line 4 position 20 reads "TVAöd/TV-L/AOK Auszubildende(r)"
    // Weekly hours, levy percentages, … of the year; before its settings are read 38,5 hours and no levy.
    YearTableValues tables = YearTableValues::shipped(0);
    int tablesYear = 0;
};

} // namespace varemo
