#include "pay/part_time.h"

#include "pay/special_payment.h"

#include <algorithm>
#include <cmath>

namespace varemo {
namespace {

constexpr int kLineTen = 10;
constexpr int kAnnualPaymentLine = 19;
constexpr int kAnnualPaymentUnused = 7; // line 19 "nicht belegt"
constexpr int kLastPartTimeLine = 19;   // line 20 is never reduced for part-time
constexpr int kSingleBaseEntry = 15;    // tariff row entry of the family allowance's base amount

Money cents(int64_t value) {
    return Money::fromCents(value);
}

std::array<Money, kGrossLines> lineAmountsOf(const Case& c) {
    std::array<Money, kGrossLines> out{};
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line)
        out[static_cast<size_t>(line - kFirstGrossLine)] = cents(lineAmount(c, line).value_or(0));
    return out;
}

Money singleBaseAmount(const Globaldaten& g) {
    const Case& c = g.workingCase;
    if ((c.region() == 6 || c.region() == 14) && c.serviceRelationship() < relationship::kCivilOwnTable)
        return Money();
    const Money base = cents(g.pay.row[kSingleBaseEntry]);
    const Money line = cents(c.amount(AmountSlot::FamilyAllowance));
    if (base <= Money() || line <= Money()) return Money();
    return std::min(base, line);
}

// "0,5000" style: value in units of 10^-decimals, comma as decimal mark.
std::string fixed(int64_t value, int decimals) {
    const bool negative = value < 0;
    if (negative) value = -value;
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::string fraction = std::to_string(value % scale);
    fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
    return (negative ? "-" : "") + std::to_string(value / scale) + "," + fraction;
}

std::string lineText(const Globaldaten& g, int line) {
    const std::string& text = g.sheet.line(line).text;
    return text.empty() ? lineInfo(line).caption : text;
}

} // namespace

bool isPartialRetirement(const Case& c) {
    const int option = c.key(KeySlot::PartialMonth);
    return option >= parttime::kRetirementWork && option <= parttime::kRetirementLast;
}

bool isPartialMonthInDays(const Case& c) {
    const int option = c.key(KeySlot::PartialMonth);
    return option == parttime::kDays || option == parttime::kDaysContinuing;
}

PartialMonthFraction partialMonthFraction(const Case& c) {
    PartialMonthFraction f;
    if (!isPartialMonthInDays(c) && c.key(KeySlot::PartialMonth) != parttime::kReduction) return f;
    const int64_t whole = c.amount(AmountSlot::MonthDays);
    const int64_t paid = std::max<int64_t>(0, c.amount(AmountSlot::PaidDays));
    if (whole <= 0 || paid >= whole) return f;
    f.paid = paid;
    f.whole = whole;
    return f;
}

int32_t partialRetirementFactor(char category, bool releasePhase) {
    if (category >= 'a' && category <= 'g') return releasePhase && category == 'g' ? 0 : 10000;
    return 5000;
}

