#pragma once
// The view "Jahressonderzahlung" / "Jährliche Sonderzuwendung" of the working case: the months of the
// computation of the annual special payment (pay/special_payment.h), its summary and footnotes, as text.

#include "pay/special_payment.h"

#include <string>
#include <utility>
#include <vector>

namespace varemo {

// The view "Jahressonderzahlung" (" für " name), as text rows.
struct SpecialPaymentView {
    std::string title;
    std::vector<std::string> header; // "", "Vollzeit", "Teilzeit", "A T Z", "Tatsächlich"
    std::vector<std::pair<std::string, SpecialPaymentMonth>> rows; // "Januar" … "Dezember"
    std::vector<std::pair<std::string, std::string>> summary;      // label, value text
    std::vector<std::string> footnotes;
};
// Computes the payment of the working case as the step does (reading the case's other months).
SpecialPaymentView specialPaymentView(Globaldaten& g);

} // namespace varemo
