#include "core/calculation_run.h"

#include "storage/month_record.h"

#include <filesystem>

namespace varemo {
namespace {

std::filesystem::path januaryTariffFile(const Globaldaten& g) {
    return g.programDir / "Tarife" / (std::to_string(g.year) + "1.ttt");
}

// Slots whose typed amounts every run starts from.
constexpr int kRestoredSlots[] = {0, 1, 2, 3, 4, 23, 24, 25, 33, 35, 36, 37, 38, 39,
                                  40, 41, 42, 43, 44, 46, 47, 58, 59};

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
    const Case& c = g.workingCase;
    int fund = c.key(slot::HealthFund);
    int month = c.monthIndex() > 11 ? 11 : c.monthIndex();
    if (fund < 0 || fund >= kHealthFunds) fund = 0;
    float rate = static_cast<float>(g.funds.rates(fund, month).additional) / 100.0f / 100.0f;
    if (g.year >= 2019) rate /= 2.0f;
    g.employeeAdditionalRate = rate;
}

void RestoreEnteredAmounts(Globaldaten& g) {
    Case& c = g.workingCase;
    for (int s : kRestoredSlots) c.setAmount(s, c.previousAmount(s));
}

void WorkingTimeDefaults(Globaldaten& g) {
    Case& c = g.workingCase;
    if (c.amount(slot::RegularHours) == 0) c.setAmount(slot::RegularHours, 3850000);
    if (c.amount(slot::MonthDays) == 0) c.setAmount(slot::MonthDays, 3000000);
}

void PartTimeFactorStep(Globaldaten& g) {
    const Case& c = g.workingCase;
    g.partTimeFactor =
        static_cast<float>(c.amount(slot::AgreedHours)) / static_cast<float>(c.amount(slot::RegularHours));
}

void TariffLookupStep(Globaldaten& g) {
    Case& c = g.workingCase;
    std::error_code ec;
    if (!std::filesystem::exists(januaryTariffFile(g), ec)) {
        c.setAmount(7, 0);
        c.setAmount(8, 0);
        c.setAmount(9, 0);
        return;
    }
    // NOT YET BUILT: the lookup of basic pay and table allowances (lines 8 to 16) from the tariff
    // files. Until it is, these lines keep the amounts as entered.
}

void CapitalFormingPayments(Globaldaten& g) {
    Case& c = g.workingCase;
    if (c.serviceRelationship() == kServiceRelationshipNoPay) c.setKey(slot::Vwl, 0);
    int32_t amount = capitalFormingAmount(c.key(slot::Vwl));
    c.setAmount(slot::Vwl, amount >= 0 ? amount : c.previousAmount(slot::Vwl));
}

void SpecialPaymentsStep(Globaldaten&) {
    // NOT YET BUILT: the annual special payment of lines 18 and 19. Until it is, both lines keep the
    // amounts as entered.
}

void HolidayPayStep(Globaldaten&) {
    // NOT YET BUILT: holiday pay of line 18 by month, service relationship and region.
}

void PartTimeStep(Globaldaten& g) {
    if (g.partTimeFactor == 1.0f) return;
    // NOT YET BUILT: the reduction of lines 8 to 19 by their part-time flags.
}

void LineMonthlyAmounts(Globaldaten& g) {
    // Full-time pay of a full month: every gross line counts with its amount; lines 21 to 23 are the sum.
    // (Part-time and partial-month reductions are not built yet.)
    Case& c = g.workingCase;
    Money sum;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        Money amount = Money::fromCents(*lineAmount(c, line));
        auto& attributes = c.grossLine(line);
        attributes.amount = amount;
        attributes.reducedAmount = amount;
        sum += amount;
    }
    int32_t gross = sum.toCents();
    c.setAmount(slot::FullTimeGross, gross);
    c.setAmount(slot::PartTimeGross, gross);
    c.setAmount(slot::Gross, gross);
}

void DeductionsStep(Globaldaten&) {
    // NOT YET BUILT, in this order: key-coded deductions and payments of lines 44 to 46; the
    // partial-retirement deduction; the base of the civil servants' pension levy; wage tax, solidarity
    // surcharge and church tax (lines 34 to 36); the flexible working-time data file; social insurance
    // (lines 37 to 41); the closing deduction step. Until they are, the result lines keep their amounts.
}

void PartialRetirementStep(Globaldaten& g) {
    // NOT YET BUILT: the partial-retirement top-up (line 23 options 2 to 6).
    g.workingCase.setAmount(slot::NetPay, 0);
}

void NetPay(Globaldaten& g) {
    Case& c = g.workingCase;
    c.setAmount(slot::NetPay, 0);
    Money net = Money::fromCents(c.amount(slot::Gross)) + Money::fromCents(c.amount(slot::ChildBenefit));
    for (int s = 33; s <= 44; ++s) net += Money::fromCents(c.amount(s));
    for (int s = 54; s <= 56; ++s) net += Money::fromCents(c.amount(s)) * 100;
    c.setAmount(slot::NetPay, net.toCents());
    if (c.serviceRelationship() == kServiceRelationshipNoPay) {
        for (int s = 4; s <= 50; ++s) {
            c.amounts[static_cast<size_t>(s)] = 0;
            c.previous[static_cast<size_t>(s)] = 0;
        }
    }
}

void DetailComputations(Globaldaten& g) {
    if (g.detailSelector == 0 || g.suppressDetail) return;
    // NOT YET BUILT: the wage-tax (6), social-insurance (7), supplementary-pension (8) and part-time
    // (9 to 30, 35) explanations.
}

void WriteYearRecord(Globaldaten& g) {
    const Case& c = g.workingCase;
    YearRecord year = g.files.readYear(g.caseNumber);
    year.setName(c.name);
    if (c.monthIndex() <= 11) {
        int set = static_cast<int>(g.dataSet);
        year.setMonthValue(c.monthIndex(), set, 0, c.amount(slot::Gross));
        year.setMonthValue(c.monthIndex(), set, 1, c.amount(slot::NetPay));
        year.updateYearValues(set);
    }
    g.files.writeYear(g.caseNumber, year);
}

void WriteCaseMonth(Globaldaten& g) {
    const Case& c = g.workingCase;
    g.files.writeMonth(c.monthIndex() + 1, g.caseNumber, packMonthRecord(c));
    WriteYearRecord(g);
}

void ClosingStep(Globaldaten& g) {
    if (g.closingStepSuspended) return;
    if (g.workingCase.monthIndex() > 11 || g.modeField == 12) return;
    WriteCaseMonth(g);
}

bool RunCalculation(Globaldaten& g) {
    g.overflow = false;
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
        DetailComputations(g);
    } catch (const MoneyOverflow&) {
        g.overflow = true;
        return false;
    }
    ClosingStep(g);
    return true;
}

} // namespace varemo
