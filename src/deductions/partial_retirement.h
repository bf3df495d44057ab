#pragma once
// The partial-retirement top-up of the calculation run (line 23 "% TV-ATZ Arbeitsphase" or
// "% TV-ATZ Freizeitphase"), after the deductions: the pay lines are already reduced by their
// categories (pay/part_time.h); this step works out the side calculations of the three legal bases
// (g.retirement.result), puts the top-up into line 43 and adds the top-up and the additional pension
// contributions to the employer's cost.
//
//   Civil servants (0 to 4, 6, 7; none for candidates, 5): § 2 ATZV, the supplement up to the percentage
//     of the settings (83 %) of the fictitious full-time net, less the net of the partial-retirement pay;
//     both nets from the wage-tax flow chart of the year with the case's class, the solidarity surcharge
//     of the month (§ 3 (4), § 4 SolZG) and 8 % church tax. The pay counted (§ 2 (2) ATZV): the lines
//     whose category enters the 83 % raise, without capital-forming payments (11), overtime (16),
//     tax-free supplements (17) and the one-time payments (18 to 20).
//   Employees: § 5 TV ATZ: 20 % of the part-time gross of the marked categories, raised so that the
//     flat-rate part-time net and the top-up reach the percentage of the settings (83 %) of the
//     flat-rate full-time net; the AtG amounts (20 %, 70 %, old § 3 (1) Nr. 1 a AltTZG) beside it. The
//     minimum net is read from the minimum-net tables (Texte/MNET.txt 70 %, Texte/MNET2.txt 83 %) while
//     they are law (to 2019) and the percentage is the legal one, otherwise computed from the flat-rate
//     full-time net. Additional pension contributions: the higher of § 5 (4) TV ATZ (90 % of the
//     previous current pay less the part-time pay, up to the ceiling) and § 3 (1) Nr. 1 b AltTZG, at the
//     full rate of the year, paid by the employer alone (§ 168 (1) Nr. 6 SGB VI).
// The top-ups are tax-free (§ 3 Nr. 28 EStG, progression proviso § 32b (1) Nr. 1 g EStG) and therefore
// not pay in social insurance (§ 1 (1) Nr. 1 SvEV): line 43 is added after the deductions.
// Line 43 "ATZ-Aufstockung lt. Eingabe" keeps the typed amount.

#include "model/globaldaten.h"

namespace varemo {

// The net of a monthly gross by the flat-rate rules (model/partial_retirement_state.h); employees pay
// social insurance at the year's rates on the gross up to the ceilings.
FlatRateNet flatRateNet(const Globaldaten& g, Money gross, bool employee);

// Step 13 of the run for line 23 options 2 and 3; nothing otherwise.
void PartialRetirementTopUpStep(Globaldaten& g);

} // namespace varemo
