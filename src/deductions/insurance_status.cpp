#include "deductions/insurance_status.h"

#include "tariffs/service_relationship.h"

#include <cstdlib>

namespace varemo {
namespace {

int monthOf(const Case& c) {
    int m = c.monthIndex();
    return m < 0 ? 0 : (m > 11 ? 11 : m);
}

// The kinds whose line result is the typed amount itself, so that the line's slot still holds it.
bool resultIsTyped(const Case& c, AmountSlot line) {
    if (line == AmountSlot::HealthInsurance) {
        const int kind = c.key(KeySlot::ContributionKind);
        return kind == 7 || kind == 8 || kind == 9;
    }
    const int kind = c.key(KeySlot::CareKind);
    return kind == 5 || kind == 6 || kind == 8;
}

} // namespace

Money typedPremium(const Case& c, AmountSlot line) {
    const AmountSlot kept = line == AmountSlot::HealthInsurance ? AmountSlot::PrivateHealthPremium
                                                                : AmountSlot::PrivateCarePremium;
    int32_t cents = c.previousAmount(kept);
    if (cents == 0 && resultIsTyped(c, line)) cents = c.previousAmount(line);
    return Money::fromCents(std::llabs(static_cast<long long>(cents)));
}

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
        std::int64_t health = typedPremium(c, AmountSlot::HealthInsurance).toCents();
        std::int64_t care = typedPremium(c, AmountSlot::CareInsurance).toCents();
        if (s.kvKind == 8) health *= 2;
        if (s.pvKind == 6) care *= 2;
        s.pkpvCents = health + care;
    }

    if (civil || s.rvKind == 1 || s.rvKind == 2 || s.rvKind == 6 || s.rvKind == 12)
        s.krv = 2;
    else
        s.krv = isEastRegion(c.region()) ? 1 : 0;

    s.kvzHundredths = g.funds.rates(healthFundOfKey(c.key(KeySlot::HealthFund)), monthOf(c)).additional;
    return s;
}

std::string wageTaxTable(const Globaldaten& g) {
    if (isWithoutPay(g.workingCase.serviceRelationship())) return {};
    return insuranceStatus(g).krv == 2 ? "Tabelle B" : "Tabelle A";
}

void setInsuranceInputs(const InsuranceStatus& s, LohnstrInput& in) {
    in.KRV = s.krv;
    in.KVZ = Decimal::fromScaled(s.kvzHundredths, 2);
    in.PKV = s.pkv;
    in.PKPV = s.pkpvCents;
    in.PVS = s.saxony ? 1 : 0;
    in.PVZ = s.childless ? 1 : 0;
}

} // namespace varemo
