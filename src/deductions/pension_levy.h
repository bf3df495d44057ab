#pragma once
// The civil servants' pension levy (Versorgungsaufwand): what the employing authority bears for the
// pension of a civil servant (service relationships 0 to 7). It is shown only as employer cost and
// changes nothing else.
//
// Line 27 chooses the kind and its amount (AmountSlot::SupplementaryFund, as typed) gives the value:
//   36 "Versorgungsrücklage in %" and 37 "Versorgungsaufwand in % lt. Eingabe": the percent
//      (hundredths) becomes the levy factor with three decimals (30,00 % → 0,300); every pay line
//      flagged for the levy ("Z", the supplementary-pension flag) contributes its reduced amount ×
//      factor, rounded to the cent; unflagged lines show "0,000 x " and add nothing.
//   38 "Versorgungsaufwand in Euro lt.Eing.": the typed amount replaces the computed levy.
//   39 "Umlage an die Pensionskasse in %": the base is the pay of July, 12 × (basic pay + family
//      allowance + general allowance, lines 8, 10 and 9) × part-time factor a year; the month bears
//      a twelfth of it × factor. In another month July's stored record is read; when it carries no
//      pay (July not yet calculated) the month's own lines stand in for it.
// Other positions and employees: no levy.

#include "model/globaldaten.h"

namespace varemo {

// Fills g.pension.civilServantLevy.
void CivilServantPensionLevyBase(Globaldaten& g);

// Percent in hundredths → levy factor in thousandths, rounded to the nearest (a tie to the even).
int levyFactorThousandths(int64_t percentHundredths);

// "0,300 x " as the view shows a factor.
std::string formatLevyFactor(int thousandths);

} // namespace varemo
