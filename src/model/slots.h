#pragma once
// The slots of a case-month: where the Case keeps each option key and each amount. This is the only
// place that gives a slot its number; everything else names the slot. The line table (model/sheet.h)
// says which slots a sheet line shows; the month record (persistence/month_record.h) stores both
// arrays by position.
//
// Keys are signed 16-bit list positions; amounts are signed 32-bit cents unless the comment says
// otherwise (working time in 1/100000, percentages in hundredths of a percent). Slots a comment
// calls "reserved" are stored and carried along without the program giving them a meaning.

#include <cstddef>
#include <iterator>
#include <optional>

namespace varemo {

inline constexpr int kKeySlots = 56;
inline constexpr int kAmountSlots = 66;

enum class KeySlot : int {
    DateLabel = 1,           // line 6: the label of the reference date; 0 and 1 make the step automatic
    Region = 2,              // line 2: 0 Bund, 1 to 17 the Länder
    LineSeven = 3,           // line 7: civil servants the married-allowance rule, most employees the
                             // step movement, the others a contract note
    ServiceRelationship = 4, // line 4 (tariffs/service_relationship.h)
    PayGroup = 5,            // line 4, second box
    Title = 6,               // line 5
    Step = 7,                // line 8: the step position; one position of the list means "typed"
    FamilyAllowance = 8,     // line 10
    StructuralAllowance = 9, // line 9
    CapitalForming = 10,     // line 11: capital-forming payments; 7 is the typed amount
    PerformancePay = 11,     // line 12
    Allowance1 = 12,         // line 13
    Allowance2 = 13,         // line 14
    Allowance3 = 14,         // line 15
    Overtime = 15,           // line 16
    TaxFreeSupplements = 16, // line 17
    HolidayPay = 17,         // line 18
    AnnualPayment = 18,      // line 19: the annual special payment
    OneTimePayment = 19,     // line 20
    Month = 20,              // no box: the case-month, 0 = January, 12 = the year salary; line 21 points here
    PartTime = 21,           // line 22: how the working time is given
    PartialMonth = 22,       // line 23: partial month or partial retirement
    TaxAllowance = 23,       // line 24: monthly allowance or addition, or the pension in the pay
    InKind1 = 24,            // line 25
    SupplementaryFund = 25,  // line 27: the supplementary-pension fund
    ChildBenefit = 26,       // line 43: child benefit or the partial-retirement top-up
    CostCentre = 27,         // line 28
    Denomination = 28,       // line 29
    OtherEmployments = 29,   // line 30
    AnnualAdjustment = 30,   // line 31: 0 with, 1 without the employer's annual adjustment
    OldAgeRelief = 31,       // line 32: position p > 0 is the year  calculation year + 1 - p
    Reserved32 = 32,         // reserved; a new case sets 9
    TaxClass = 33,           // line 34: tax class and child allowances
    Childless = 34,          // line 38, second box: not 0 when the childless surcharge is due
    SolidaritySurcharge = 35, // line 35
    ChurchTax = 36,           // line 36
    HealthRate = 37,          // line 37, second box: the health insurance rate as a list position
    CareKind = 38,            // line 38: the care insurance kind
    PensionKind = 39,         // line 39: the pension insurance kind
    UnemploymentKind = 40,    // line 40: the unemployment insurance kind
    EmployeeShare = 41,       // line 42: the employee-share code of the supplementary pension
    Deduction1 = 42,          // line 44
    Deduction2 = 43,          // line 45
    Deduction3 = 44,          // line 46
    Payout = 45,              // line 47: payout or net pay
    HealthFund = 46,          // line 33: the health fund
    InKind2 = 47,             // line 26
    EmployeeCapitalFund = 48, // line 41: follows line 27, for the employee's capital contribution
    AdditionalLevy = 49,      // no line: the employer's additional levy, 0 none, 1 8 %, 2 9 %
    Office = 50,              // line 3
    Reserved51 = 51,          // reserved, at most 22
    ContributionKind = 52,    // line 37: the health insurance kind
    Reserved53 = 53,          // reserved, at most 62
    // No line: the flat-tax limit of the supplementary pension, 0 89,48; 1 92,03; 2 127,82; 3 146,00;
    // 4 none; 5 the amount of AmountSlot::FlatTaxLimit.
    FlatTaxLimitChoice = 55,
    // The step of service relationships 14 and 15 before a step movement. NOTE: the step computation
    // keeps it in the slot of the flat-tax limit choice; both meanings share slot 55.
    RegularStep = FlatTaxLimitChoice,
};

enum class AmountSlot : int {
    RegularHours = 0,           // line 22: regular weekly hours of full time, 1/100000 hours
    AgreedHours = 1,            // line 22: agreed weekly hours (or parts, or percent), 1/100000
    MonthDays = 2,              // line 23: days of the month (or percent), 1/100000
    PaidDays = 3,               // line 23: days with pay (or percent), 1/100000
    Reserved4 = 4,              // reserved; typed like an amount and restored at every run
    BasicPay = 7,               // line 8
    FamilyAllowance = 8,        // line 10
    StructuralAllowance = 9,    // line 9
    CapitalForming = 10,        // line 11
    PerformancePay = 11,        // line 12
    Allowance1 = 12,            // line 13
    Allowance2 = 13,            // line 14
    Allowance3 = 14,            // line 15
    Overtime = 15,              // line 16
    TaxFreeSupplements = 16,    // line 17
    HolidayPay = 17,            // line 18
    AnnualPayment = 18,         // line 19
    OneTimePayment = 19,        // line 20
    FullTimeGross = 20,         // line 21
    PartTimeGross = 21,         // line 22
    Gross = 22,                 // line 23
    TaxAllowance = 23,          // line 24: monthly allowance or addition, or the pension in the pay
    InKind1 = 24,               // line 25
    SupplementaryFund = 25,     // line 27: the levy typed for civil servants' funds
    ChildBenefit = 26,          // line 43
    OtherEmploymentsPay = 29,   // line 30: the pay from other employments (no field of its own)
    WageTax = 33,               // line 34, negative
    SolidaritySurcharge = 34,   // line 35, negative
    ChurchTax = 35,             // line 36, negative
    HealthInsurance = 36,       // line 37, negative; typed: the private health premium
    CareInsurance = 37,         // line 38, negative; typed: the private care premium
    PensionInsurance = 38,      // line 39, negative
    UnemploymentInsurance = 39, // line 40, negative
    EmployeeCapital = 40,       // line 41: the employee's capital contribution, negative
    EmployeeShare = 41,         // line 42: the employee's share of the levy, negative
    Deduction1 = 42,            // line 44
    Deduction2 = 43,            // line 45
    Deduction3 = 44,            // line 46
    NetPay = 45,                // line 47
    Reserved46 = 46,            // reserved; hundredths of a percent, at most 100 %
    InKind2 = 47,               // line 26
    TariffFactor = 51,          // line 4: share of the tariff pay, hundredths of a percent
    StepReserve = 52,           // cleared with the step movement when the step is set by hand
    StepMovement = 53,          // months subtracted from the service months (positive: later steps)
    PayoutAddition1 = 54,       // reserved; added to the net pay in whole euros
    PayoutAddition2 = 55,       // reserved; as PayoutAddition1
    PayoutAddition3 = 56,       // reserved; as PayoutAddition1
    AccountMovement = 57,       // no line: the month's movement of the working-time account (line 23, 4 to 6)
    Reserved58 = 58,            // reserved; typed like an amount and restored at every run
    Reserved59 = 59,            // reserved; as Reserved58
    PerformancePercent = 60,    // line 12: the percentage, hundredths of a percent
    DeferredCompensation = 61,  // no line: deferred compensation made tax-free under § 3 Nr. 63 EStG
    FlatTaxLimit = 62,          // no line: the flat-tax limit of choice 5
    ClassIVFactor = 63,         // no line: the factor of the class-IV procedure, thousandths
    // The private premiums as typed into lines 37 and 38. The lines' own slots receive the computed
    // subsidy, so the premium is kept here; 0 in files written before it was kept.
    PrivateHealthPremium = 64,
    PrivateCarePremium = 65,
};

constexpr int slotNumber(KeySlot s) {
    return static_cast<int>(s);
}
constexpr int slotNumber(AmountSlot s) {
    return static_cast<int>(s);
}
constexpr size_t slotIndex(KeySlot s) {
    return static_cast<size_t>(s);
}
constexpr size_t slotIndex(AmountSlot s) {
    return static_cast<size_t>(s);
}

// A slot given as a number from outside (the command line, the window's fields); nothing when no
// slot has that number.
constexpr std::optional<KeySlot> keySlotNumbered(int n) {
    if (n < 0 || n >= kKeySlots) return std::nullopt;
    return static_cast<KeySlot>(n);
}
constexpr std::optional<AmountSlot> amountSlotNumbered(int n) {
    if (n < 0 || n >= kAmountSlots) return std::nullopt;
    return static_cast<AmountSlot>(n);
}

constexpr bool slotBetween(KeySlot s, KeySlot first, KeySlot last) {
    return slotNumber(s) >= slotNumber(first) && slotNumber(s) <= slotNumber(last);
}
constexpr bool slotBetween(AmountSlot s, AmountSlot first, AmountSlot last) {
    return slotNumber(s) >= slotNumber(first) && slotNumber(s) <= slotNumber(last);
}

// The slots first to last, both included, for a range-for.
template <typename Slot> class SlotRange {
  public:
    class iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Slot;
        using difference_type = std::ptrdiff_t;
        using pointer = const Slot*;
        using reference = Slot;

        constexpr iterator() = default;
        constexpr explicit iterator(int n) : n_(n) {}
        constexpr Slot operator*() const { return static_cast<Slot>(n_); }
        constexpr iterator& operator++() {
            ++n_;
            return *this;
        }
        constexpr iterator operator++(int) {
            iterator before = *this;
            ++n_;
            return before;
        }
        constexpr bool operator==(const iterator&) const = default;

      private:
        int n_ = 0;
    };

