#include "deductions/tax_step.h"

#include "deductions/insurance_status.h"
#include "law/lohnstr.h"
#include "law/lohnstr_params.h"
#include "model/sheet.h"
#include "pay/part_time.h"

#include <algorithm>
#include <memory>

namespace varemo {
namespace {

// The church tax typed into line 36 stays in the previous amount of its slot.
constexpr AmountSlot kEnteredChurchTaxSlot = AmountSlot::ChurchTax;

constexpr int kPensionWholePay = 3;    // line 22 "% Ruhegehalt von %"
constexpr int kAllowanceOption = 0;    // line 24 "Monatl. Steuerfreibetrag "
constexpr int kAdditionOption = 1;     // line 24 "Monatl. Hinzurechnungsbetrag"
constexpr int kPensionShareOption = 2; // line 24 "davon Versorgungsbezüge"
constexpr int kWithAdjustment = 0;     // line 31 "Mit LSt.J.Ausgl.d.AG i.Dez."

constexpr int kOneTimeLines[] = {19, 20};
constexpr int64_t kFlatGroupRates[kFlatRateGroups] = {2000, 1500, 2500}; // hundredths of a percent
constexpr int64_t kSurchargeRate = 550;
constexpr int64_t kMiniJobRate = 200;
constexpr int64_t kDayUnits = 100000; // days of line 23 in 1/100000

Money cents(int64_t value) {
    return Money::fromCents(value);
}

// Cents of an amount that may exceed the stored 32-bit range (annual wages), nearest, tie to even.
int64_t wideCents(Money m) {
    return mulDiv(m.units(), 1, Money::kUnitsPerCent, Rounding::HalfEven);
}

// Hundredths of a percent of an amount in units become cents by dividing by 10000 × 100.
constexpr int64_t kPercentHundredthsPerCent = 10000 * Money::kUnitsPerCent;

// base × hundredths of a percent, truncated to whole cents (toward zero).
Money percentTruncated(Money base, int64_t hundredths) {
    return cents(mulDiv(base.units(), hundredths, kPercentHundredthsPerCent, Rounding::TowardZero));
}

// base × hundredths of a percent, to the nearest cent (a tie to the even cent).
Money percentRounded(Money base, int64_t hundredths) {
    return cents(mulDiv(base.units(), hundredths, kPercentHundredthsPerCent, Rounding::HalfEven));
}

Money churchTaxOf(int64_t baseCents, int32_t rateHundredths) {
    return rateHundredths > 0 ? percentTruncated(cents(baseCents), rateHundredths) : Money();
}

// The surcharge when the flow chart's is not wanted: 5.5 % of the wage tax before 2021, none after.
Money simpleSurcharge(int year, Money wageTax) {
    return year < 2021 ? percentTruncated(wageTax, kSurchargeRate) : Money();
}

FlatRateTaxes flatRateTaxes(const FlatRateAmounts& groups, int32_t churchRate) {
    // The groups' taxes are rounded once, on their sum.
    Int128 sum = 0;
    for (int i = 0; i < kFlatRateGroups; ++i)
        sum += Int128(groups[static_cast<size_t>(i)].units()) * kFlatGroupRates[i];
    FlatRateTaxes taxes;
    taxes.wageTax = cents(divideRounded(sum, kPercentHundredthsPerCent, Rounding::HalfEven));
    taxes.surcharge = flatRateSurcharge(taxes.wageTax);
    taxes.churchTax = percentTruncated(taxes.wageTax, churchRate);
    return taxes;
}

// "15", "15,5": days kept in 1/100000.
std::string formatDays(int32_t hundredThousandths) {
    std::string text = std::to_string(hundredThousandths / 100000);
    int32_t fraction = hundredThousandths % 100000;
    if (fraction == 0) return text;
    std::string digits = std::to_string(100000 + fraction).substr(1);
    while (digits.back() == '0')
        digits.pop_back();
    return text + "," + digits;
}

Money taxableLines(const Case& c) {
    Money sum;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line)
        if (c.grossLine(line).flag(LineFlag::WageTax)) sum += c.grossLine(line).reducedAmount;
    return sum;
}

Money oneTimeLines(const Case& c) {
    Money sum;
    for (int line : kOneTimeLines)
        if (c.grossLine(line).flag(LineFlag::WageTax)) sum += c.grossLine(line).reducedAmount;
    return sum;
}

// Step 11: the allowance of the tax record negative, the addition positive.
Money taxRecordAmount(const Case& c) {
    switch (c.key(KeySlot::TaxAllowance)) {
    case kAllowanceOption:
        return -cents(c.amount(AmountSlot::TaxAllowance));
    case kAdditionOption:
        return cents(c.amount(AmountSlot::TaxAllowance));
    default:
        return Money();
    }
}

void setTaxRecordInputs(LohnstrInput& in, Money signedAmount) {
    int64_t value = wideCents(signedAmount);
    in.LZZFREIB = value < 0 ? -value : 0;
    in.LZZHINZU = value > 0 ? value : 0;
}

enum class PensionKind { None, WholePay, Share };

// Everything the runs of one month share.
struct Month {
    Month(Globaldaten& session, TaxClass cls)
        : g(session), c(session.workingCase), t(session.tax), w(session.tax.worksheet), taxClass(cls) {}

