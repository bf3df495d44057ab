#include "law/fund_table.h"

#include "base/prompter.h"
#include "law/sv_defaults.h"

#include <algorithm>
#include <stdexcept>

namespace varemo {
namespace {

constexpr int32_t kLegalGeneral = 1460;
constexpr int32_t kLegalReduced = 1400;

// Average additional rate of the year in hundredths of a percent; years outside the defaults take the
// nearest year that has them.
int32_t averageAdditional(int year) {
    int known = std::clamp(year, 2017, 2021);
    return static_cast<int32_t>(SvDefaults::forYear(known)->averageAdditional.value / 100);
}

std::string freeName(int fund) {
    if (fund == kEnteredRateFund) return "Beitragssatz lt. Eingabe";
    return "Krankenkasse Pos. " + std::to_string(fund);
}

} // namespace

int32_t fundRate(const FundRates& r, FundField f) {
    return fundRate(const_cast<FundRates&>(r), f);
}

int32_t& fundRate(FundRates& r, FundField f) {
    switch (f) {
    case FundField::General:
        return r.general;
    case FundField::Reduced:
        return r.reduced;
    case FundField::Additional:
        return r.additional;
    case FundField::U1:
        return r.u1;
    case FundField::U2:
        return r.u2;
    }
    throw std::invalid_argument("fund field");
}

namespace {

int32_t correct(Prompter& prompter, int32_t value, FundBounds b) {
    int32_t corrected = std::clamp(value, b.low, b.high);
    if (corrected != value) showCorrectorMessage(prompter);
    return corrected;
}

} // namespace

const char* fundValueStatusName(FundValueStatus s) {
    switch (s) {
    case FundValueStatus::Verified:
        return "verified";
    case FundValueStatus::Inferred:
        return "inferred";
    case FundValueStatus::Average:
        return "average";
    case FundValueStatus::Unknown:
        return "unknown";
    case FundValueStatus::NotApplicable:
        return "n/a";
    case FundValueStatus::User:
        return "user";
    }
    return "?";
}

FundBounds fundFieldBounds(FundField f) {
    switch (f) {
    case FundField::General:
    case FundField::Reduced:
        return {1000, 1605};
    case FundField::Additional:
        return {0, 500};
    case FundField::U1:
        return {0, 1000};
    case FundField::U2:
        return {0, 300};
    }
    throw std::invalid_argument("fund field");
}

void showCorrectorMessage(Prompter& prompter) {
    prompter.tell("Korrektor", {"Ihre Eingabe lag außerhalb des Bereichs und mußte korrigiert werden."},
                  PromptIcon::Warning);
}

FundTable FundTable::defaultsFor(int year) {
    FundTable t;
    t.year_ = year;
    t.insolvencyRate_ = insolvencyLevyRate(year).value_or(0);
    const FundRates free{kLegalGeneral, kLegalReduced, averageAdditional(year), 0, 0};
    for (int f = 0; f < kHealthFunds; ++f) {
        t.table_[static_cast<size_t>(f)].fill(free);
        // A free entry has no levy rates until the user enters them: its 0 is no rate.
        t.status_[static_cast<size_t>(f)].fill(
            FundStatus{FundValueStatus::User, FundValueStatus::Unknown, FundValueStatus::Unknown});
        t.names_[static_cast<size_t>(f)] = freeName(f);
    }
    // Rows ascend by month within a fund, so a later row overwrites the months from its own on.
    for (const ShippedFundRow& row : shippedFundRows()) {
        if (row.year != year) continue;
        auto f = static_cast<size_t>(row.position);
        t.names_[f] = row.name;
        for (int m = row.fromMonth - 1; m < 12; ++m) {
            t.table_[f][static_cast<size_t>(m)] = row.rates;
            t.status_[f][static_cast<size_t>(m)] = row.status;
        }
    }
    return t;
}

const FundRates& FundTable::rates(int fund, int monthIndex) const {
    return table_.at(static_cast<size_t>(fund)).at(static_cast<size_t>(monthIndex));
}

FundRates& FundTable::rates(int fund, int monthIndex) {
    return table_.at(static_cast<size_t>(fund)).at(static_cast<size_t>(monthIndex));
}

const FundStatus& FundTable::status(int fund, int monthIndex) const {
    return status_.at(static_cast<size_t>(fund)).at(static_cast<size_t>(monthIndex));
}

const std::string& FundTable::name(int fund) const {
    return names_.at(static_cast<size_t>(fund));
}

void FundTable::setName(int fund, std::string name) {
    names_.at(static_cast<size_t>(fund)) = std::move(name);
}

int32_t FundTable::enter(Prompter& prompter, int fund, int monthIndex, FundField f, int32_t value,
                         bool followingMonths) {
    int32_t stored = correct(prompter, value, fundFieldBounds(f));
    int last = followingMonths ? 11 : monthIndex;
    for (int m = monthIndex; m <= last; ++m) {
        fundRate(rates(fund, m), f) = stored;
        FundStatus& s = status_.at(static_cast<size_t>(fund)).at(static_cast<size_t>(m));
        if (f == FundField::Additional) s.additional = FundValueStatus::User;
        if (f == FundField::U1) s.u1 = FundValueStatus::User;
        if (f == FundField::U2) s.u2 = FundValueStatus::User;
    }
    return stored;
}

int32_t FundTable::enterInsolvencyRate(Prompter& prompter, int32_t value) {
    insolvencyRate_ = correct(prompter, value, kInsolvencyRateBounds);
    return insolvencyRate_;
}

int healthRatePosition(const FundTable& funds, int fund, int kvKind, int monthIndex, int currentPosition) {
    const bool keeps = fund == 33 || fund == 35 || fund < 0 || fund >= kHealthFunds;
    int position = currentPosition;
    if (!keeps) {
        const FundRates& r = funds.rates(fund, std::clamp(monthIndex, 0, 11));
        int32_t rate = (kvKind == 10 || kvKind == 11) ? r.reduced : r.general;
        // (rate − 1000) / 5 to the nearest whole position, a half away from zero.
        position = static_cast<int>(mulDiv(int64_t{rate} - 1000, 1, 5, Rounding::HalfUp));
        position = std::clamp(position, 0, 121);
    }
    if (kvKind == 1) return keeps ? currentPosition : std::min(position + 1, 121);
    const int fixed = fixedHealthRatePosition(kvKind);
    return fixed >= 0 ? fixed : position;
}

int fixedHealthRatePosition(int kvKind) {
    switch (kvKind) {
    case 2:
        return 128;
    case 3:
        return 123;
    case 4:
        return 122;
    case 5:
        return 126;
    case 6:
        return 127;
    case 7:
        return 124;
    case 8:
        return 125;
    case 9:
        return 129;
    default:
        return -1;
    }
}

} // namespace varemo
