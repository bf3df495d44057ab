#include "model/case.h"

namespace varemo {

bool isEastRegion(int region) {
    switch (region) {
    case 4:
    case 8:
    case 13:
    case 14:
    case 16:
    case 17:
        return true;
    default:
        return false;
    }
}

namespace {

// Default flags of the gross-pay lines of a new case, in the order of LineFlag:
// wage tax, social insurance, supplementary pension, annual payment, part-time, partial month,
// performance pay. Regular pay (basic pay, allowances) counts everywhere; capital-forming payments
// are not subject to the levy; performance pay, overtime and one-time payments are neither reduced
// nor counted for the annual payment; tax-free time supplements are free of tax and contributions.
struct DefaultFlags {
    int line;
    std::array<bool, kLineFlagCount> flags;
};
constexpr std::array<DefaultFlags, kGrossLines> kDefaultFlags = {{
    {8, {true, true, true, true, true, true, false}},
    {9, {true, true, true, true, true, true, false}},
    {10, {true, true, true, true, true, true, false}},
    {11, {true, true, false, false, true, true, false}},
    {12, {true, true, true, false, false, false, true}},
    {13, {true, true, true, true, true, true, false}},
    {14, {true, true, true, true, true, true, false}},
    {15, {true, true, true, true, true, true, false}},
    {16, {true, true, true, false, false, false, false}},
    {17, {false, false, false, false, false, false, false}},
    {18, {true, true, false, false, false, false, false}},
    {19, {true, true, true, false, false, false, false}},
    {20, {true, true, false, false, false, false, false}},
}};

} // namespace

Case defaultCase() {
    Case c;
    c.setKey(KeySlot::ServiceRelationship, relationship::kAgreedSalary);
    c.setKey(KeySlot::PayGroup, 1);
    c.setKey(KeySlot::StructuralAllowance, 2);
    c.setKey(KeySlot::CapitalForming, 7);
    c.setKey(KeySlot::HolidayPay, 1);
    c.setKey(KeySlot::AnnualPayment, 7);
    c.setKey(KeySlot::SupplementaryFund, 40);
    c.setKey(KeySlot::ChildBenefit, 3);
    c.setKey(KeySlot::AnnualAdjustment, 1);
    c.setKey(KeySlot::Reserved32, 9);
    c.setKey(KeySlot::HealthRate, 92);
    c.setKey(KeySlot::EmployeeShare, 1);
    c.enterAmount(AmountSlot::RegularHours, 3850000);
    c.enterAmount(AmountSlot::AgreedHours, 3850000);
    c.enterAmount(AmountSlot::MonthDays, 3100000);
    c.enterAmount(AmountSlot::PaidDays, 3100000);
    c.setText(CaseText::Title, "Dienstbezeichnung ...");
    c.setText(CaseText::Office, "Dienststelle ...");
    c.setText(CaseText::Payment, "Sonstiger Bezug lt. Eingabe");
    c.setText(CaseText::InKind1, "Sachbezug lt. Eingabe");
    c.setText(CaseText::InKind2, "Sachbezug lt. Eingabe");
    c.setText(CaseText::Allowance1, "Zulage lt. Eingabe");
    c.setText(CaseText::Allowance2, "Zulage lt. Eingabe");
    c.setText(CaseText::Allowance3, "Zulage lt. Eingabe");
    c.setText(CaseText::Deduction1, "Einbehalt lt. Eingabe");
    c.setText(CaseText::Deduction2, "Einbehalt lt. Eingabe");
    c.setText(CaseText::Deduction3, "Einbehalt lt. Eingabe");
    c.setText(CaseText::Reserve1, "Reserve");
    c.setText(CaseText::Reserve2, "Reserve");
    for (auto& code : c.keyCodes)
        code = "000000";
    for (const auto& d : kDefaultFlags) {
        auto& line = c.grossLine(d.line);
        for (int f = 0; f < kLineFlagCount; ++f)
            line.setFlag(static_cast<LineFlag>(f), d.flags[f]);
    }
    for (auto& line : c.lines)
        line.partialRetirementCategory = 'A'; // paid at the reduced rate, in every top-up
    c.name = "Neuer Personalfall";
    return c;
}

} // namespace varemo