PayColumns reducePayLines(const Case& c, const std::array<Money, kGrossLines>& fullAmounts,
                          float partTimeFactor, Money localBase) {
    PayColumns out;
    out.partTimeFactor = partTimeFactor;
    const PartialMonthFraction fraction = partialMonthFraction(c);
    out.monthPaid = fraction.paid;
    out.monthWhole = fraction.whole;
    out.partialRetirement = isPartialRetirement(c);
    const bool release = c.key(KeySlot::PartialMonth) == parttime::kRetirementRelease;
    const bool partTime = partTimeFactor != 1.0f;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const GrossLineAttributes& a = c.grossLine(line);
        LineColumns& col = out.line(line);
        col.full = fullAmounts[static_cast<size_t>(line - kFirstGrossLine)];
        col.partTime = col.full;
        if (partTime && line <= kLastPartTimeLine && a.flag(LineFlag::PartTime)) {
            col.partTimeReduced = true;
            if (line == kLineTen && localBase > Money()) {
                // Only the single person's base amount follows the factor; the family part stays whole.
                LocalAllowanceRule& rule = out.localAllowance;
                rule.applies = true;
                rule.fullTime = col.full;
                rule.singleBase = localBase;
                rule.reducedBase = localBase.timesFactor(partTimeFactor).roundedToCent();
                rule.result = col.full - localBase + rule.reducedBase;
                col.partTime = rule.result;
                col.ownRule = true;
            } else {
                col.partTime = col.full.timesFactor(partTimeFactor).roundedToCent();
            }
        }
        col.retirement = col.partTime;
        if (out.partialRetirement) {
            col.retirementFactor = partialRetirementFactor(a.partialRetirementCategory, release);
            col.retirement = col.partTime.timesRatio(col.retirementFactor, 10000).roundedToCent();
        }
        col.actual = col.retirement;
        const bool unusedAnnualLine =
            line == kAnnualPaymentLine && c.key(KeySlot::AnnualPayment) == kAnnualPaymentUnused;
        if (fraction.partial() && a.flag(LineFlag::PartialMonth) && !unusedAnnualLine)
            col.actual = col.retirement.timesRatio(fraction.paid, fraction.whole).roundedToCent();
    }
    return out;
}

bool localAllowanceRuleApplies(const Globaldaten& g) {
    const Case& c = g.workingCase;
    const int rule = c.key(KeySlot::LineSeven); // the married-allowance rule of civil servants
    // The civil servants up to those with a table of their own (0 to 6).
    const int sr = c.serviceRelationship();
    const bool civil = sr >= relationship::kPayOrderA && sr <= relationship::kCivilOwnTable;
    return civil && g.pay.familyAllowanceComputed && (rule == 1 || rule == 2) &&
           c.grossLine(kLineTen).flag(LineFlag::PartTime);
}

void ReducePartTime(Globaldaten& g) {
    if (g.partTimeFactor == 1.0f) return;
    ClassifySpecialPayment(g); // the pay-group category is set again
    const Money base = localAllowanceRuleApplies(g) ? singleBaseAmount(g) : Money();
    g.extras.columns = reducePayLines(g.workingCase, lineAmountsOf(g.workingCase), g.partTimeFactor, base);
}

void FillLineAmounts(Globaldaten& g) {
    Case& c = g.workingCase;
    if (g.partTimeFactor == 1.0f) g.extras.columns = reducePayLines(c, lineAmountsOf(c), 1.0f, Money());
    const PayColumns& columns = g.extras.columns;
    Money full, partTime, gross;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const LineColumns& col = columns.line(line);
        GrossLineAttributes& a = c.grossLine(line);
        a.amount = col.full;
        a.reducedAmount = col.actual;
        full += col.full;
        partTime += col.partTime;
        gross += col.actual;
    }
    c.setAmount(AmountSlot::FullTimeGross, full.toCents());
    c.setAmount(AmountSlot::PartTimeGross, partTime.toCents());
    c.setAmount(AmountSlot::Gross, gross.toCents());
}

std::string partTimeFactorText(float factor) {
    const auto thousandths = static_cast<int64_t>(std::llround(static_cast<double>(factor) * 1000.0));
    return fixed(thousandths, 3) + " x ";
}

std::string reductionFactorText(int64_t tenThousandths, bool partialRetirement) {
    return (partialRetirement ? "  x   " : "   x  ") + fixed(tenThousandths, 4) + " ";
}

