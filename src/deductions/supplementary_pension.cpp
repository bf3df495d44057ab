#include "deductions/supplementary_pension.h"

#include "deductions/social_insurance_step.h"
#include "deductions/tax_step.h"
#include "law/church_tax.h"
#include "pay/part_time.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr int kTaxClassSixPosition = 48;      // line 34: class VI, a further employment
constexpr int kNoChurchTaxOption = 3;         // line 36: no church tax, not even on flat-rate tax
constexpr int kSvevPercentHundredths = 250;   // 2,5 % of the levy pay count as pay (SvEV)
constexpr int64_t kSvevAllowanceCents = 1330; // less 13,30 euros a month
constexpr int64_t kSvevCapCents = 10000;      // up to 100 euros of tax-free and flat-taxed levy

// Rates in ten-thousandths of a percent applied to an amount, rounded to the cent.
Money applyRate(Money base, int32_t rate) {
    return base.timesRatio(rate, 1000000).roundedToCent();
}

Money atLeastZero(Money m) {
    return m < Money() ? Money() : m;
}

int monthIndexOf(const Case& c) {
    return std::clamp(c.monthIndex(), 0, 11);
}

// The Land's rate on flat-rate wage tax, as the tax step keeps it for the year.
int32_t flatChurchRate(const Globaldaten& g) {
    int region = g.workingCase.region();
    if (region < 0 || region >= kRegionCount) return 0;
    if (g.tax.churchDataYear == g.year) return g.tax.lands[static_cast<size_t>(region)].flatHundredths;
    return shippedChurchTax(g.year)[static_cast<size_t>(region)].flatHundredths;
}

// Whether the fund at a position belongs to the eastern settlement area for a case of the area.
bool eastSettlementArea(int position, bool eastCase) {
    if (position <= fund::VblOther) return eastCase;
    if (position <= fund::VblEastOther) return true;
    if (position == 8) return false; // VBL-Extra West
    if (position == 9) return true;  // VBL-Extra Ost
    if (position <= 14) return true; // communal funds of the eastern Länder
    return false;
}

// The employee's share of line 31 and what its caption shows.
struct Share {
    Money amount;
    PensionWorksheet::ShareCaption caption = PensionWorksheet::ShareCaption::None;
    int32_t captionValue = 0;
};

Share employeeShare(const Globaldaten& g, Money levyPay) {
    const Case& c = g.workingCase;
    const int code = c.key(KeySlot::EmployeeShare);
    if (code >= 1 && code <= 400) {
        Money exact = levyPay.timesRatio(code, 10000);
        return {Money::fromCents(exact.toCentsCommercial()), PensionWorksheet::ShareCaption::RateOfLevyPay,
                code};
    }
    if (code == kShareEnteredLevy || code == kShareEnteredContribution) {
        int64_t typed = c.previousAmount(AmountSlot::EmployeeShare);
        return {Money::fromCents(typed < 0 ? -typed : typed), PensionWorksheet::ShareCaption::Entered, code};
    }
    if (code == kShareHamburg && c.region() == kRegionHamburg) {
        int32_t rate = hamburgContributionRate(g.year, monthIndexOf(c));
        Money exact = levyPay.timesRatio(rate, 10000);
        return {Money::fromCents(exact.toCentsCommercial()), PensionWorksheet::ShareCaption::Hamburg, rate};
    }
    // No share, an unknown code, or Hamburg's contribution outside Hamburg.
    return {};
}

} // namespace

Money flatTaxLimit(int choice, Money entered) {
    switch (choice) {
    case 1:
        return Money::fromCents(9203);
    case 2:
        return Money::fromCents(12782);
    case 3:
        return Money::fromCents(14600);
    case 4:
        return Money();
    case 5:
        return atLeastZero(entered);
    default:
        return Money::fromCents(8948);
    }
}

void EnsurePensionSettings(Globaldaten& g) {
    if (g.pension.settingsYear == g.year) return;
    g.pension.settings = PensionDefaults(g.year);
    g.pension.settingsYear = g.year;
}

namespace {

// The employee's share of the levy as the fund's settings give it for the case.
int defaultShareCode(Globaldaten& g) {
    EnsurePensionSettings(g);
    const Case& c = g.workingCase;
    const int position = c.key(KeySlot::SupplementaryFund);
    const bool insured = paysContributions(c.serviceRelationship()) && isPensionFund(position);
    if (insured && position == fund::Hamburg) return c.region() == kRegionHamburg ? kShareHamburg : 0;
    if (insured) return g.pension.settings.rates(position, g.east, monthIndexOf(c)).employeeShareCode();
    return 0;
}

} // namespace

int EmployeeShareCodeOfOption(Globaldaten& g, int position) {
    switch (position) {
    case 0:
        return 0;
    case 1:
        return defaultShareCode(g);
    case 2:
        return kShareEnteredLevy;
    case 3:
        return kShareEnteredContribution;
    default:
        return -1;
    }
}

