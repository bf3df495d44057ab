#include "deductions/pension_levy.h"

#include "law/pension_funds.h"
#include "model/year_tables.h"

#include <array>

namespace varemo {
namespace {

constexpr int kJulyIndex = 6;
constexpr std::array<int, 3> kJulyLines = {8, 9, 10}; // basic pay, general allowance, family allowance

// The lines of July and its part-time factor: the working case in July, else July's stored record.
struct JulyPay {
    std::array<Money, 3> amounts{};
    float partTimeFactor = 1.0f;
    bool any() const { return amounts[0] != Money() || amounts[1] != Money() || amounts[2] != Money(); }
};

JulyPay julyOf(const Case& c, float partTimeFactor) {
    JulyPay july;
    for (size_t i = 0; i < kJulyLines.size(); ++i)
        july.amounts[i] = c.grossLine(kJulyLines[i]).amount;
    july.partTimeFactor = partTimeFactor;
    return july;
}

JulyPay julyPay(Globaldaten& g) {
    const Case& c = g.workingCase;
    if (c.monthIndex() == kJulyIndex || !g.store.isOpen()) return julyOf(c, g.partTimeFactor);
    Case stored;
    g.store.loadMonth(kJulyIndex + 1, g.caseNumber, stored);
    int32_t regular = stored.amount(AmountSlot::RegularHours);
    if (regular <= 0) regular = regularWeeklyHours(g.pay.tables, stored);
    JulyPay july = julyOf(stored, static_cast<float>(stored.amount(AmountSlot::AgreedHours)) /
                                      static_cast<float>(regular));
    if (!july.any()) return julyOf(c, g.partTimeFactor);
    return july;
}

} // namespace

int levyFactorThousandths(int64_t percentHundredths) {
    return static_cast<int>(mulDiv(percentHundredths, 1, 10, Rounding::HalfEven));
}

std::string formatLevyFactor(int thousandths) {
    std::string sign = thousandths < 0 ? "-" : "";
    int value = thousandths < 0 ? -thousandths : thousandths;
    std::string digits = std::to_string(value % 1000);
    digits.insert(0, 3 - digits.size(), '0');
    return sign + std::to_string(value / 1000) + "," + digits + " x ";
}

void CivilServantPensionLevyBase(Globaldaten& g) {
    CivilServantLevy& levy = g.pension.civilServantLevy;
    levy = CivilServantLevy();
    const Case& c = g.workingCase;
    const int kind = c.key(KeySlot::SupplementaryFund);
    if (!isCivilServant(c.serviceRelationship())) return;
    if (kind < fund::PensionReserve || kind > fund::PensionFundLevy) return;
    levy.applies = true;
    levy.kind = kind;

    int64_t typed = c.previousAmount(AmountSlot::SupplementaryFund);
    // "Versorgungsrücklage in %" and the levy to a pension fund without a percentage of the case take
    // the year's percentage of the panel "Pensionsumlage bzw. Versorgungsrücklage".
    if (typed == 0 && kind == fund::PensionReserve) typed = g.pay.tables.pensionReservePercent;
    if (typed == 0 && kind == fund::PensionFundLevy) typed = g.pay.tables.pensionFundLevyPercent;
    const int factor = kind == fund::PensionCostEuro ? 0 : levyFactorThousandths(typed < 0 ? -typed : typed);

    if (kind == fund::PensionFundLevy) {
        const JulyPay july = julyPay(g);
        Money monthly;
        for (size_t i = 0; i < kJulyLines.size(); ++i) {
            auto& row = levy.rows[static_cast<size_t>(kJulyLines[i] - kFirstGrossLine)];
            row.base = july.amounts[i].timesFactor(july.partTimeFactor).roundedToCent();
            row.factorThousandths = factor;
            row.levy = row.base.timesRatio(factor, 1000).roundedToCent();
            monthly += row.base;
            levy.total += row.levy;
        }
        levy.annualBase = monthly * 12;
        return;
    }

    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const auto& attributes = c.grossLine(line);
        auto& row = levy.rows[static_cast<size_t>(line - kFirstGrossLine)];
        row.base = attributes.reducedAmount;
        if (kind == fund::PensionCostEuro || !attributes.flag(LineFlag::SupplementaryPension)) continue;
        row.factorThousandths = factor;
        row.levy = row.base.timesRatio(factor, 1000).roundedToCent();
        levy.total += row.levy;
    }
    if (kind == fund::PensionCostEuro) levy.total = Money::fromCents(typed < 0 ? -typed : typed);
}

} // namespace varemo