    Globaldaten& g;
    Case& c;
    TaxState& t;
    TaxWorksheet& w;
    TaxClass taxClass;
    int32_t churchRate = 0;
    bool yearSalary = false;
    // The employment begins or ends in the month: the pay period is the calendar days of employment
    // (§ 39b (2) EStG, R 39b.5 (2) LStR), taxed by the daily table.
    bool daily = false;
    int32_t paidDays = 0;  // a, 1/100000 days
    int32_t monthDays = 0; // b
    Money fullMonth;       // step 14 raised to a full month: the months after it, a pension's full month
    PensionKind pension = PensionKind::None;
    Money pensionShare;  // PensionKind::Share: the month's pension raised to a full month
    Money periodPension; // PensionKind::Share: the pension in the pay of the period (daily: per day)
    LohnstrInput base;   // class, insurance, old-age relief, church-tax liability

    // The stored record of an earlier month of the case (1 to 11), read once when first asked for;
    // nullptr when the session has not opened the case files of this year and data set.
    const Case* storedMonth(int month) {
        const auto i = static_cast<size_t>(month - 1);
        if (!read_[i]) {
            read_[i] = true;
            if (g.store.holds(g.year, g.dataSet)) stored_[i] = g.store.storedMonth(month, g.caseNumber);
        }
        return stored_[i].get();
    }

