#include "deductions/insurance_status.h"

#include <cstdlib>

namespace varemo {
namespace {

int monthOf(const Case& c) {
    int m = c.monthIndex();
    return m < 0 ? 0 : (m > 11 ? 11 : m);
}

int fundOf(const Case& c) {
    int f = c.key(KeySlot::HealthFund);
    return (f < 0 || f >= kHealthFunds) ? 0 : f;
}

} // namespace

InsuranceStatus insuranceStatus(const Globaldaten& g) {
    const Case& c = g.workingCase;
    InsuranceStatus s;
    s.kvKind = c.key(KeySlot::ContributionKind);
    s.pvKind = c.key(KeySlot::CareKind);
    s.rvKind = c.key(KeySlot::PensionKind);
    s.avKind = c.key(KeySlot::UnemploymentKind);
    s.childless = c.key(KeySlot::Childless) != 0;
    s.saxony = s.pvKind == 2 || s.pvKind == 3;

    const bool civil = isCivilServant(c.serviceRelationship());
    if (civil || s.kvKind == 3)
        s.pkv = 1;
    else if (s.kvKind == 1 || s.kvKind == 8 || s.kvKind == 11)
        s.pkv = 2;

    if (s.pkv != 0) {
        std::int64_t health =
            std::llabs(static_cast<long long>(c.previousAmount(AmountSlot::HealthInsurance)));
        std::int64_t care = std::llabs(static_cast<long long>(c.previousAmount(AmountSlot::CareInsurance)));
        if (s.kvKind == 8) health *= 2;
        if (s.pvKind == 6) care *= 2;
        s.pkpvCents = health + care;
    }

    if (civil || s.rvKind == 1 || s.rvKind == 2 || s.rvKind == 6 || s.rvKind == 12)
        s.krv = 2;
    else
        s.krv = isEastRegion(c.region()) ? 1 : 0;

    s.kvzHundredths = g.funds.rates(fundOf(c), monthOf(c)).additional;
    return s;
}

} // namespace varemo
