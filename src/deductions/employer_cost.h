#pragma once
// The employer's cost of a month ("Arbeitgeber-Sicht"): gross pay, the employer's shares of social
// insurance, the supplementary-pension outlay with its flat-rate taxes, or a civil servant's pension
// levy, taxes the employer takes over, the partial-retirement top-up, the in-kind and other payments
// that their key code marks as employer cost, the calculated costs and the levies U1 to U3, summed to
// " AG-GESAMTAUFWAND". Runs after the social-insurance step.
//
// Sources: the gross pay of line 23; g.social.worksheet (the KV share includes the employer's half
// of the additional contribution; U1, U2 and U3 together); g.pension.worksheet lines 13, 25 to 29
// for employees, g.pension.civilServantLevy for civil servants; g.tax.employerFlat; line 43 when
// its option is one of the partial-retirement top-ups (1 to 3); lines 25 and 26 (" Sachbezüge") and
// 44 to 46 (" Sonst. Geldleistungen") with their signed amounts when position 6 of their key code is
// 1; g.pension.inputs.calculatedCosts.

#include "model/globaldaten.h"

#include <string>

namespace varemo {

// Whether a key code counts its line as employer cost (position 6, the last character, is "1").
bool countsAsEmployerCost(const std::string& keyCode);

// Whether line 43 holds a partial-retirement top-up (options 1 to 3), not child benefit.
bool paysPartialRetirementTopUp(const Case& c);

// Fills g.pension.employer.
void EmployerCostStep(Globaldaten& g);

} // namespace varemo
