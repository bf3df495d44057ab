#pragma once
// The option lists of the payment lines 18 to 20, which need nothing but the case and the year.

#include "model/case.h"

#include <string>
#include <vector>

namespace varemo {

// Line 18: 0 "Urlaubsgeld", 1 "Urlaubsgeld lt. Eingabe", 2 "Urlaubsgeld Vergütungsgruppe 1-6",
// 3 "Urlaubsgeld Vergütungsgruppe 7-16", 4 to 7 "nicht belegt".
std::vector<std::string> holidayPayOptions();
// Line 19: the employees' or the civil servants' list (pay/special_payment.h).
std::vector<std::string> annualPaymentOptions(const Case& c);
// Line 20 (entry 0 is replaced by the case's own text; entry 7 is offered only in 2011).
std::vector<std::string> oneTimePaymentOptions(int year = 0);

} // namespace varemo
