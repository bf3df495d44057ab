#include "deductions/fund_table.h"

#include <stdexcept>

namespace varemo {
namespace {

// Average additional contribution rate announced for each year (hundredths of a percent).
int32_t averageAdditionalRate(int year) {
    switch (year) {
    case 2017: return 110;
    case 2018: return 100;
    case 2019: return 90;
    case 2020: return 110;
    case 2021: return 130;
    default: throw std::out_of_range("no health-fund rates for " + std::to_string(year));
    }
}

} // namespace

FundTable FundTable::defaultsFor(int year) {
    FundTable t;
    FundRates r{1460, 1400, averageAdditionalRate(year), 0, 0};
    for (auto& fund : t.table_) fund.fill(r);
    return t;
}

const FundRates& FundTable::rates(int fund, int monthIndex) const {
    return table_.at(static_cast<size_t>(fund)).at(static_cast<size_t>(monthIndex));
}

FundRates& FundTable::rates(int fund, int monthIndex) {
    return table_.at(static_cast<size_t>(fund)).at(static_cast<size_t>(monthIndex));
}

} // namespace varemo
