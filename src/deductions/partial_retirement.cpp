#include "deductions/partial_retirement.h"

#include "base/record_file.h"
#include "deductions/insurance_status.h"
#include "deductions/tax_step.h"
#include "law/lohnstr.h"
#include "law/partial_retirement.h"
#include "pay/part_time.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr int kTopUpWork = 1;    // line 43 "ATZ-Aufstock. Arbeitsphase"
constexpr int kTopUpRelease = 2; // line 43 "ATZ-Aufstock. Freizeitphase"
constexpr int kTopUpTyped = 3;   // line 43 "ATZ-Aufstockung lt. Eingabe"
constexpr size_t kMinimumNetRecordLength = 20;
constexpr int kLastCurrentPayLine = 17; // lines 18 to 20 are one-time pay

// percent % of an amount, to the cent (commercial rounding).
Money percentOf(Money amount, int percent) {
    return Money::fromCents(mulDiv(amount.units(), percent, 100 * Money::kUnitsPerCent, Rounding::HalfUp));
}

Money positive(Money m) {
    return std::max(m, Money());
}

struct LineSums {
    Money previous; // "für Arbeit in bisherigem Umfang"
    Money paid;     // "für Altersteilzeitarbeit"
};

template <typename Enters> LineSums sumLines(const Globaldaten& g, Enters enters) {
    LineSums s;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const LineColumns& col = g.extras.columns.line(line);
        if (!enters(line, g.workingCase.grossLine(line))) continue;
        s.previous += col.partTime;
        s.paid += col.actual;
    }
    return s;
}

SvDefaults yearDefaults(const Globaldaten& g) {
    if (g.social.defaults.year == g.year) return g.social.defaults;
    return SvDefaults::forYear(g.year).value_or(SvDefaults());
}

int taxClassOf(const Globaldaten& g) {
    const TaxClass cls = TaxClassSelector(g.workingCase.key(KeySlot::TaxClass));
    return cls.byFlowChart() ? cls.code : 1;
}

std::optional<Money> tableMinimumNet(const Globaldaten& g, const char* file, Money fullGross,
                                     std::string& missing) {
    static constexpr const char* kClassNames[] = {"I/IV", "II", "III", "V", "VI"};
    const int record = minimumNetRecord(fullGross);
    const int column = minimumNetColumn(taxClassOf(g));
    if (record > 0) {
        const RecordBuffer r =
            readRecordIfExists(g.programDir / "Texte" / file, kMinimumNetRecordLength, record);
        const int32_t cents = r.i32(4 * static_cast<size_t>(column));
        if (cents > 0) return Money::fromCents(cents);
    }
    missing = std::string("Texte/") + file + " enthält keinen Mindestnettobetrag für " +
              Money::fromEuros(5 * int64_t{record}).toDisplay() + " EUR, Steuerklasse " +
              kClassNames[column] + "; die Aufstockung auf das Mindestnetto fehlt.";
    return std::nullopt;
}

MinimumNetRaise raiseTo(const Globaldaten& g, TopUpBase base, int percent, int legalPercent,
                        const char* table, Money twenty) {
    MinimumNetRaise r;
    r.percent = percent;
    const LineSums s = sumLines(g, [base](int, const GrossLineAttributes& a) {
        return categoryEntersTopUp(a.partialRetirementCategory, base);
    });
    r.partTime = flatRateNet(g, s.paid, true);
    if (minimumNetTablesInForce(g.year) && percent == legalPercent) {
        r.fromTable = true;
        r.fullTime.gross = s.previous;
        r.minimumNet = tableMinimumNet(g, table, s.previous, r.missing);
    } else {
        // No table in law (§ 15 AltTZG repealed from 2020) or a percentage of its own: the percentage of
        // the full-time net less the deductions usually due.
        r.fullTime = flatRateNet(g, s.previous, true);
        r.minimumNet = percentOf(r.fullTime.net, percent);
    }
    if (r.minimumNet) r.raise = positive(*r.minimumNet - r.partTime.net - twenty);
    return r;
}