    constexpr SlotRange(Slot first, Slot last)
        : first_(static_cast<int>(first)), last_(static_cast<int>(last)) {}
    constexpr iterator begin() const { return iterator(first_); }
    constexpr iterator end() const { return iterator(last_ + 1); }

  private:
    int first_;
    int last_;
};

constexpr SlotRange<KeySlot> slotsFrom(KeySlot first, KeySlot last) {
    return {first, last};
}
constexpr SlotRange<AmountSlot> slotsFrom(AmountSlot first, AmountSlot last) {
    return {first, last};
}

// Named stretches of slots that the program walks or tests as a whole.
namespace slots {
// The working time of lines 22 and 23, typed and shown in 1/100000.
inline constexpr AmountSlot kFirstWorkingTime = AmountSlot::RegularHours;
inline constexpr AmountSlot kLastWorkingTime = AmountSlot::PaidDays;
// Slots 4 to 50: the money fields; a typed value is in cents. A case without pay clears them.
inline constexpr AmountSlot kFirstMoney = AmountSlot::Reserved4;
inline constexpr AmountSlot kLastMoney = static_cast<AmountSlot>(50);
// The results of lines 34 to 36, negative.
inline constexpr AmountSlot kFirstTax = AmountSlot::WageTax;
inline constexpr AmountSlot kLastTax = AmountSlot::ChurchTax;
// The contributions of lines 37 to 41, negative.
inline constexpr AmountSlot kFirstContribution = AmountSlot::HealthInsurance;
inline constexpr AmountSlot kLastContribution = AmountSlot::EmployeeCapital;
// Lines 34 to 46: everything the net pay takes from or adds to the gross pay besides the child benefit.
inline constexpr AmountSlot kFirstDeduction = AmountSlot::WageTax;
inline constexpr AmountSlot kLastDeduction = AmountSlot::Deduction3;
// Added to the net pay in whole euros.
inline constexpr AmountSlot kFirstPayoutAddition = AmountSlot::PayoutAddition1;
inline constexpr AmountSlot kLastPayoutAddition = AmountSlot::PayoutAddition3;
// The month record keeps the keys from this one on; key 0 is not stored.
inline constexpr KeySlot kFirstStoredKey = KeySlot::DateLabel;
// The keys a loaded case-month checks against their highest position.
inline constexpr KeySlot kFirstRangeChecked = KeySlot::DateLabel;
inline constexpr KeySlot kLastRangeChecked = KeySlot::Reserved53;

constexpr bool isWorkingTime(AmountSlot s) {
    return slotBetween(s, kFirstWorkingTime, kLastWorkingTime);
}
} // namespace slots

} // namespace varemo
