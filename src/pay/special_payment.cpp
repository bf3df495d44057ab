#include "pay/special_payment.h"

#include "law/pension_funds.h"
#include "model/year_tables.h"
#include "pay/civil_servant_rules.h"
#include "pay/one_time_payments.h"
#include "pay/part_time.h"
#include "tariffs/service_relationship.h"

#include <algorithm>
#include <memory>

namespace varemo {
namespace {

// ---- Months ----

Money cents(int64_t value) {
    return Money::fromCents(value);
}

float factorOf(const Case& c, const YearTableValues& tables) {
    const int32_t regular = c.amount(AmountSlot::RegularHours) != 0 ? c.amount(AmountSlot::RegularHours)
                                                                    : regularWeeklyHours(tables, c);
    return static_cast<float>(c.amount(AmountSlot::AgreedHours)) / static_cast<float>(regular);
}

// The "W" pay of a case-month. fromSlots: the line amounts of the slots (the working case during its
// run); otherwise the per-line amounts of a stored record.
SpecialPaymentMonth monthOf(const Case& c, float factor, bool fromSlots) {
    std::array<Money, kGrossLines> amounts{};
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        if (line == special::kLine) continue;
        amounts[static_cast<size_t>(line - kFirstGrossLine)] =
            fromSlots ? cents(lineAmount(c, line).value_or(0)) : c.grossLine(line).amount;
    }
    const PayColumns columns = reducePayLines(c, amounts, factor, Money());
    SpecialPaymentMonth m;
    Money gross;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        if (line == special::kLine) continue;
        const LineColumns& col = columns.line(line);
        const Money actual = fromSlots ? col.actual : c.grossLine(line).reducedAmount;
        gross += actual;
        if (!c.grossLine(line).flag(LineFlag::AnnualPayment)) continue;
        m.full += col.full;
        m.partTime += col.partTime;
        m.retirement += col.retirement;
        m.actual += actual;
        m.filled += col.retirement;
    }
    m.occupied = fromSlots ? gross > Money() : c.amount(AmountSlot::Gross) > 0;
    return m;
}

bool filesOfSession(const Globaldaten& g) {
    return g.store.holds(g.year, g.dataSet);
}

int monthIndexOf(const Case& c) {
    return std::clamp(c.monthIndex(), 0, 11);
}

// The month the Land pays its annual payment and the child supplements that go with it (0 to 11).
int civilPaymentMonthIndex(const std::vector<CivilServantPaymentRow>& rules) {
    for (const CivilServantPaymentRow& row : rules)
        if ((row.kind == CivilPaymentKind::Annual || row.kind == CivilPaymentKind::Child) && row.month > 0)
            return row.month - 1;
    return 11;
}

void computeCivil(Globaldaten& g, SpecialPaymentComputation& comp, const SpecialPaymentMonth& current) {
    const Case& c = g.workingCase;
    const std::vector<CivilServantPaymentRow> rules = civilServantRules(g, c.region());
    comp.children = countedChildren(c);
    comp.paymentMonthIndex = civilPaymentMonthIndex(rules);
    bool monthly = false;
    Money amount;
    int32_t shownPercent = 0;
    for (const CivilServantPaymentRow& row : rules) {
        if (row.kind == CivilPaymentKind::Monthly && bandCoversCase(row.groups, c)) {
            monthly = true;
            comp.paymentMonthIndex = -1;
            amount += current.actual.timesRatio(row.percentMilli, 100000).roundedToCent();
            shownPercent = row.percentMilli / 10;
        }
    }
    if (!monthly) {
        for (const CivilServantPaymentRow& row : rules) {
            if (row.kind != CivilPaymentKind::Annual || civilRuleField(row) == CivilRuleField::None ||
                !bandCoversCase(row.groups, c))
                continue;
            if (civilRuleField(row) == CivilRuleField::Percent) {
                amount +=
                    comp.base
                        .timesRatio(int64_t{row.percentMilli} * comp.occupiedMonths, int64_t{100000} * 12)
                        .roundedToCent();
                if (shownPercent == 0) shownPercent = row.percentMilli / 10;
            } else {
                amount += cents(row.cents).timesRatio(comp.occupiedMonths, 12).roundedToCent();
            }
        }
    }
    comp.percent = shownPercent;
    comp.amount = amount;
    // Child supplements: "per child", or the first two and the further children apart.
    Money children;
    for (const CivilServantPaymentRow& row : rules) {
        if (row.kind != CivilPaymentKind::Child || (row.month == -1) != monthly) continue;
        int count = comp.children;
        if (row.groups.rfind("1st and 2nd", 0) == 0)
            count = std::min(comp.children, 2);
        else if (row.groups.rfind("3rd", 0) == 0)
            count = std::max(comp.children - 2, 0);
        children += cents(row.cents) * count;
    }
    comp.childSupplement = children;
}

// Whether the Land's rules of the year pay anything to civil servants in a month (0 to 11): every
// month for a monthly payment, else the month of the annual rows and of the child supplements paid with
// them (Hamburg pays only these).
bool civilPaysInMonth(const Globaldaten& g, int region, int month) {
    for (const CivilServantPaymentRow& row : civilServantRules(g, region)) {
        if (row.kind == CivilPaymentKind::Monthly ||
            ((row.kind == CivilPaymentKind::Annual || row.kind == CivilPaymentKind::Child) &&
             row.month - 1 == month))
            return true;
    }
    return false;
}

} // namespace

