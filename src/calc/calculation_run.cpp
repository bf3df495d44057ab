#include "calc/calculation_run.h"

#include "base/error.h"
#include "deductions/employer_cost.h"
#include "deductions/partial_retirement.h"
#include "deductions/pension_levy.h"
#include "deductions/social_insurance_step.h"
#include "deductions/supplementary_pension.h"
#include "deductions/tax_step.h"
#include "model/year_tables.h"
#include "pay/basic_pay.h"
#include "pay/holiday_pay.h"
#include "pay/line_key_codes.h"
#include "pay/part_time.h"
#include "pay/special_payment.h"

#include <filesystem>
#include <string>

namespace varemo {
namespace {

// Slots whose typed amounts every run starts from.
constexpr AmountSlot kRestoredSlots[] = {AmountSlot::RegularHours,     AmountSlot::AgreedHours,
                                         AmountSlot::MonthDays,        AmountSlot::PaidDays,
                                         AmountSlot::Reserved4,        AmountSlot::TaxAllowance,
                                         AmountSlot::InKind1,          AmountSlot::SupplementaryFund,
                                         AmountSlot::WageTax,          AmountSlot::ChurchTax,
                                         AmountSlot::HealthInsurance,  AmountSlot::CareInsurance,
                                         AmountSlot::PensionInsurance, AmountSlot::UnemploymentInsurance,
                                         AmountSlot::EmployeeCapital,  AmountSlot::EmployeeShare,
                                         AmountSlot::Deduction1,       AmountSlot::Deduction2,
                                         AmountSlot::Deduction3,       AmountSlot::Reserved46,
                                         AmountSlot::InKind2,          AmountSlot::Reserved58,
                                         AmountSlot::Reserved59};

// The first line of the message of an aborted run: which month was not calculated.
std::string abortedRunText(const Globaldaten& g) {
    const int month = g.workingCase.monthIndex() + 1;
    const std::string which = "Die Berechnung von Personalfall " + std::to_string(g.caseNumber);
    if (month < 1 || month > 12) return which + " wurde abgebrochen; es wurde nichts gespeichert.";
    return which + ", Monat " + std::to_string(month) + "/" + std::to_string(g.year) +
           " wurde abgebrochen; für diesen Monat wurde nichts gespeichert.";
}

} // namespace

int32_t capitalFormingAmount(int option) {
    static constexpr int32_t kAmounts[] = {0, 333, 665, 1329, 1994, 2659, 3988};
    if (option < 0 || option > 6) return -1;
    return kAmounts[option];
}

void ClearLineAmounts(Globaldaten& g) {
    for (auto& line : g.workingCase.lines) {
        line.amount = Money();
        line.reducedAmount = Money();
    }
}

void HealthAdditionalRate(Globaldaten& g) {
    if (g.funds.year() != g.year) g.funds = FundTable::defaultsFor(g.year); // the year's fund list
    const Case& c = g.workingCase;
    const int fund = healthFundOfKey(c.key(KeySlot::HealthFund));
    int month = c.monthIndex() > 11 ? 11 : c.monthIndex();
    float rate = static_cast<float>(g.funds.rates(fund, month).additional) / 100.0f / 100.0f;
    if (g.year >= 2019) rate /= 2.0f;
    g.employeeAdditionalRate = rate;
}

void RestoreEnteredAmounts(Globaldaten& g) {
    Case& c = g.workingCase;
    for (AmountSlot s : kRestoredSlots)
        c.restoreEnteredAmount(s);
}

void WorkingTimeDefaults(Globaldaten& g) {
    Case& c = g.workingCase;
    // Without regular hours of its own, line 22 takes the year's weekly hours of the service relationship.
    if (c.amount(AmountSlot::RegularHours) == 0)
        c.setAmount(AmountSlot::RegularHours, regularWeeklyHours(g.pay.tables, c));
    if (c.amount(AmountSlot::MonthDays) == 0) c.setAmount(AmountSlot::MonthDays, 3000000);
}

void PartTimeFactorStep(Globaldaten& g) {
    const Case& c = g.workingCase;
    g.partTimeFactor = static_cast<float>(c.amount(AmountSlot::AgreedHours)) /
                       static_cast<float>(c.amount(AmountSlot::RegularHours));
}

void TariffLookupStep(Globaldaten& g) {
    // Basic pay and table allowances (lines 8 to 16); without the January file lines 8 to 10 are 0.
    TariffLookup(g);
}

void CapitalFormingPayments(Globaldaten& g) {
    Case& c = g.workingCase;
    if (isWithoutPay(c.serviceRelationship())) c.setKey(KeySlot::CapitalForming, 0);
    int32_t amount = capitalFormingAmount(c.key(KeySlot::CapitalForming));
    c.setAmount(AmountSlot::CapitalForming,
                amount >= 0 ? amount : c.previousAmount(AmountSlot::CapitalForming));
}

void SpecialPaymentsStep(Globaldaten& g) {
    // Lines 18 and 19 (annual special payment) and the one-time payment of line 20.
    SpecialPaymentStep(g);
}

void HolidayPayStep(Globaldaten& g) {
    ComputeHolidayPay(g);
}

void PartTimeStep(Globaldaten& g) {
    ReducePartTime(g);
}

void LineMonthlyAmounts(Globaldaten& g) {
    // Columns A and B of lines 8 to 20 after part-time, partial month and partial retirement; lines 21 to 23.
    FillLineAmounts(g);
}

void DeductionsStep(Globaldaten& g) {
    // The key codes of the in-kind lines 25, 26 and the deduction and payment lines 44 to 46.
    KeyCodeStep(g);
    // NOT YET BUILT, before the wage tax: the partial-retirement deduction.
    // The base of the civil servants' pension levy; the supplementary pension, whose levy the tax
    // step taxes (line 42):
    CivilServantPensionLevyBase(g);
    SupplementaryPensionStep(g);
    // Wage tax, solidarity surcharge and church tax (lines 34 to 36):
    WageTaxStep(g);
    // The agreements of the block models with a working-time account ("tvflex.pcg"):
    ReadAccountAgreements(g);
    // Social insurance (lines 37 to 40; line 41 is the supplementary pension's):
    SocialInsuranceStep(g);
    // The closing deduction step: the employer's cost, after social insurance (it adds up its shares).
    EmployerCostStep(g);
}

void PartialRetirementStep(Globaldaten& g) {
    // Line 23 options 2 and 3; the block models with a working-time account, 4 to 6.
    PartialRetirementTopUpStep(g);
    WorkingTimeAccountStep(g);
    g.workingCase.setAmount(AmountSlot::NetPay, 0);
}

void NetPay(Globaldaten& g) {
    Case& c = g.workingCase;
    c.setAmount(AmountSlot::NetPay, 0);
    Money net =
        Money::fromCents(c.amount(AmountSlot::Gross)) + Money::fromCents(c.amount(AmountSlot::ChildBenefit));
    for (AmountSlot s : slotsFrom(slots::kFirstDeduction, slots::kLastDeduction))
        net += Money::fromCents(c.amount(s));
    for (AmountSlot s : slotsFrom(slots::kFirstPayoutAddition, slots::kLastPayoutAddition))
        net += Money::fromCents(c.amount(s)) * 100;
    c.setAmount(AmountSlot::NetPay, net.toCents());
    if (isWithoutPay(c.serviceRelationship())) {
        for (AmountSlot s : slotsFrom(slots::kFirstMoney, slots::kLastMoney))
            c.enterAmount(s, 0);
    }
}

void WriteYearRecord(Globaldaten& g) {
    g.store.storeYearResults(g.caseNumber, g.dataSet, g.workingCase);
}

void WriteCaseMonth(Globaldaten& g) {
    g.store.storeMonth(g.caseNumber, g.workingCase);
    WriteYearRecord(g);
}

void ClosingStep(Globaldaten& g) {
    if (g.closingStepSuspended) return;
    if (g.workingCase.monthIndex() > 11 || g.modeField == 12) return;
    WriteCaseMonth(g);
}

bool RunCalculation(Globaldaten& g) {
    g.overflow = false;
    // The steps look back at the case's earlier months again and again; they are read once.
    const CaseYearInMemory heldCase(g.store, g.caseNumber);
    try {
        ClearLineAmounts(g);
        HealthAdditionalRate(g);
        RestoreEnteredAmounts(g);
        WorkingTimeDefaults(g);
        PartTimeFactorStep(g);
        TariffLookupStep(g);
        CapitalFormingPayments(g);
        SpecialPaymentsStep(g);
        HolidayPayStep(g);
        PartTimeStep(g);
        LineMonthlyAmounts(g);
        DeductionsStep(g);
        PartialRetirementStep(g);
        NetPay(g);
        // The explanations need no step of their own: the tax, contribution and pension steps fill
        // their worksheets on every run, and the part-time explanation is read from the results.
    } catch (const MoneyOverflow&) {
        g.overflow = true;
        return false;
    } catch (...) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     kRunAbortedTitle,
                                     {abortedRunText(g), userMessageOfCurrentException()},
                                     PromptButtons::Ok});
        return false;
    }
    ClosingStep(g);
    return true;
}

} // namespace varemo
