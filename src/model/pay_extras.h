#pragma once
// The session's state of the pay that lies beyond the tariff lookup (Globaldaten::extras): the
// reduction of the pay lines for part-time, partial months and partial retirement, the annual special
// payment and holiday pay, the one-time payments of line 20 and the key codes of the in-kind and
// deduction lines 25, 26 and 44 to 46.
//
// The types live here without the session so that the session can hold them; the procedures that
// fill them are in part_time.h, holiday_pay.h, special_payment.h, one_time_payments.h and
// line_key_codes.h.

#include "base/money.h"
#include "model/case.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace varemo {

// ---- Part-time, partial month, partial retirement -----------------------------------------------

// The amounts of one pay line in the columns of the reduction: A (full time), T (after the part-time
// factor), the partial-retirement column and B (what is paid: after the partial-month factor as well).
struct LineColumns {
    Money full;
    Money partTime;
    Money retirement;
    Money actual;
    bool partTimeReduced = false;     // the part-time factor (or the local-allowance rule) applied
    bool ownRule = false;             // computed by a rule of its own (the local allowance of line 10)
    int32_t retirementFactor = 10000; // ten-thousandths; 10000 when no partial retirement applies
    bool operator==(const LineColumns&) const = default;
};

// The local allowance of line 10 under the rule that reduces only the single person's base amount.
struct LocalAllowanceRule {
    bool applies = false;
    Money fullTime;    // "Ortszuschlag bei Vollzeit "
    Money singleBase;  // "- Grundbetrag für Ledige"
    Money reducedBase; // base × factor, rounded to the cent
    Money result;      // "= Ortszuschlag bei " factor "  Teilzeit"
    bool operator==(const LocalAllowanceRule&) const = default;
};

struct PayColumns {
    std::array<LineColumns, kGrossLines> lines{};
    float partTimeFactor = 1.0f;
    int64_t monthPaid = 1; // the partial-month fraction paid / whole (1/1 for a whole month)
    int64_t monthWhole = 1;
    bool partialRetirement = false;
    LocalAllowanceRule localAllowance;

    LineColumns& line(int n) { return lines.at(static_cast<size_t>(n - kFirstGrossLine)); }
    const LineColumns& line(int n) const { return lines.at(static_cast<size_t>(n - kFirstGrossLine)); }
    bool operator==(const PayColumns&) const = default;
};

// ---- Annual special payment ------------------------------------------------------------------

inline constexpr int kAgreementEntries = 20;
inline constexpr int kAnnualPaymentGroups = 50;
inline constexpr int kAnnualPaymentYears = 5; // 2017 to 2021

// What the special-payment step made of the case's service relationship and group.
struct SpecialPaymentCategory {
    enum class Kind { None, Agreement, CivilServant };
    Kind kind = Kind::None;
    int agreement = -1;       // entry of the percentage table (Agreement)
    int group = -1;           // position of the percentage table's group list, -1 for none
    bool averageBase = false; // base: average of the marked months (service relationships 10 to 24)
    bool operator==(const SpecialPaymentCategory&) const = default;
};

// Percentages in hundredths of a percent per agreement entry, year, area and group.
class AnnualPaymentTable {
  public:
    AnnualPaymentTable(); // every percentage 0; the shipped values are pay/special_payment_tables.h's

    int32_t percent(int agreement, int year, bool east, int group) const;
    void setPercent(int agreement, int year, bool east, int group, int32_t hundredths);

    bool operator==(const AnnualPaymentTable& other) const {
        return values_ == other.values_ || *values_ == *other.values_;
    }

  private:
    static size_t index(int agreement, int year, bool east, int group);
    // Copies share the 10,000 values until one of them is changed: the pay state that holds the table is
    // saved and restored around every earlier month a step looks back at.
    std::shared_ptr<std::vector<int32_t>> values_;
};

// The user's values of the civil servants' special-payment rules of one year (pay/civil_servant_rules.h):
// per Land (region 0 to 16) the month of the annual payment and, for its rules in the order of the shipped
// table, the amount and the percentage. The month is 0 for a Land without an annual payment.
inline constexpr int kCivilRuleRegions = 17;
inline constexpr int kCivilRulesPerRegion = 5;
struct CivilRuleValues {
    int32_t cents = 0;
    int32_t percentMilli = 0; // thousandths of a percent
    bool operator==(const CivilRuleValues&) const = default;
};
struct CivilLandRules {
    int month = 0;
    std::array<CivilRuleValues, kCivilRulesPerRegion> rules{};
    bool operator==(const CivilLandRules&) const = default;
};
using CivilRuleTable = std::array<CivilLandRules, kCivilRuleRegions>;

// ---- Key codes of lines 25, 26, 44 to 46 --------------------------------------------------------

inline constexpr int kKeyCodeRules = 16;
inline constexpr int kInKindRules = 8; // rules 0 to 7: in-kind list entries 0 to 7; 8 to 15: deductions

// The general rules: the entry names and default key codes of the first entries of the in-kind list
// and of the deduction and payment list.
struct KeyCodeRule {
    std::string name;
    std::string code;
    bool operator==(const KeyCodeRule&) const = default;
};
using KeyCodeRules = std::array<KeyCodeRule, kKeyCodeRules>;

// What the key codes of the month hand to the deduction steps, besides the fields the tax and pension
// steps already read (g.tax.inputs, g.pension.inputs). Amounts are positive.
struct KeyCodeEffects {
    Money svRegularRaise;           // raises the current pay subject to social insurance
    Money svRegularLower;           // lowers it
    Money svOneTimeRaise;           // raises the one-time pay subject to social insurance
    Money svOneTimeLower;           // lowers it
    Money pensionContributionRaise; // raises the pay subject to the supplementary pension contribution
    Money pensionContributionLower; // lowers it
    Money employerCost;             // amounts whose code counts them as employer cost (position 6)
    bool operator==(const KeyCodeEffects&) const = default;
};

// ---- The whole state -------------------------------------------------------------------------

struct PayExtrasState {
    // Program-wide switches.
    bool holidayPaySwitch = false;            // pays 255,65 in July to every service relationship but 8 and 9
    bool keepSpecialPaymentsOwnTable = false; // service relationship 6 in region 1 keeps lines 18 and 19

    // The "Jahressonderzahlung" panel and the user folder it was read from.
    AnnualPaymentTable annualPercentages; // the special-payment step fills it before its first use
    std::filesystem::path annualPercentagesFolder;
    bool annualPercentagesLoaded = false;

    // User entries behind the kinds without a published amount: "Landesanteil Besoldung" (a base
    // amount and an amount per child, cents a year) and the child supplement of civil servants in a
    // Land whose table has none.
    int32_t landShareBase = 0;
    int32_t landSharePerChild = 0;

    // The civil servants' special-payment rules of the year civilRulesYear as the user keeps them; for any
    // other year (0: none read) the shipped rules apply.
    CivilRuleTable civilRules{};
    int civilRulesYear = 0;

    // The general key-code rules of the year ("varemo20.vee") and the year they were read for.
    KeyCodeRules keyCodeRules{};
    int keyCodeRulesYear = 0;

    // Results of the last run.
    SpecialPaymentCategory category;
    PayColumns columns;
    KeyCodeEffects keyCodes;
};

} // namespace varemo