PercentTopUp percentTopUp(const Globaldaten& g, TopUpBase base, int percent) {
    PercentTopUp t;
    t.base = sumLines(g, [base](int, const GrossLineAttributes& a) {
                 return categoryEntersTopUp(a.partialRetirementCategory, base);
             }).paid;
    t.amount = percentOf(t.base, percent);
    return t;
}

PensionTopUp pensionTopUp(const Globaldaten& g) {
    PensionTopUp p;
    p.rateName = pensionRateName(g.year);
    if (insuranceStatus(g).krv == 2) return p; // no statutory pension insurance
    const LineSums s = sumLines(g, [](int line, const GrossLineAttributes& a) {
        return line <= kLastCurrentPayLine && a.flag(LineFlag::SocialInsurance);
    });
    const Money ceiling = yearDefaults(g).rvCeiling[g.east ? 1 : 0];
    p.fullTimePay = s.previous;
    p.ninetyPercent = percentOf(s.previous, 90);
    p.partTimePay = s.paid;
    p.agreementDifference = positive(std::min(p.ninetyPercent, ceiling) - s.paid);
    const Money regular = std::min(s.paid, ceiling);
    p.statutoryBase = std::min(percentOf(regular, 80), positive(percentOf(ceiling, 90) - regular));
    p.difference = std::max(p.agreementDifference, p.statutoryBase);
    p.contribution = contribution(p.difference, Rate::fromHundredths(pensionRateHundredths(g.year)));
    return p;
}

CivilServantSupplement civilServantSupplement(const Globaldaten& g) {
    CivilServantSupplement s;
    s.percent = g.retirement.percents.civilServant;
    const LineSums pay = sumLines(g, [](int line, const GrossLineAttributes& a) {
        return line != 11 && line < 16 &&
               categoryEntersTopUp(a.partialRetirementCategory, TopUpBase::AgreementMinimumNet);
    });
    s.fullTime = flatRateNet(g, pay.previous, false);
    s.partTime = flatRateNet(g, pay.paid, false);
    s.guaranteedNet = percentOf(s.fullTime.net, s.percent);
    s.supplement = positive(s.guaranteedNet - s.partTime.net);
    return s;
}

// The shown rates are rounded to a hundredth of a percent; the amounts use the exact ratio, to the cent.
ProgressionEstimate progressionEstimate(const Globaldaten& g, Money topUps) {
    ProgressionEstimate p;
    p.taxable = g.tax.worksheet.amount(14);
    p.topUps = topUps;
    p.total = p.taxable + topUps;
    if (p.total <= Money()) return p;
    const FlatRateNet taxes = flatRateNet(g, p.total, false);
    p.wageTax = taxes.wageTax;
    p.surcharge = taxes.surcharge;
    // Without church membership the case pays no church tax, neither on the assessment.
    if (g.tax.worksheet.currentChurchTax() > Money()) p.churchTax = taxes.churchTax;
    const auto rate = [&](Money tax) {
        return static_cast<int32_t>(mulDiv(tax.units(), 10000, p.total.units(), Rounding::HalfUp));
    };
    const auto extra = [&](Money tax) {
        return Money::fromCents(
            mulDiv(topUps.units(), tax.units(), p.total.units() * Money::kUnitsPerCent, Rounding::HalfUp));
    };
    p.wageTaxRate = rate(p.wageTax);
    p.surchargeRate = rate(p.surcharge);
    p.churchTaxRate = rate(p.churchTax);
    p.extraWageTax = extra(p.wageTax);
    p.extraSurcharge = extra(p.surcharge);
    p.extraChurchTax = extra(p.churchTax);
    p.extraTotal = p.extraWageTax + p.extraSurcharge + p.extraChurchTax;
    return p;
}

void addToEmployerCost(Globaldaten& g) {
    EmployerCost& e = g.pension.employer;
    const Case& c = g.workingCase;
    const int key = c.key(KeySlot::ChildBenefit);
    if (key >= kTopUpWork && key <= kTopUpTyped)
        e[EmployerItem::PartialRetirementTopUp] = Money::fromCents(c.amount(AmountSlot::ChildBenefit));
    e[EmployerItem::PensionShare] += g.retirement.result.pension.contribution;
    e.total = Money();
    for (const Money& item : e.items)
        e.total += item;
}

} // namespace