PartTimeExplanation explainPartTime(const Globaldaten& g) {
    PartTimeExplanation e;
    const PayColumns& columns = g.extras.columns;
    for (int line = kFirstGrossLine; line <= kLastPartTimeLine; ++line) {
        const LineColumns& col = columns.line(line);
        PartTimeRow row;
        row.line = line;
        row.text = lineText(g, line);
        row.full = col.full;
        row.partTime = col.partTime;
        if (col.ownRule) {
            row.text = PartTimeExplanation::kLocalAllowanceLine;
            row.factor = "s.Ber.   ";
        } else {
            row.factor = partTimeFactorText(col.partTimeReduced ? columns.partTimeFactor : 1.0f);
        }
        e.rows.push_back(row);
        e.total += col.partTime;
    }
    const LocalAllowanceRule& rule = columns.localAllowance;
    if (rule.applies) {
        std::string factor = partTimeFactorText(columns.partTimeFactor);
        factor.resize(factor.size() - 3); // "0,500"
        e.localAllowance = {
            {PartTimeExplanation::kLocalAllowanceHeading, Money()},
            {"Ortszuschlag bei Vollzeit ", rule.fullTime},
            {"- Grundbetrag für Ledige", rule.singleBase},
            {"  Grundbetrag für Ledige", rule.singleBase},
            {"+ " + factor + "  Teilzeit", rule.reducedBase},
            {"= Ortszuschlag bei " + factor + "  Teilzeit", rule.result},
        };
    }
    return e;
}

std::vector<ReductionRow> reductionOverview(const Globaldaten& g) {
    const Case& c = g.workingCase;
    const PayColumns& columns = g.extras.columns;
    const int partOption = c.key(KeySlot::PartTime);
    const bool pension = partOption == parttime::kPension;
    const bool partTime = columns.partTimeFactor != 1.0f;
    const auto factorOf = [](float f) {
        return static_cast<int64_t>(std::llround(static_cast<double>(f) * 10000.0));
    };
    const std::string notApplied = reductionFactorText(0);

    // A column computed by one factor for all lines shows it; otherwise "bes.Ber.".
    bool mixedPartTime = false;
    bool mixedRetirement = false;
    int32_t retirementFactor = -1;
    for (const LineColumns& col : columns.lines) {
        if (col.full == Money()) continue;
        if (partTime && (!col.partTimeReduced || col.ownRule)) mixedPartTime = true;
        if (retirementFactor >= 0 && retirementFactor != col.retirementFactor) mixedRetirement = true;
        retirementFactor = col.retirementFactor;
    }
    if (retirementFactor < 0) retirementFactor = 5000;

    const Money full = cents(c.amount(AmountSlot::FullTimeGross));
    const Money reduced = cents(c.amount(AmountSlot::PartTimeGross));
    const Money gross = cents(c.amount(AmountSlot::Gross));
    std::vector<ReductionRow> rows;
    rows.push_back({"Normales Gehalt   lt.Sp. A", reductionFactorText(10000), full});
    if (partTime && !pension)
        rows.push_back({"Teilzeitgehalt    lt.Sp. B",
                        mixedPartTime ? "bes.Ber." : reductionFactorText(factorOf(columns.partTimeFactor)),
                        reduced});
    else
        rows.push_back({"Teilzeitgehalt    lt.Sp. B", notApplied, Money()});
    const bool partialMonth = columns.monthPaid != columns.monthWhole;
    if (partialMonth)
        rows.push_back(
            {"Bruchteilgehalt",
             reductionFactorText(mulDiv(columns.monthPaid, 10000, columns.monthWhole, Rounding::HalfEven)),
             gross});
    else
        rows.push_back({"Bruchteilgehalt", notApplied, Money()});
    if (pension) {
        rows.push_back({"Ruhegehalt voll   lt.Sp. B", reductionFactorText(10000), full});
        rows.push_back({"gekürztes Gehalt",
                        mixedPartTime ? "bes.Ber." : reductionFactorText(factorOf(columns.partTimeFactor)),
                        reduced});
    } else {
        rows.push_back({"Ruhegehalt voll   lt.Sp. B", notApplied, Money()});
        rows.push_back({"gekürztes Gehalt", notApplied, Money()});
    }
    if (columns.partialRetirement)
        rows.push_back({"Altersteilzeitgehalt",
                        mixedRetirement ? "bes.Ber." : reductionFactorText(retirementFactor, true), gross});
    else
        rows.push_back({"Altersteilzeitgehalt", notApplied, Money()});
    return rows;
}

} // namespace varemo
