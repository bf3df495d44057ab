#include "model/pay_extras.h"

#include "model/data_set.h"

#include <stdexcept>

namespace varemo {

AnnualPaymentTable::AnnualPaymentTable()
    : values_(std::make_shared<std::vector<int32_t>>(
          static_cast<size_t>(kAgreementEntries) * kAnnualPaymentYears * 2 * kAnnualPaymentGroups, 0)) {}

size_t AnnualPaymentTable::index(int agreement, int year, bool east, int group) {
    if (agreement < 0 || agreement >= kAgreementEntries || year < kFirstYear ||
        year >= kFirstYear + kAnnualPaymentYears || group < 0 || group >= kAnnualPaymentGroups)
        throw std::out_of_range("annual payment table");
    return ((static_cast<size_t>(agreement) * kAnnualPaymentYears + static_cast<size_t>(year - kFirstYear)) *
                2 +
            (east ? 1 : 0)) *
               kAnnualPaymentGroups +
           static_cast<size_t>(group);
}

int32_t AnnualPaymentTable::percent(int agreement, int year, bool east, int group) const {
    if (agreement < 0 || agreement >= kAgreementEntries || year < kFirstYear ||
        year >= kFirstYear + kAnnualPaymentYears || group < 0 || group >= kAnnualPaymentGroups)
        return 0;
    return (*values_)[index(agreement, year, east, group)];
}

void AnnualPaymentTable::setPercent(int agreement, int year, bool east, int group, int32_t hundredths) {
    const size_t at = index(agreement, year, east, group);
    if (values_.use_count() > 1) values_ = std::make_shared<std::vector<int32_t>>(*values_);
    (*values_)[at] = hundredths;
}

} // namespace varemo
