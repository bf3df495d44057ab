#pragma once
// Rates a case-month's contributions need but the settings do not know. A health fund's U1 or U2 rate
// whose value is unknown (law/fund_table.h: status Unknown, the free entries until the user enters them)
// while the employer owes that levy, and a supplementary pension fund of line 27 whose settings hold
// neither a levy nor a capital contribution for the case's area and month. The amounts then read 0; the
// notices name the rate, the fund and the month, and the settings where the user enters the rate, so
// that the 0 is not taken for a result. They read the worksheets of the month's run.

#include "base/prompter.h"
#include "law/fund_table.h"
#include "model/globaldaten.h"

#include <optional>
#include <vector>

namespace varemo {

inline constexpr const char* kMissingLevyRateTitle = "Zeile 33";
inline constexpr const char* kMissingPensionRateTitle = "Zeile 27";

// Whether the month's levy U1 (FundField::U1) or U2 (FundField::U2) is owed on a pay but its rate is not
// known.
bool levyRateMissing(const Globaldaten& g, FundField levy);

// The notice of the missing U1/U2 rates of the case's health fund, or nothing.
std::optional<PromptMessage> missingLevyRateNotice(const Globaldaten& g);

// Whether the case's fund of line 27 has no rate for the month although pay is subject to its levy.
bool pensionRateMissing(const Globaldaten& g);

// The notice of the fund of line 27 without rates, or nothing.
std::optional<PromptMessage> missingPensionRateNotice(const Globaldaten& g);

// Both notices, in the order of the lines they concern, and the one of a block model of line 23 whose
// agreement could not be read (deductions/partial_retirement.h).
std::vector<PromptMessage> missingRateNotices(const Globaldaten& g);

} // namespace varemo
