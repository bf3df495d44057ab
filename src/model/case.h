#pragma once
// The working case-month: what drives the calculation of one month of one personnel case, and its results.
//
// Option keys and amounts share one slot numbering (see sheet.h for the slot of every line):
//   - keys: 56 signed 16-bit list positions, slot 2 region, 4 service relationship, 5 pay group,
//     6 title, 20 month (0 = January);
//   - amounts: 66 signed 32-bit cents; slots 0 to 3 hold working time in 1/100000 (regular and agreed
//     weekly hours, days of the month, days with pay), percentages count hundredths of a percent;
//   - previous: the amounts as the user entered them; every run starts again from these.

#include "base/money.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varemo {

inline constexpr int kKeySlots = 56;
inline constexpr int kAmountSlots = 66;
inline constexpr int kFirstGrossLine = 8;
inline constexpr int kLastGrossLine = 20;
inline constexpr int kGrossLines = kLastGrossLine - kFirstGrossLine + 1; // 13

// The seven per-line flags of the gross-pay lines 8 to 20.
enum class LineFlag : int {
    WageTax = 0,             // subject to wage tax ("L")
    SocialInsurance = 1,     // subject to social insurance ("S")
    SupplementaryPension = 2,// subject to the supplementary pension levy ("Z")
    AnnualPayment = 3,       // counted for the annual special payment ("W")
    PartTime = 4,            // reduced by part-time ("T")
    PartialMonth = 5,        // reduced for a partial month
    PerformancePay = 6,      // counted as performance pay ("L"/"N")
};
inline constexpr int kLineFlagCount = 7;

// A 16-bit flag as stored: true is all bits set.
inline constexpr int16_t kFlagTrue = -1;

struct GrossLineAttributes {
    // Filled by the calculation run (cleared at its start): the line's monthly amount and the
    // amount after part-time and partial-month reduction.
    Money amount;
    Money reducedAmount;
    std::array<int16_t, kLineFlagCount> flags{};
    // Category for the partial-retirement calculation: '-', 'A'..'F', 'a'..'g' or 'x'.
    char partialRetirementCategory = '-';

    bool flag(LineFlag f) const { return flags[static_cast<int>(f)] != 0; }
    void setFlag(LineFlag f, bool on) { flags[static_cast<int>(f)] = on ? kFlagTrue : 0; }
    bool operator==(const GrossLineAttributes&) const = default;
};

// The thirteen user texts of a case: the renamable first entries of the option lists.
enum class CaseText : int {
    Office = 0,       // line 3
    Title = 1,        // line 5
    Allowance1 = 2,   // line 13
    Allowance2 = 3,   // line 14
    Allowance3 = 4,   // line 15
    Payment = 5,      // line 20
    InKind1 = 6,      // line 25
    InKind2 = 7,      // line 26
    Deduction1 = 8,   // line 44
    Deduction2 = 9,   // line 45
    Deduction3 = 10,  // line 46
    Reserve1 = 11,
    Reserve2 = 12,
};
inline constexpr int kCaseTexts = 13;
inline constexpr int kCaseTextLength = 35;
inline constexpr int kKeyCodes = 5;       // key fields of lines 25, 26, 44, 45, 46
inline constexpr int kKeyCodeLength = 6;
inline constexpr int kDateLength = 10;

struct Case {
    std::array<int16_t, kKeySlots> keys{};
    std::array<int32_t, kAmountSlots> amounts{};
    std::array<int32_t, kAmountSlots> previous{};
    std::array<GrossLineAttributes, kGrossLines> lines{};
    std::array<std::string, kCaseTexts> texts{};
    std::array<std::string, kKeyCodes> keyCodes{};
    std::string dateText; // line 6, "TT.MM.JJJJ"; an underscore marks it as not entered
    std::string name;     // kept in the year record
    // The month record as last read from its file: fields the program does not interpret are
    // written back unchanged.
    std::vector<uint8_t> storedRecord;

    int16_t key(int slot) const { return keys.at(static_cast<size_t>(slot)); }
    void setKey(int slot, int16_t value) { keys.at(static_cast<size_t>(slot)) = value; }
    int32_t amount(int slot) const { return amounts.at(static_cast<size_t>(slot)); }
    void setAmount(int slot, int32_t cents) { amounts.at(static_cast<size_t>(slot)) = cents; }
    int32_t previousAmount(int slot) const { return previous.at(static_cast<size_t>(slot)); }
    // Stores a typed amount: into the amounts and the previous amounts alike.
    void enterAmount(int slot, int32_t cents) {
        setAmount(slot, cents);
        previous.at(static_cast<size_t>(slot)) = cents;
    }
    const std::string& text(CaseText t) const { return texts[static_cast<size_t>(t)]; }
    void setText(CaseText t, std::string value) { texts[static_cast<size_t>(t)] = std::move(value); }

    GrossLineAttributes& grossLine(int line) { return lines.at(static_cast<size_t>(line - kFirstGrossLine)); }
    const GrossLineAttributes& grossLine(int line) const {
        return lines.at(static_cast<size_t>(line - kFirstGrossLine));
    }

    int region() const { return key(2); }
    int serviceRelationship() const { return key(4); }
    int payGroup() const { return key(5); }
    int monthIndex() const { return key(20); } // 0 = January, 12 = year salary

    bool operator==(const Case&) const = default;
};

// Named slots that more than one place reads.
namespace slot {
inline constexpr int RegularHours = 0;   // amount, 1/100000 hours
inline constexpr int AgreedHours = 1;    // amount, 1/100000 hours
inline constexpr int MonthDays = 2;      // amount, 1/100000 days
inline constexpr int PaidDays = 3;       // amount, 1/100000 days
inline constexpr int Region = 2;
inline constexpr int ServiceRelationship = 4;
inline constexpr int PayGroup = 5;
inline constexpr int Month = 20;
inline constexpr int FullTimeGross = 20;   // amount of line 21
inline constexpr int PartTimeGross = 21;   // amount of line 22
inline constexpr int Gross = 22;           // amount of line 23
inline constexpr int PartTimeSetting = 21; // key of line 22
inline constexpr int PartialMonth = 22;    // key of line 23
inline constexpr int SupplementaryFund = 25; // key of line 27
inline constexpr int ChildBenefit = 26;    // amount (and key) of line 43
inline constexpr int OldAgeRelief = 31;    // key of line 32
inline constexpr int NetPay = 45;          // amount and key of line 47
inline constexpr int HealthFund = 46;      // key of line 33
inline constexpr int ContributionKind = 52;// key of line 37
inline constexpr int TariffFactor = 51;    // amount, hundredths of a percent
inline constexpr int Vwl = 10;             // key and amount of line 11
} // namespace slot

// Service relationship with no pay and no deductions at all.
inline constexpr int kServiceRelationshipNoPay = 27;

// Eastern tariff area: regions 4, 8, 13, 14, 16 and 17.
bool isEastRegion(int region);

// The defaults of a new case ("Grundstellung").
Case defaultCase();

} // namespace varemo
