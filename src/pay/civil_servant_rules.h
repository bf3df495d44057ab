#pragma once
// The civil servants' special-payment rules of a year per Land: the rows of the shipped table
// (special_payment_data.h) with the values a user may change in the panel "Sonderzahlung der Beamten im
// Jahr " (the month of the annual payment, the amounts and percentages), kept in "beasoza.vee"
// (persistence/year_settings.h). The structure of the rules (kind, band of groups) stays the shipped one.

#include "model/globaldaten.h"
#include "pay/special_payment_data.h"

#include <string>
#include <vector>

namespace varemo {

// What the user may change of a rule; rules the run does not apply (holiday pay, integrated or abolished
// payments, Bayern's family-allowance part) have no value of their own.
enum class CivilRuleField { None, Amount, Percent };
CivilRuleField civilRuleField(const CivilServantPaymentRow& row);

// The shipped rows of a region and year, in the order of the table (a rule's position).
std::vector<CivilServantPaymentRow> shippedCivilRows(int region, int year);

// The values of the shipped rules of a year.
CivilRuleTable shippedCivilRules(int year);

// The rows of a region and year with the values of `values` (the month replaces that of the annual rows
// and of the child supplements paid with them).
std::vector<CivilServantPaymentRow> civilRowsWith(const CivilLandRules& values, int region, int year);

// The rows the run applies for a region in g.year: the user's values when they are held for that year.
std::vector<CivilServantPaymentRow> civilServantRules(const Globaldaten& g, int region);

// The name of a region in the table ("Bund", "Bayern", …).
std::string civilEmployerName(int region);
// The rule as the panel names it: "jährliche Sonderzahlung A12 und höher", "Kinderzuschlag je Kind".
std::string civilRuleLabel(const CivilServantPaymentRow& row);

} // namespace varemo