FlatRateNet flatRateNet(const Globaldaten& g, Money gross, bool employee) {
    FlatRateNet n;
    n.gross = gross;
    if (gross <= Money() || g.year < kFirstYear || g.year > kLastYear) {
        n.net = gross;
        return n;
    }
    const TaxClass cls = TaxClassSelector(g.workingCase.key(KeySlot::TaxClass));
    const InsuranceStatus s = insuranceStatus(g);
    LohnstrInput in;
    in.STKL = taxClassOf(g);
    in.ZKF = cls.byFlowChart() ? cls.ZKF() : Decimal(0);
    in.R = 1; // church membership is assumed
    setInsuranceInputs(s, in);
    in.LZZ = 2;
    in.RE4 = gross.toCents();
    const LohnstrOutput out = LOHNSTR(g.year, in);
    n.wageTax = Money::fromCents(out.LSTLZZ);
    n.surcharge = monthlySolidaritySurcharge(g.year, n.wageTax, in.STKL == 3);
    n.churchTax = Money::fromCents(mulDiv(out.BK, kFlatChurchTaxPercent, 100, Rounding::TowardZero));
    if (employee) {
        const SvDefaults d = yearDefaults(g);
        const size_t area = g.east ? 1 : 0;
        // Until 2018 the employee bore the whole additional contribution, from 2019 half of it.
        const Rate additional = g.year >= 2019 ? d.averageAdditional.half() : d.averageAdditional;
        Rate care = d.pvHalf;
        if (s.childless) care = care + d.childlessSurcharge;
        if (s.saxony) care = care + d.saxonyShift;
        n.socialInsurance = contribution(std::min(gross, d.kvCeiling[area]), d.kvGeneralHalf + additional) +
                            contribution(std::min(gross, d.pvCeiling[area]), care) +
                            contribution(std::min(gross, d.rvCeiling[area]), d.rvHalf) +
                            contribution(std::min(gross, d.avCeiling[area]), d.avHalf);
    }
    n.net = gross - n.wageTax - n.surcharge - n.churchTax - n.socialInsurance;
    return n;
}

void PartialRetirementTopUpStep(Globaldaten& g) {
    PartialRetirementResult& r = g.retirement.result;
    r = PartialRetirementResult();
    Case& c = g.workingCase;
    const int option = c.key(KeySlot::PartialMonth);
    if (option != parttime::kRetirementWork && option != parttime::kRetirementRelease) return;
    const int sr = c.serviceRelationship();
    const bool civil = isCivilServant(sr);
    if ((civil && sr == relationship::kCandidates) || isWithoutPay(sr)) return;
    r.computed = true;
    r.civilServant = civil;
    r.releasePhase = option == parttime::kRetirementRelease;
    const PartialRetirementPercents& pct = g.retirement.percents;
    if (civil) {
        r.civil = civilServantSupplement(g);
        r.topUp = r.civil.supplement;
    } else {
        r.atgTwenty = percentTopUp(g, TopUpBase::AtgTwentyPercent, kTopUpPercent);
        r.atgRaise = raiseTo(g, TopUpBase::AtgMinimumNet, pct.atg, kAtgMinimumNetPercent, "MNET.txt",
                             r.atgTwenty.amount);
        r.agreementTwenty = percentTopUp(g, TopUpBase::AgreementTwenty, kTopUpPercent);
        r.agreementVariant = percentOf(r.agreementTwenty.base, kTopUpVariantPercent);
        r.agreementRaise = raiseTo(g, TopUpBase::AgreementMinimumNet, pct.agreement,
                                   kAgreementMinimumNetPercent, "MNET2.txt", r.agreementTwenty.amount);
        r.topUp = r.agreementTwenty.amount + r.agreementRaise.raise;
        r.pension = pensionTopUp(g);
    }
    r.progression = progressionEstimate(g, r.topUp);
    if (c.key(KeySlot::ChildBenefit) != kTopUpTyped) {
        c.setKey(KeySlot::ChildBenefit, static_cast<int16_t>(r.releasePhase ? kTopUpRelease : kTopUpWork));
        c.setAmount(AmountSlot::ChildBenefit, r.topUp.toCents());
    }
    addToEmployerCost(g);
}

} // namespace varemo
