#pragma once
// Health-fund rates of a year: 36 funds (list positions 0 to 35) × 12 months, and the year's
// Insolvenzgeld levy rate. Rates count hundredths of a percent (1460 = 14,60 %), the Insolvenzgeld
// rate thousandths of a percent (120 = 0,12 %).
//
// The default table of a year is the shipped fund list (data/health-funds/funds.tsv, turned into
// shippedFundRows() by the build): real funds at positions 0 to 18, each row valid from its month to
// December unless a later row of the fund follows, so that mid-year changes appear from their month.
// Positions 19 to 35 are free for the user; they start with the legal general and reduced rates, the
// year's average additional rate and no levies (U1 and U2 unknown until entered). Position 33 carries the
// rates used when the case's KV line is set to an entered rate. Position 18 is the Minijob-Zentrale, whose
// levies apply to mini-jobs.
//
// Entry bounds of the fund list (values outside are corrected with the "Korrektor" message):
//   general and reduced rate  10,00 % to 16,05 % (the range of the rate positions of line 37)
//   additional rate            0,00 % to  5,00 %
//   U1 rate                    0,00 % to 10,00 %
//   U2 rate                    0,00 % to  3,00 %
//   Insolvenzgeld rate         0,000 % to 1,000 %

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varemo {

class Prompter;

inline constexpr int kHealthFunds = 36;

// The fund a case's key names; a key outside the list counts as the first fund.
inline int healthFundOfKey(int key) {
    return key >= 0 && key < kHealthFunds ? key : 0;
}
inline constexpr int kFirstFreeFund = 19;
inline constexpr int kEnteredRateFund = 33;
inline constexpr int kMiniJobFund = 18;

struct FundRates {
    int32_t general = 0;    // allgemeiner Beitragssatz
    int32_t reduced = 0;    // ermäßigter Beitragssatz
    int32_t additional = 0; // Zusatzbeitrag
    int32_t u1 = 0;         // sickness levy
    int32_t u2 = 0;         // maternity levy
    bool operator==(const FundRates&) const = default;
};

enum class FundField { General, Reduced, Additional, U1, U2 };
// The rate a field names.
int32_t& fundRate(FundRates& r, FundField f);
int32_t fundRate(const FundRates& r, FundField f);

// How far a shipped value is backed by a published source.
enum class FundValueStatus : uint8_t {
    Verified,      // found in a published source
    Inferred,      // follows from neighbouring years and an "unchanged" statement
    Average,       // no published value found: the year's average additional rate
    Unknown,       // levy not found: 0,00 until the user enters the fund's rate
    NotApplicable, // the value does not apply to this body
    User,          // a free entry or a value the user changed
};
const char*
fundValueStatusName(FundValueStatus s); // "verified", "inferred", "average", "unknown", "n/a", "user"

struct FundStatus {
    FundValueStatus additional = FundValueStatus::User;
    FundValueStatus u1 = FundValueStatus::User;
    FundValueStatus u2 = FundValueStatus::User;
    bool operator==(const FundStatus&) const = default;
};

// Whether a levy rate of the fund list is a rate: an unknown one reads 0 but is none.
inline bool levyRateKnown(FundValueStatus s) {
    return s != FundValueStatus::Unknown;
}

// One row of the shipped fund list.
struct ShippedFundRow {
    int year;
    int position;
    int fromMonth; // 1 = January
    const char* name;
    FundRates rates;
    FundStatus status;
};
const std::vector<ShippedFundRow>& shippedFundRows();

struct FundBounds {
    int32_t low, high;
};
FundBounds fundFieldBounds(FundField f);
inline constexpr FundBounds kInsolvencyRateBounds{0, 1000};

class FundTable {
  public:
    // The default table of a year. Years without shipped rows (outside 2017 to 2021) get free entries
    // only, with the nearest known year's average additional rate.
    static FundTable defaultsFor(int year);

    int year() const { return year_; }
    const FundRates& rates(int fund, int monthIndex) const;
    FundRates& rates(int fund, int monthIndex);
    const FundStatus& status(int fund, int monthIndex) const;
    const std::string& name(int fund) const;
    void setName(int fund, std::string name);

    int32_t insolvencyRate() const { return insolvencyRate_; }

    // An entry of the fund list: a value outside the bounds of its field is corrected to the nearest
    // bound, the message "Korrektor" is shown, and the corrected value is stored. The value applies to
    // the month and, with followingMonths, to the rest of the year. Returns the value stored.
    int32_t enter(Prompter& prompter, int fund, int monthIndex, FundField field, int32_t value,
                  bool followingMonths = true);
    int32_t enterInsolvencyRate(Prompter& prompter, int32_t value);

    bool operator==(const FundTable&) const = default;

  private:
    int year_ = 0;
    std::array<std::array<FundRates, 12>, kHealthFunds> table_{};
    std::array<std::array<FundStatus, 12>, kHealthFunds> status_{};
    std::array<std::string, kHealthFunds> names_{};
    int32_t insolvencyRate_ = 0;
};

// The "Korrektor" message of the fund list.
void showCorrectorMessage(Prompter& prompter);

// The rate position of line 37 (key slot 37) for the recalculation of all cases: positions 0 to 121
// are the rates from 10,00 % upward in steps of 0,05 %, 122 to 129 the special kinds.
// For funds below 33 and fund 34 the fund's rate of the month (general for KV kinds below 10 and for
// kind 12, reduced for kinds 10 and 11) gives (rate − 1000) / 5 rounded to the nearest position;
// funds 33 and 35 keep currentPosition. Then the KV kinds 1 to 9 take their fixed positions: kind 1
// one position above the position found (for funds 33 and 35 the held position is kept as it is, so
// that repeated recalculations do not move it), 2 → 128, 3 → 123, 4 → 122, 5 → 126, 6 → 127,
// 7 → 124, 8 → 125, 9 → 129.
int healthRatePosition(const FundTable& funds, int fund, int kvKind, int monthIndex, int currentPosition);

// The fixed rate position of the KV kinds 2 to 9 (see above); -1 for every other kind.
int fixedHealthRatePosition(int kvKind);

// The rate in hundredths of a percent that a rate position 0 to 121 stands for.
inline int32_t rateOfPosition(int position) {
    return 1000 + 5 * position;
}

} // namespace varemo
