#pragma once
// The working case-month: what drives the calculation of one month of one personnel case, and its results.
//
// Option keys and amounts are kept in slots (model/slots.h names them; model/sheet.h says which line
// shows which):
//   - keys: 56 signed 16-bit list positions;
//   - amounts: 66 signed 32-bit cents; the working time of lines 22 and 23 in 1/100000, percentages
//     in hundredths of a percent;
//   - previous: the amounts as the user entered them; every run starts again from these.

#include "base/money.h"
#include "model/slots.h"
#include "tariffs/service_relationship.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varemo {

inline constexpr int kFirstGrossLine = 8;
inline constexpr int kLastGrossLine = 20;
inline constexpr int kGrossLines = kLastGrossLine - kFirstGrossLine + 1; // 13

// The seven per-line flags of the gross-pay lines 8 to 20.
enum class LineFlag : int {
    WageTax = 0,              // subject to wage tax ("L")
    SocialInsurance = 1,      // subject to social insurance ("S")
    SupplementaryPension = 2, // subject to the supplementary pension levy ("Z")
    AnnualPayment = 3,        // counted for the annual special payment ("W")
    PartTime = 4,             // reduced by part-time ("T")
    PartialMonth = 5,         // reduced for a partial month
    PerformancePay = 6,       // counted as performance pay ("L"/"N")
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
    Office = 0,      // line 3
    Title = 1,       // line 5
    Allowance1 = 2,  // line 13
    Allowance2 = 3,  // line 14
    Allowance3 = 4,  // line 15
    Payment = 5,     // line 20
    InKind1 = 6,     // line 25
    InKind2 = 7,     // line 26
    Deduction1 = 8,  // line 44
    Deduction2 = 9,  // line 45
    Deduction3 = 10, // line 46
    Reserve1 = 11,
    Reserve2 = 12,
};
inline constexpr int kCaseTexts = 13;
inline constexpr int kCaseTextLength = 35;
inline constexpr int kKeyCodes = 5; // key fields of lines 25, 26, 44, 45, 46
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

    int16_t key(KeySlot s) const { return keys.at(slotIndex(s)); }
    void setKey(KeySlot s, int16_t value) { keys.at(slotIndex(s)) = value; }
    int32_t amount(AmountSlot s) const { return amounts.at(slotIndex(s)); }
    void setAmount(AmountSlot s, int32_t cents) { amounts.at(slotIndex(s)) = cents; }
    int32_t previousAmount(AmountSlot s) const { return previous.at(slotIndex(s)); }
    // Stores a typed amount: into the amounts and the previous amounts alike.
    void enterAmount(AmountSlot s, int32_t cents) {
        setAmount(s, cents);
        previous.at(slotIndex(s)) = cents;
    }
    // Starts the amount again from what the user entered.
    void restoreEnteredAmount(AmountSlot s) { setAmount(s, previousAmount(s)); }

    const std::string& text(CaseText t) const { return texts[static_cast<size_t>(t)]; }
    void setText(CaseText t, std::string value) { texts[static_cast<size_t>(t)] = std::move(value); }

    GrossLineAttributes& grossLine(int line) { return lines.at(static_cast<size_t>(line - kFirstGrossLine)); }
    const GrossLineAttributes& grossLine(int line) const {
        return lines.at(static_cast<size_t>(line - kFirstGrossLine));
    }

    int region() const { return key(KeySlot::Region); }
    int serviceRelationship() const { return key(KeySlot::ServiceRelationship); }
    int payGroup() const { return key(KeySlot::PayGroup); }
    int monthIndex() const { return key(KeySlot::Month); } // 0 = January, 12 = year salary

    bool operator==(const Case&) const = default;
};

// Eastern tariff area: regions 4, 8, 13, 14, 16 and 17.
bool isEastRegion(int region);

// The defaults of a new case ("Grundstellung").
Case defaultCase();

} // namespace varemo