// Federal employees work anywhere under one region (the Federation); for them the area is the one of
// their supplementary insurance: insured with the VBL East, they have the East percentage.
bool isEastArea(const Case& c) {
    if (isEastRegion(c.region())) return true;
    const int fundPosition = c.key(KeySlot::SupplementaryFund);
    return c.serviceRelationship() == relationship::kTvoedBund && fundPosition >= fund::VblEastBund &&
           fundPosition <= fund::VblEastOther;
}

std::vector<CivilServantPaymentRow> civilServantPaymentRules(const Globaldaten& g, int region) {
    std::vector<CivilServantPaymentRow> rules;
    for (const CivilServantPaymentRow& row : civilServantRules(g, region)) {
        // Holiday pay is line 18's; the share of Bavaria's payment from the family allowance names no
        // band of groups and is not applied.
        if (row.kind == CivilPaymentKind::Holiday || row.groups == "Familienzuschlag part") continue;
        rules.push_back(row);
    }
    return rules;
}

int countedChildren(const Case& c) {
    const int option = c.key(KeySlot::FamilyAllowance);
    if (option >= 2 && option <= 7) return option - 1;
    if (option >= 8 && option <= 13) return option - 7;
    return 0;
}

void ClassifySpecialPayment(Globaldaten& g) {
    g.extras.category = classifySpecialPayment(g.workingCase, g.year);
}

// ---- The computation ----

SpecialPaymentComputation computeSpecialPayment(Globaldaten& g) {
    EnsureAnnualPaymentTable(g);
    const Case& c = g.workingCase;
    SpecialPaymentComputation comp;
    comp.category = classifySpecialPayment(c, g.year);
    comp.east = isEastArea(c);
    const int current = monthIndexOf(c);
    const SpecialPaymentMonth now = monthOf(c, g.partTimeFactor, true);
    const bool stored = filesOfSession(g);
    for (int m = 0; m < 12; ++m) {
        SpecialPaymentMonth month = now;
        if (m != current && stored) {
            const std::shared_ptr<const Case> record = g.store.storedMonth(m + 1, g.caseNumber);
            month = monthOf(*record, factorOf(*record, g.pay.tables), false);
        }
        if (m > current) month.occupied = now.occupied;
        comp.months[static_cast<size_t>(m)] = month;
        if (month.occupied) ++comp.occupiedMonths;
    }
    // The base: July to September, or September alone.
    const int firstMarked = comp.category.averageBase ? 6 : 8;
    Money sum;
    int counted = 0;
    for (int m = firstMarked; m <= 8; ++m) {
        SpecialPaymentMonth& month = comp.months[static_cast<size_t>(m)];
        month.marked = true;
        if (!month.occupied) continue;
        sum += month.filled;
        ++counted;
    }
    if (counted == 0) {
        for (int m = 9; m < 12; ++m) {
            SpecialPaymentMonth& month = comp.months[static_cast<size_t>(m)];
            if (!month.occupied) continue;
            month.marked = true;
            sum = month.filled;
            counted = 1;
            break;
        }
    }
    comp.base = counted > 0 ? sum.timesRatio(1, counted).roundedToCent() : Money();

    if (comp.category.kind == SpecialPaymentCategory::Kind::CivilServant) {
        computeCivil(g, comp, now);
    } else if (comp.category.kind == SpecialPaymentCategory::Kind::Agreement) {
        comp.percent = g.extras.annualPercentages.percent(comp.category.agreement, g.year, comp.east,
                                                          comp.category.group);
        comp.amount = comp.base.timesRatio(int64_t{comp.percent} * comp.occupiedMonths, int64_t{10000} * 12)
                          .roundedToCent();
    }
    comp.total = comp.amount + comp.childSupplement;
    return comp;
}

void SpecialPaymentStep(Globaldaten& g) {
    Case& c = g.workingCase;
    const int sr = c.serviceRelationship();
    const AmountSlot lineSlot = AmountSlot::AnnualPayment;
    const AmountSlot holidaySlot = AmountSlot::HolidayPay;
    if (!(sr == relationship::kCivilOwnTable && c.region() == 1 && g.extras.keepSpecialPaymentsOwnTable)) {
        c.setAmount(holidaySlot, 0);
        c.setAmount(lineSlot, 0);
    }
    ClassifySpecialPayment(g);
    const int option = c.key(KeySlot::AnnualPayment);
    const int month = monthIndexOf(c);
    if (!isWithoutPay(sr)) {
        if (option == special::kTyped) {
            c.setAmount(lineSlot, c.previousAmount(lineSlot));
        } else if (option == special::kComputed &&
                   (isCivilServant(sr) || g.extras.category.kind != SpecialPaymentCategory::Kind::None)) {
            const bool civil = isCivilServant(sr);
            if (civil ? civilPaysInMonth(g, c.region(), month) : month == special::kPaymentMonthIndex) {
                const SpecialPaymentComputation comp = computeSpecialPayment(g);
                if (comp.paymentMonthIndex < 0 || comp.paymentMonthIndex == month)
                    c.setAmount(lineSlot, comp.total.toCents());
            }
        } else if (isCivilServant(sr) && option >= special::kLandShareFirst &&
                   option <= special::kLandShareLast) {
            const Money share = cents(g.extras.landShareBase) +
                                cents(g.extras.landSharePerChild) * (option - special::kLandShareFirst);
            c.setAmount(lineSlot, share.toCents());
        } else if (isCivilServant(sr) && option == special::kLandShareTyped) {
            c.setAmount(lineSlot, c.previousAmount(lineSlot));
        }
    }
    OneTimePaymentStep(g);
}

} // namespace varemo