void ApplyPensionDefaults(Globaldaten& g) {
    Case& c = g.workingCase;
    const int position = c.key(KeySlot::SupplementaryFund);
    const bool insured = paysContributions(c.serviceRelationship()) && isPensionFund(position);
    c.setKey(KeySlot::EmployeeShare, static_cast<int16_t>(defaultShareCode(g)));

    const int choice = c.key(KeySlot::FlatTaxLimitChoice);
    if (insured && position != fund::Hamburg && (choice == 0 || choice == 1))
        c.setKey(KeySlot::FlatTaxLimitChoice, eastSettlementArea(position, g.east) ? 0 : 1);
}

void SupplementaryPensionStep(Globaldaten& g) {
    EnsurePensionSettings(g);
    Case& c = g.workingCase;
    PensionState& p = g.pension;
    PensionWorksheet& w = p.worksheet;
    w.clear();
    p.svAddedPay = Money();
    p.employeeCapital = Money();
    p.employeeCapitalRate = 0;
    p.levyOneTimeShare = Money();

    // 1 to 7: the pay subject to the levy.
    Money liable;
    Money oneTimeLiable; // lines 19 and 20 are one-time pay
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const auto& attributes = c.grossLine(line);
        if (!attributes.flag(LineFlag::SupplementaryPension)) continue;
        liable += attributes.reducedAmount;
        if (line == 19 || line == 20) oneTimeLiable += attributes.reducedAmount;
    }
    w.amount(1) = Money::fromCents(c.amount(AmountSlot::Gross));
    w.amount(2) = w.amount(1) - liable;
    w.amount(3) = p.inputs.specialPaymentExempt;
    w.amount(4) = p.inputs.inKindLiable;
    w.amount(5) = p.inputs.paymentsLiable;
    w.amount(6) = p.inputs.exemptAmounts;
    w.amount(7) = atLeastZero(liable - w.amount(3) + w.amount(4) + w.amount(5) - w.amount(6));

    const int position = c.key(KeySlot::SupplementaryFund);
    const bool insured = paysContributions(c.serviceRelationship()) && isPensionFund(position);
    const int month = monthIndexOf(c);
    if (insured) {
        const PensionRates& rates = p.settings.rates(position, g.east, month);

        // 8 to 10: capped at the ceiling of the area (0: none), raised for partial retirement.
        w.amount(8) = g.east ? p.settings.ceilingEast[static_cast<size_t>(month)]
                             : p.settings.ceilingWest[static_cast<size_t>(month)];
        w.amount(9) = w.amount(8) > Money() ? std::min(w.amount(7), w.amount(8)) : w.amount(7);
        w.amount(10) = isPartialRetirement(c) ? w.amount(9).timesRatio(18, 10).roundedToCent() : w.amount(9);

        // 11 to 13: the employer's levy and the additional levy above the month's threshold.
        w.amount(11) = applyRate(w.amount(10), rates.employerLevy());
        w.setLevyRate(rates.employerLevy()); // the captions of 11 and 20
        const int additional = c.key(KeySlot::AdditionalLevy);
        if (additional == 1 || additional == 2) {
            const int32_t rate = additional == 1 ? 80000 : 90000;
            const bool specialPaymentMonth = c.grossLine(19).flag(LineFlag::SupplementaryPension) &&
                                             c.grossLine(19).reducedAmount > Money();
            Money threshold = additional == 1 ? p.settings.threshold8[static_cast<size_t>(month)]
                                              : p.settings.threshold9[static_cast<size_t>(month)];
            if (specialPaymentMonth)
                threshold =
                    g.east ? p.settings.specialPaymentThresholdEast : p.settings.specialPaymentThresholdWest;
            w.additionalBase = atLeastZero(w.amount(10) - threshold);
            w.amount(12) = applyRate(w.additionalBase, rate);
            w.setAdditionalLevyRate(rate);
        }
        w.amount(13) = w.amount(11) + w.amount(12);

        // The employer's capital contribution, tax-free under § 3 Nr. 63 EStG.
        w.amount(29) = applyRate(w.amount(10), rates.employerCapital());

        // 14 to 17: the tax-free levy (first employment only), the flat-taxed part, the rest.
        const int taxClassPosition = c.key(KeySlot::TaxClass);
        const bool firstEmployment = taxClassPosition >= 0 && taxClassPosition < kTaxClassSixPosition;
        if (firstEmployment) {
            const Money ceiling = sessionSvDefaults(g).rvCeiling[static_cast<size_t>(Region::West)];
            Money allowance = ceiling.timesRatio(taxFreeLevyPercent(g.year), 100);
            // § 3 Nr. 56 sentence 3 EStG: less what stays tax-free under § 3 Nr. 63, the deferred
            // compensation and the employer's capital contribution alike.
            Money deferred = atLeastZero(Money::fromCents(c.amount(AmountSlot::DeferredCompensation)));
            Money taxFreeFunded = deferred + w.amount(29);
            w.amount(14) = atLeastZero(allowance - taxFreeFunded);
            const bool capital = w.amount(29) > Money();
            w.setTaxFreeAllowance(allowance, capital ? taxFreeFunded : deferred, capital);
        } else {
            w.setNoTaxFreeAllowance();
        }
        w.amount(15) = atLeastZero(w.amount(13) - w.amount(14));
        const Money taxFreeUsed = w.amount(13) - w.amount(15);

        const PartialMonthFraction fraction = partialMonthFraction(c);
        Money limit = flatTaxLimit(c.key(KeySlot::FlatTaxLimitChoice),
                                   Money::fromCents(c.amount(AmountSlot::FlatTaxLimit)));
        if (fraction.partial()) limit = limit.timesRatio(fraction.paid, fraction.whole).roundedToCent();
        w.amount(16) = std::min(w.amount(15), limit);
        w.amount(17) = w.amount(15) - w.amount(16);

        // 18 to 23: social insurance (§ 1 Abs. 1 Satz 3 and 4 SvEV). Of the tax-free and flat-taxed
        // levy S, up to 100 euros count as pay up to 2,5 % of the levy pay less 13,30 euros; what
        // exceeds 100 euros and the part the employee taxes count in full.
        const Money exempt = taxFreeUsed + w.amount(16);
        w.amount(19) = std::min(exempt, Money::fromCents(kSvevCapCents));
        w.amount(18) = w.amount(13) - w.amount(19);
        w.amount(20) = w.amount(10);
        w.amount(21) =
            std::min(w.amount(19), w.amount(20).timesRatio(kSvevPercentHundredths, 10000).roundedToCent());
        const bool otherEmployments = c.key(KeySlot::OtherEmployments) != 0;
        const bool allowanceGranted =
            taxClassPosition != kTaxClassSixPosition &&
            (!otherEmployments || c.amount(AmountSlot::OtherEmploymentsPay) <= c.amount(AmountSlot::Gross));
        if (allowanceGranted) {
            Money allowance = Money::fromCents(kSvevAllowanceCents);
            if (fraction.partial())
                allowance = allowance.timesRatio(fraction.paid, fraction.whole).roundedToCent();
            w.amount(22) = allowance;
        }
        w.amount(23) = w.amount(18) + atLeastZero(w.amount(21) - w.amount(22));

        // 24 to 30: the employer's outlay. The flat tax carries the surcharge in every year: the
        // exemption limit of 2021 applies to the wage tax by the tables, not to flat-rate tax.
        w.amount(24) = w.amount(13);
        w.amount(25) = w.amount(16).timesRatio(20, 100).roundedToCent();
        w.amount(26) = flatRateSurcharge(w.amount(25));
        const int32_t churchRate = c.key(KeySlot::ChurchTax) == kNoChurchTaxOption ? 0 : flatChurchRate(g);
        w.amount(27) = w.amount(25).timesRatio(churchRate, 10000).roundedToCent();
        w.setFlatChurchRate(churchRate);
        w.amount(28) = applyRate(w.amount(9), rates.restructuring);
        w.setRestructuringRate(rates.restructuring);
        p.employeeCapitalRate = rates.capitalEmployee;
        p.employeeCapital =
            Money::fromCents(w.amount(10).timesRatio(rates.capitalEmployee, 1000000).toCentsCommercial());
        w.setCapitalRate(rates.employerCapital());
        for (int line = 24; line <= 29; ++line)
            w.amount(30) += w.amount(line);

        // The levy's share in the month's one-time pay, in proportion to the pay subject to the levy.
        if (w.amount(7) > Money() && oneTimeLiable > Money()) {
            Money share = std::min(oneTimeLiable, w.amount(7));
            p.levyOneTimeShare = w.amount(17).timesRatio(share.units(), w.amount(7).units()).roundedToCent();
        }
        p.svAddedPay = w.amount(23);
    }

    // 31: the employee's share, a deduction on line 42.
    Share share = employeeShare(g, w.amount(10));
    w.amount(31) = share.amount;
    w.setShareCaption(share.caption, share.captionValue);
    c.setAmount(AmountSlot::EmployeeShare, -share.amount.toCents());
    c.setKey(KeySlot::EmployeeCapitalFund,
             static_cast<int16_t>(std::clamp(position, 0, kPensionFundPositions - 1)));
    c.setAmount(AmountSlot::EmployeeCapital, -p.employeeCapital.toCents());

    g.tax.inputs.levyTaxable = w.amount(15);
    g.tax.inputs.levyFlatTaxedByEmployer = w.amount(16);
    g.tax.inputs.levyOneTimeShare = p.levyOneTimeShare;
}

} // namespace varemo
