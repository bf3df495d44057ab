#include "tariffs/service_relationship.h"

namespace varemo {

using namespace relationship;

bool isCivilServant(int sr) {
    return sr >= kPayOrderA && sr <= kPayOrderAOwnTitle;
}

bool isFederalCivilServant(int sr, int region) {
    return isCivilServant(sr) && region == kRegionFederal;
}

bool isPayOrderA(int sr) {
    return sr == kPayOrderA || sr == kPayOrderAOwnTitle;
}

bool isEmployee(int sr) {
    return sr >= kTvlCare && sr <= kNoPay;
}

bool isTariffEmployee(int sr) {
    return sr >= kTvlCare && sr <= kEmployeeOwnTable;
}

bool usesPayTables(int sr) {
    return isCivilServant(sr) || isTariffEmployee(sr);
}

bool isWithoutPayTable(int sr) {
    return sr >= kAgreedSalary && sr <= kNoPay;
}

bool isWithoutPay(int sr) {
    return sr == kNoPay;
}

bool hasAverageSpecialPaymentBase(int sr) {
    return sr >= kTvoedBund && sr <= kEmployeeOwnTable;
}

bool paysContributions(int sr) {
    return !isCivilServant(sr) && !isWithoutPay(sr);
}

PayFamily payFamily(int sr) {
    if (isCivilServant(sr)) return PayFamily::CivilServants;
    switch (sr) {
    case kTvlCare:
    case kTvlSocial:
    case kTvl:
        return PayFamily::Tvl;
    case kTvoedBund:
        return PayFamily::TvoedBund;
    case kTvoedVka:
    case kTvoedSavingsBanks:
    case kTvoedVkaSocial:
        return PayFamily::TvoedVka;
    case kTrainees:
        return PayFamily::Trainees;
    default:
        break;
    }
    if (isTariffEmployee(sr)) return PayFamily::OtherTables;
    if (isWithoutPayTable(sr)) return PayFamily::NoTable;
    return PayFamily::None;
}

} // namespace varemo