  private:
    std::array<bool, 11> read_{};
    std::array<std::shared_ptr<const Case>, 11> stored_;
};

LohnstrOutput runFlowChart(const Month& m, const LohnstrInput& in) {
    if (m.g.year < kFirstYear || m.g.year > kLastYear) return {}; // no parameters, no tax
    return LOHNSTR(m.g.year, in);
}

// An amount of a partial month per calendar day of employment, to the cent (a tie to the even cent).
Money perDay(Money amount, int32_t days) {
    return cents(mulDiv(amount.units(), kDayUnits, int64_t{days} * Money::kUnitsPerCent, Rounding::HalfEven));
}

// A day's amount times the days of employment, to the cent (exact for whole days).
Money timesDays(Money perDayAmount, int32_t days) {
    return cents(mulDiv(perDayAmount.units(), days, kDayUnits * Money::kUnitsPerCent, Rounding::HalfEven));
}

// A run on the current pay of the pay period (RE4 in cents: the year salary, the month, or a day of a
// partial month). Deductions beyond the pay leave nothing to tax.
LohnstrOutput periodRun(const Month& m, int64_t re4, Money taxRecord) {
    re4 = std::max<int64_t>(re4, 0);
    LohnstrInput in = m.base;
    in.LZZ = m.yearSalary ? 1 : m.daily ? 4 : 2;
    in.RE4 = re4;
    setTaxRecordInputs(in, taxRecord);
    if (m.pension == PensionKind::WholePay) {
        in.VBEZ = re4;
        // VBEZM is a month's pension whatever the pay period.
        in.VBEZM = m.yearSalary ? re4 / 12 : m.daily ? std::max<int64_t>(wideCents(m.fullMonth), 0) : re4;
        in.ZMVB = m.yearSalary ? 12 : 0;
    } else if (m.pension == PensionKind::Share) {
        int64_t share = std::max<int64_t>(wideCents(m.pensionShare), 0);
        int64_t period = std::max<int64_t>(wideCents(m.periodPension), 0);
        in.VBEZ = std::min(m.yearSalary ? share * 12 : period, re4);
        in.VBEZM = share;
        in.ZMVB = m.yearSalary ? 12 : 0;
    }
    return runFlowChart(m, in);
}

// A run on an annual wage: steps 28 and 29 and the annual adjustment. monthlyPension is the
// full month's pension of the case (for the pension allowance).
LohnstrOutput annualRun(const Month& m, int64_t re4, Money annualTaxRecord, int64_t monthlyPension) {
    re4 = std::max<int64_t>(re4, 0);
    LohnstrInput in = m.base;
    in.LZZ = 1;
    in.RE4 = re4;
    setTaxRecordInputs(in, annualTaxRecord);
    if (m.pension != PensionKind::None) {
        int64_t pension = std::max<int64_t>(monthlyPension, 0);
        in.VBEZ = m.pension == PensionKind::WholePay ? re4 : std::min(pension * 12, re4);
        in.VBEZM = pension;
        in.ZMVB = 12;
    }
    return runFlowChart(m, in);
}

// The flow chart's own computation of a one-time payment (MSONST): the annual tax with and without
// it on the expected annual wage (JRE4), the yearly allowance or addition of the tax record, and
// the pension contained in both. Its surcharge (SOLZS) and church-tax base (BKS) are taken on the
// payment's tax alone, without the child allowances and, before 2021, without the exemption limit
// (§ 3 (4) SolZG); they are not the difference of two annual surcharges.
LohnstrOutput oneTimeRun(const Month& m, int64_t jre4, int64_t sonstb, Money annualTaxRecord,
                         int64_t monthlyPension) {
    jre4 = std::max<int64_t>(jre4, 0);
    sonstb = std::max<int64_t>(sonstb, 0);
    LohnstrInput in = m.base;
    in.LZZ = 1;
    in.RE4 = 0;
    in.JRE4 = jre4;
    in.SONSTB = sonstb;
    const int64_t record = wideCents(annualTaxRecord);
    in.JFREIB = record < 0 ? -record : 0;
    in.JHINZU = record > 0 ? record : 0;
    if (m.pension != PensionKind::None) {
        const int64_t pension = std::max<int64_t>(monthlyPension, 0);
        // A whole pay that is pension makes the payment a pension too.
        in.JVBEZ = m.pension == PensionKind::WholePay ? jre4 : std::min(pension * 12, jre4);
        in.VBS = m.pension == PensionKind::WholePay ? sonstb : 0;
        in.VBEZM = pension;
        in.ZMVB = 12;
    }
    return runFlowChart(m, in);
}

int64_t monthlyPension(const Month& m) {
    if (m.pension == PensionKind::WholePay) return wideCents(m.fullMonth);
    if (m.pension == PensionKind::Share) return wideCents(m.pensionShare);
    return 0;
}

// Outside class IV the factor is 1.000, in the case as well.
void FactorProcedure(Month& m) {
    int32_t factor = m.c.amount(AmountSlot::ClassIVFactor);
    if (m.taxClass.code != 4) {
        m.c.enterAmount(AmountSlot::ClassIVFactor, 1000);
        factor = 1000;
    } else if (factor <= 0 || factor > 1000) {
        factor = 1000;
    }
    m.t.classIVFactorThousandths = factor;
    m.base.af = 1;
    m.base.f = Decimal::fromScaled(factor, 3);
}

void FlowChartInputs(Month& m) {
    LohnstrInput& in = m.base;
    in.STKL = m.taxClass.byFlowChart() ? m.taxClass.code : 1;
    in.ZKF = m.taxClass.ZKF();
    in.R = m.churchRate > 0 ? 1 : 0;
    setInsuranceInputs(insuranceStatus(m.g), in);
    const int oldAge = m.c.key(KeySlot::OldAgeRelief);
    in.ALTER1 = oldAge > 0 ? 1 : 0;
    in.AJAHR = oldAge > 0 ? std::max(2005, m.g.year + 1 - oldAge) : 2005;
    in.VJAHR = m.t.inputs.pensionStartYear > 0 ? m.t.inputs.pensionStartYear : m.g.year;
}

// Steps 1 to 15.
void TaxablePay(Month& m) {
    const TaxInputs& in = m.t.inputs;
    TaxWorksheet& w = m.w;
    w.amount(1) = cents(m.c.amount(AmountSlot::Gross));
    w.amount(2) = w.amount(1) - taxableLines(m.c);
    w.amount(3) = in.levyTaxable;
    w.amount(4) = in.levyFlatTaxedByEmployer;
    w.amount(5) = in.inKindTaxable;
    w.amount(6) = in.paymentsTaxable;
    Money employerFlat, employeeFlat;
    for (int i = 0; i < kFlatRateGroups; ++i) {
        employerFlat += in.employerFlat[static_cast<size_t>(i)];
        employeeFlat += in.employeeFlat[static_cast<size_t>(i)];
    }
    w.amount(7) = employerFlat;
    w.amount(8) = employeeFlat;
    w.amount(9) = in.taxFreeAmounts;
    w.amount(10) = w.amount(1) - w.amount(2) + w.amount(3) - w.amount(4) + w.amount(5) + w.amount(6) -
                   w.amount(7) - w.amount(8) - w.amount(9);
    w.amount(11) = taxRecordAmount(m.c);
    // The flat-rate codes tax the whole pay alike; the year salary is one annual wage.
    if (m.taxClass.byFlowChart() && !m.yearSalary) {
        w.amount(12) = oneTimeLines(m.c) + in.oneTimeFromKeyCodes;
        w.amount(13) = in.levyOneTimeShare;
    }
    // The allowance of step 11 goes to the flow chart as such, so that it lowers the taxable income
    // but not the wage the Vorsorgepauschale is taken from.
    w.amount(14) = w.amount(10) - w.amount(12) - w.amount(13);

    // Unpaid days of a continuing employment ("Tage v. normal, Arbeitsverh. läuft") keep the month as
    // the pay period, taxed on the actual pay (R 39b.5 (2) sentence 3 LStR), as does "% Kürzung".
    m.paidDays = m.c.amount(AmountSlot::PaidDays);
    m.monthDays = m.c.amount(AmountSlot::MonthDays);
    m.daily = m.taxClass.byFlowChart() && !m.yearSalary &&
              m.c.key(KeySlot::PartialMonth) == parttime::kDays && m.paidDays > 0 && m.paidDays < m.monthDays;
    if (m.daily) {
        w.setPartialMonth(formatDays(m.paidDays));
        w.amount(15) = perDay(w.amount(14), m.paidDays);
        m.fullMonth = w.amount(14).timesRatio(m.monthDays, m.paidDays);
    } else {
        w.amount(15) = w.amount(14);
        m.fullMonth = w.amount(14);
    }

    if (m.c.key(KeySlot::PartTime) == kPensionWholePay) {
        m.pension = PensionKind::WholePay;
    } else if (m.c.key(KeySlot::TaxAllowance) == kPensionShareOption &&
               m.c.amount(AmountSlot::TaxAllowance) > 0) {
        m.pension = PensionKind::Share;
        const Money typed = cents(m.c.amount(AmountSlot::TaxAllowance));
        m.pensionShare = m.daily ? typed.timesRatio(m.monthDays, m.paidDays) : typed;
        m.periodPension = m.daily ? perDay(typed, m.paidDays) : typed;
    }
}

// Steps 16 to 18 by the flow chart. In a partial month the taxes of one day (LZZ 4, the tax record's
// monthly amount / 30 as the day's) times the days of employment.
void CurrentPayTax(Month& m) {
    Money taxRecord = m.w.amount(11);
    if (m.daily)
        taxRecord = cents(mulDiv(taxRecord.units(), 1, 30 * Money::kUnitsPerCent, Rounding::HalfEven));
    const LohnstrOutput out = periodRun(m, wideCents(m.w.amount(15)), taxRecord);
    Money tax = cents(out.LSTLZZ);
    Money surcharge = m.t.soliByFlowChart ? cents(out.SOLZLZZ) : simpleSurcharge(m.g.year, tax);
    Money church = churchTaxOf(out.BK, m.churchRate);
    if (m.daily) {
        tax = timesDays(tax, m.paidDays);
        surcharge = timesDays(surcharge, m.paidDays);
        church = timesDays(church, m.paidDays);
    }
    m.w.setCurrentTaxes(tax, surcharge, church);
}

// Steps 16 to 18 of "pauschal 20 %" and "pauschal 25 %": the taxable pay at the flat rate; church tax
// by the option of line 36.
void WholePayFlatRate(Month& m) {
    const Money base = std::max(m.w.amount(15), Money());
    const Money tax = percentRounded(base, m.taxClass.code == kFlatRate20 ? 2000 : 2500);
    Money church;
    switch (m.c.key(KeySlot::ChurchTax)) {
    case 2: {
        int32_t entered = m.c.previousAmount(kEnteredChurchTaxSlot);
        church = cents(entered < 0 ? -static_cast<int64_t>(entered) : entered);
        break;
    }
    case 3:
        break;
    default:
        church = percentRounded(tax, m.churchRate);
        break;
    }
    m.w.setCurrentTaxes(tax, flatRateSurcharge(tax), church);
}

// The uniform flat tax of 2 % includes surcharge and church tax.
void MiniJobFlatRate(Month& m) {
    const Money tax = percentRounded(std::max(m.w.amount(15), Money()), kMiniJobRate);
    if (m.taxClass.code == kMiniJobEmployee)
        m.w.setCurrentTaxes(tax, Money(), Money());
    else
        m.t.employerFlat.wageTax += tax;
}

// Steps 19 to 21 and the employer's flat-rate taxes.
void FlatRateTaxesOfTheMonth(Month& m) {
    const int region = m.c.region();
    const int32_t landRate =
        region >= 0 && region < kRegionCount ? m.t.lands[static_cast<size_t>(region)].flatHundredths : 0;
    const int32_t rate = m.c.key(KeySlot::ChurchTax) == 3 ? 0 : landRate;
    m.w.setFlatChurchRate(rate);
    if (!m.taxClass.byFlowChart()) return;
    const FlatRateTaxes employee = flatRateTaxes(m.t.inputs.employeeFlat, rate);
    m.w.amount(19) = employee.wageTax;
    m.w.amount(20) = employee.surcharge;
    m.w.amount(21) = employee.churchTax;
    const FlatRateTaxes employer = flatRateTaxes(m.t.inputs.employerFlat, rate);
    m.t.employerFlat.wageTax += employer.wageTax;
    m.t.employerFlat.surcharge += employer.surcharge;
    m.t.employerFlat.churchTax += employer.churchTax;
}

// Steps 22 to 32: the one-time payment by the annual-table method. Steps 28 and 29 show the two
// annual taxes; the tax, surcharge and church tax of the payment are the flow chart's STS, SOLZS
// and BKS.
void OneTimePayment(Month& m) {
    TaxWorksheet& w = m.w;
    const int monthIndex = m.c.monthIndex();
    const int remaining = 12 - monthIndex;
    w.setRemainingMonths(remaining);
    w.setChurchRate(m.churchRate);
    w.amount(25) = w.amount(12) + w.amount(13);
    if (w.amount(25) == Money() || !m.taxClass.byFlowChart() || m.yearSalary) {
        w.amount(25) = Money();
        return;
    }
    Money earlier;
    for (int month = 1; month <= monthIndex; ++month)
        if (const auto& stored = m.storedMonth(month)) earlier += taxableLines(*stored);
    w.amount(22) = earlier;
    // This month as it is, the months after it as full months.
    w.amount(23) = w.amount(14) + m.fullMonth * (remaining - 1);
    w.amount(24) = w.amount(22) + w.amount(23);
    w.amount(26) = w.amount(24) + w.amount(25);
    w.amount(27) = w.amount(11) * 12;
    const int64_t pension = monthlyPension(m);
    const LohnstrOutput without = annualRun(m, wideCents(w.amount(24)), w.amount(27), pension);
    const LohnstrOutput with = annualRun(m, wideCents(w.amount(26)), w.amount(27), pension);
    w.amount(28) = cents(without.LSTLZZ);
    w.amount(29) = cents(with.LSTLZZ);
    const LohnstrOutput payment =
        oneTimeRun(m, wideCents(w.amount(24)), wideCents(w.amount(25)), w.amount(27), pension);
    w.amount(30) = cents(payment.STS);
    w.amount(31) = m.t.soliByFlowChart ? cents(payment.SOLZS) : simpleSurcharge(m.g.year, w.amount(30));
    w.amount(32) = churchTaxOf(payment.BKS, m.churchRate);
}

// The taxable income behind an annual run, less the child allowances as the church-tax base
// counts them: ZVE = WVFRB + basic allowance (when WVFRB is 0 the income is at most the basic
// allowance and no tax is due).
Money capBase(const Month& m, const LohnstrOutput& annual) {
    if (annual.WVFRB <= 0 || m.g.year < kFirstYear || m.g.year > kLastYear) return Money();
    const auto& params = lohnstr_detail::yearParams(m.g.year);
    const int64_t gfb = params.tariff.GFB.toInt64();
    const int64_t perChild =
        (m.taxClass.code == 4 ? params.KFB_PER_CHILD_STKL4 : params.KFB_PER_CHILD).toInt64();
    const int64_t childAllowance = m.taxClass.code <= 4 ? m.taxClass.childAllowances2 * perChild / 2 : 0;
    return std::max(Money(), cents(annual.WVFRB + (gfb - childAllowance) * 100));
}

void AnnualAdjustmentStep(Month& m) {
    AnnualAdjustment& a = m.t.adjustment;
    if (m.c.monthIndex() != 11 || m.c.key(KeySlot::AnnualAdjustment) != kWithAdjustment) return;
    const TaxWorksheet& w = m.w;
    a.months[11] = {w.amount(10), w.amount(11), w.currentWageTax() + w.amount(30),
                    w.currentSurcharge() + w.amount(31), w.currentChurchTax() + w.amount(32)};
    bool allowance = HasTaxRecordAllowance(m.c);
    for (int month = 1; month <= 11; ++month) {
        const auto& stored = m.storedMonth(month);
        if (!stored) continue;
        allowance = allowance || HasTaxRecordAllowance(*stored);
        a.months[static_cast<size_t>(month - 1)] = {taxableLines(*stored), taxRecordAmount(*stored),
                                                    -cents(stored->amount(AmountSlot::WageTax)),
                                                    -cents(stored->amount(AmountSlot::SolidaritySurcharge)),
                                                    -cents(stored->amount(AmountSlot::ChurchTax))};
    }
    for (const auto& row : a.months) {
        a.sum.taxable += row.taxable;
        a.sum.allowance += row.allowance;
        a.sum.wageTax += row.wageTax;
        a.sum.surcharge += row.surcharge;
        a.sum.churchTax += row.churchTax;
    }
    a.annualTaxable = a.sum.taxable;
    if (allowance) {
        a.status = AnnualAdjustment::Status::RefusedAllowance;
        return;
    }
    if (m.taxClass.code > 4) {
        a.status = AnnualAdjustment::Status::RefusedTaxClass;
        return;
    }
    a.status = AnnualAdjustment::Status::Performed;

    const LohnstrOutput out = annualRun(m, wideCents(a.annualTaxable), a.sum.allowance, monthlyPension(m));
    a.annual.wageTax = cents(out.LSTLZZ);
    a.annual.surcharge =
        m.t.soliByFlowChart ? cents(out.SOLZLZZ) : simpleSurcharge(m.g.year, a.annual.wageTax);
    a.churchTaxByTable = churchTaxOf(out.BK, m.churchRate);
    a.annual.churchTax = a.churchTaxByTable;

    const int region = m.c.region();
    if (region >= 1 && region <= 16 && m.churchRate > 0) {
        const LandChurchTax& land = m.t.lands[static_cast<size_t>(region)];
        if (land.capInPayroll && land.capHundredths > 0) {
            a.capHundredths = land.capHundredths;
            a.capBase = capBase(m, out);
            a.capAmount = percentTruncated(a.capBase, land.capHundredths);
            a.capGoverns = a.capAmount < a.churchTaxByTable;
            if (a.capGoverns) a.annual.churchTax = a.capAmount;
        }
    }
    const auto& dec = a.months[11];
    a.december.wageTax = a.annual.wageTax - (a.sum.wageTax - dec.wageTax);
    a.december.surcharge = a.annual.surcharge - (a.sum.surcharge - dec.surcharge);
    a.december.churchTax = a.annual.churchTax - (a.sum.churchTax - dec.churchTax);
}

void SheetLines(Month& m) {
    const TaxWorksheet& w = m.w;
    FlatRateTaxes lines;
    if (m.t.adjustment.performed()) {
        lines = m.t.adjustment.december;
    } else {
        lines = {w.currentWageTax() + w.amount(30), w.currentSurcharge() + w.amount(31),
                 w.currentChurchTax() + w.amount(32)};
    }
    lines.wageTax += w.amount(19);
    lines.surcharge += w.amount(20);
    lines.churchTax += w.amount(21);
    m.c.setAmount(AmountSlot::WageTax, (-lines.wageTax).toCents());
    m.c.setAmount(AmountSlot::SolidaritySurcharge, (-lines.surcharge).toCents());
    m.c.setAmount(AmountSlot::ChurchTax, (-lines.churchTax).toCents());
}

} // namespace

