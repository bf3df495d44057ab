#include "tariffs/multipliers.h"

#include "base/money.h"
#include "tariffs/service_relationship.h"

namespace varemo {

std::optional<MultiplierKind> multiplierKindOf(int serviceRelationship) {
    if (isCivilServant(serviceRelationship)) return MultiplierKind::CivilServant;
    if (isEmployee(serviceRelationship)) return MultiplierKind::TariffEmployee;
    return std::nullopt;
}

bool isOutOfTariffGroup(int serviceRelationship, int group, int region) {
    using namespace relationship;
    switch (serviceRelationship) {
    case kTvoedBund:
    case kTvoedVka:
        return group == 17;
    case kTvl:
    case kTvoedSavingsBanks:
    case kTvV:
    case kTvN:
    case kAvrDiakonie:
    case kAvrCaritas:
    case kEmployeeOwnTable:
        return group == 15;
    case kTvoedVkaSocial:
        return group == 21;
    case kAok:
        return group > 17;
    case kServiceContract1:
    case kTrainees:
        return group == 10;
    case kServiceContract2:
        return group == (region == 6 ? 10 : 5);
    case kDoctors:
        return group == 20;
    case kAgreedSalary:
    case kTypedPay:
    case kNoPay:
        return true;
    default:
        return false;
    }
}

std::optional<Multiplier> applicableMultiplier(const Multipliers& multipliers, int serviceRelationship,
                                               int group, int region, int month) {
    auto kind = multiplierKindOf(serviceRelationship);
    if (!kind) return std::nullopt;
    const Multiplier& m =
        *kind == MultiplierKind::CivilServant ? multipliers.civilServant : multipliers.tariffEmployee;
    if (m.isNeutral() || month < m.startMonth) return std::nullopt;
    if (*kind == MultiplierKind::TariffEmployee && isOutOfTariffGroup(serviceRelationship, group, region))
        return std::nullopt;
    return m;
}

int32_t scaleByMultiplier(int32_t cents, const Multiplier& multiplier) {
    if (multiplier.isNeutral()) return cents;
    // The product of whole cents and a four-decimal factor is exact in ten-thousandths of a cent; it is
    // rounded once, straight to whole cents.
    return checkedCents(mulDiv(cents, multiplier.factor, Multiplier::kOne, Rounding::HalfEven));
}

bool multiplierScalesLine(MultiplierKind kind, int serviceRelationship, int line, int option,
                          int handEntryStep) {
    if (line == 8) return option != handEntryStep;
    if (kind == MultiplierKind::CivilServant) {
        if (line == 9) return option < 2;
        if (line == 10) return option < 15;
        if (line >= 13 && line <= 16) return option > 0;
        return false;
    }
    if (line == 9) return true;
    if (line == 10) {
        using namespace relationship;
        if (serviceRelationship == kAgreedSalary) return false;
        if ((serviceRelationship >= kTvoedBund && serviceRelationship <= kServiceContract2) ||
            serviceRelationship == kEmployeeOwnTable)
            return option != 0;
        return true;
    }
    return false;
}

int32_t applyTariffFactor(int32_t cents, float tariffFactor) {
    // The cent count itself serves as the fixed-point value, so the exact product is rounded once, to
    // whole cents, by the same well-tested factor multiplication the amounts use.
    return checkedCents(Money::fromUnits(cents).timesFactor(tariffFactor).units());
}

bool tariffFactorScalesLine(int line, int option, bool exempt) {
    if (exempt) return false;
    if (line == 8) return true;
    if (line == 9) return option < 2;
    if (line == 10) return option < 15;
    return false;
}

} // namespace varemo
