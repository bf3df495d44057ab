#include "model/fixed_options.h"

namespace varemo {
namespace {
constexpr const char* kUnused = "nicht belegt";
} // namespace

std::vector<std::string> holidayPayOptions() {
    return {"Urlaubsgeld",
            "Urlaubsgeld lt. Eingabe",
            "Urlaubsgeld Vergütungsgruppe 1-6",
            "Urlaubsgeld Vergütungsgruppe 7-16",
            kUnused,
            kUnused,
            kUnused,
            kUnused};
}

std::vector<std::string> annualPaymentOptions(const Case& c) {
    if (isCivilServant(c.serviceRelationship()))
        return {"Jährliche Sonderzahlung",           "Sonderzahlung lt. Eingabe",
                "Sonderzahlung in Besold. integr.",  "Landesanteil Besoldung (0 Kinder)",
                "Landesanteil Besoldung (1 Kind)",   "Landesanteil Besoldung (2 Kinder)",
                "Landesanteil Besoldung (3 Kinder)", kUnused,
                "Landesanteil Besoldung lt. Eingabe"};
    return {"Jahressonderzahlung",
            "Jahressonderzahlung lt. Eingabe",
            kUnused,
            kUnused,
            kUnused,
            kUnused,
            kUnused,
            kUnused,
            kUnused};
}

std::vector<std::string> oneTimePaymentOptions(int year) {
    return {"Sonstiger Bezug lt. Eingabe",
            "Leistungsprämie",
            "Entschädigung § 24 Abs. 1 EStG",
            "Tarifliche Einmalzahlung",
            "Einmalzahlung lt. Eingabe",
            "40 Euro Einmalzahlung im April",
            "Einmalzahlung",
            year == 2011 ? "Einmalzahlung 2011" : kUnused,
            kUnused,
            kUnused};
}

} // namespace varemo