TaxClass TaxClassSelector(int position) {
    if (position >= 0 && position <= 8) return {1, position};
    if (position >= 9 && position <= 20) return {2, position - 8};
    if (position >= 21 && position <= 33) return {3, position - 21};
    if (position >= 34 && position <= 46) return {4, position - 34};
    switch (position) {
    case 47:
        return {5, 0};
    case 48:
        return {6, 0};
    case 49:
        return {kFlatRate20, 0};
    case 50:
        return {kFlatRate25, 0};
    case 51:
        return {kMiniJobEmployer, 0};
    case 52:
        return {kMiniJobEmployee, 0};
    default:
        return {1, 0};
    }
}

bool HasTaxRecordAllowance(const Case& c) {
    const int option = c.key(KeySlot::TaxAllowance);
    return (option == kAllowanceOption || option == kAdditionOption) &&
           c.amount(AmountSlot::TaxAllowance) != 0;
}

Money flatRateSurcharge(Money flatTax) {
    return percentTruncated(flatTax, kSurchargeRate);
}

void WageTaxStep(Globaldaten& g) {
    TaxState& t = g.tax;
    if (t.churchDataYear != g.year) {
        t.lands = shippedChurchTax(g.year);
        t.churchDataYear = g.year;
    }
    t.worksheet.clear();
    t.adjustment = {};
    t.employerFlat = {};

    Month m(g, TaxClassSelector(g.workingCase.key(KeySlot::TaxClass)));
    m.churchRate = ChurchTaxRate(m.c.key(KeySlot::ChurchTax), m.c.key(KeySlot::Denomination));
    m.yearSalary = m.c.monthIndex() > 11;
    FactorProcedure(m);
    FlowChartInputs(m);
    TaxablePay(m);
    if (m.taxClass.byFlowChart())
        CurrentPayTax(m);
    else if (m.taxClass.code == kFlatRate20 || m.taxClass.code == kFlatRate25)
        WholePayFlatRate(m);
    else
        MiniJobFlatRate(m);
    FlatRateTaxesOfTheMonth(m);
    OneTimePayment(m);
    AnnualAdjustmentStep(m);
    SheetLines(m);
}

} // namespace varemo
