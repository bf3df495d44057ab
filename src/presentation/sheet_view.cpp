#include "presentation/sheet_view.h"

#include "deductions/insurance_status.h"
#include "deductions/kind_lists.h"
#include "deductions/tax_step.h"
#include "law/lohnstr_params.h"
#include "law/sv_defaults.h"
#include "pay/allowances.h"
#include "pay/pay_options.h"
#include "pay/steps.h"
#include "presentation/navigation.h"
#include "session/case_load.h"
#include "session/sheet_edits.h"
#include "tariffs/tariff_address.h"

#include <algorithm>
#include <cstdlib>

namespace varemo {
namespace {

bool keepsTypedAmount(const std::string& text) {
    return text.find("lt. Eing") != std::string::npos || text.find("lt.Eing") != std::string::npos;
}

std::string position(int p) {
    return "Position " + std::to_string(p + 1);
}

// Region 7 (Hessen) applies its own agreement instead of the TV-L.
constexpr int kRegionHessen = 7;

std::string tariffAreaCaption(const Case& c) {
    using namespace relationship;
    int sr = c.serviceRelationship();
    bool hessen = c.region() == kRegionHessen;
    if (isCivilServant(sr)) return isFederalCivilServant(sr, c.region()) ? "Bundesbeamte" : "";
    switch (sr) {
    case kTvlCare:
        return hessen ? "TV-H Pflege" : "TV-L Pflege";
    case kTvlSocial:
        return hessen ? "TV-H Soz. u. Erziehungsdienst" : "TV-L Soz. u. Erziehungsdienst";
    case kTvl:
        return hessen ? "TV-Hessen" : "TV-Länder";
    default:
        break;
    }
    switch (payFamily(sr)) {
    case PayFamily::TvoedBund:
    case PayFamily::TvoedVka:
        return "Bundesgebiet";
    default:
        return "";
    }
}

std::string payStructureCaption(const Case& c) {
    switch (payFamily(c.serviceRelationship())) {
    case PayFamily::TvoedBund:
        return "EGO TVöD-Bund";
    case PayFamily::TvoedVka:
        return "EGO TVöD-VKA";
    case PayFamily::Tvl:
        return "EGO TV-L";
    case PayFamily::Trainees:
    case PayFamily::OtherTables:
        return "EntgeltO";
    default:
        return "";
    }
}

std::string stepMovementCaption(const Case& c) {
    if (!hasStepMovement(c.serviceRelationship())) return "";
    // Months the step period moves: as stored, else as line 7's option says.
    int months = c.amount(AmountSlot::StepMovement) != 0 ? c.amount(AmountSlot::StepMovement)
                                                         : stepMovementMonths(c.key(KeySlot::LineSeven));
    if (months == 0) return "";
    return std::to_string(std::abs(months)) +
           (months < 0 ? " Mon.(Stufenverkürzung)" : " Mon.(Stufenverlängerung)");
}

} // namespace

LineKind lineKind(int line) {
    switch (line) {
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 18:
    case 22:
    case 23:
    case 27:
    case 42:
    case 43:
        return LineKind::InputResult;
    case 19:
    case 21:
    case 34:
    case 35:
    case 36:
    case 37:
    case 38:
    case 39:
    case 40:
    case 41:
    case 47:
        return LineKind::Result;
    default:
        return LineKind::Input;
    }
}

AmountFieldState amountFieldState(const Session& g, int line) {
    if (!lineInfo(line).amount) return AmountFieldState::None;
    const Case& c = g.workingCase;
    if (g.showsYearSalary() || isWithoutPay(c.serviceRelationship())) return AmountFieldState::Computed;
    // The totals of lines 21 to 23 are computed; their hours and days have fields of their own.
    if (line >= 21 && line <= 23) return AmountFieldState::Computed;
    if (lineKind(line) == LineKind::Input) return AmountFieldState::Typed;
    if (line == 11)
        return c.key(KeySlot::CapitalForming) == 7 ? AmountFieldState::Typed : AmountFieldState::Computed;
    // The first entry of lines 13 to 15 carries the name the user gives it, and several entries of line
    // 12 that pay the typed amount do not say "lt. Eingabe": the option decides, as in the calculation.
    if (line == 12)
        return performanceKind(c.serviceRelationship(), c.key(KeySlot::PerformancePay)) ==
                       PerformanceKind::Typed
                   ? AmountFieldState::Typed
                   : AmountFieldState::Computed;
    if (line >= 13 && line <= 15)
        return allowancePaysTypedAmount(c.key(lineInfo(line).key.value())) ? AmountFieldState::Typed
                                                                           : AmountFieldState::Computed;
    return keepsTypedAmount(g.sheet.line(line).text) ? AmountFieldState::Typed : AmountFieldState::Computed;
}

const std::vector<ExtraField>& extraFields() {
    static const std::vector<ExtraField> fields = {
        {4, AmountSlot::TariffFactor, "Tarif-Faktor in Prozent: Anteil am Tarifentgelt (höchstens 200)."},
        {22, AmountSlot::AgreedHours, "Vereinbarte Wochenstunden (bzw. Teile oder Prozent)."},
        {22, AmountSlot::RegularHours, "Regelmäßige Wochenstunden bei Vollzeit."},
        {23, AmountSlot::PaidDays, "Tage mit Bezügen (bzw. Prozent) im Monat."},
        {23, AmountSlot::MonthDays, "Tage des Monats."},
        {34, AmountSlot::ClassIVFactor,
         "Faktor für das Faktorverfahren der Steuerklasse IV, drei Stellen (z. B. 0,950; höchstens 1,000)."},
    };
    return fields;
}

bool extraFieldShown(const Case& c, const ExtraField& field) {
    if (!lineShown(c, field.line)) return false;
    if (field.slot == AmountSlot::ClassIVFactor) return TaxClassSelector(c.key(KeySlot::TaxClass)).code == 4;
    return true;
}

bool lineShown(const Case& c, int line) {
    int sr = c.serviceRelationship();
    if (isWithoutPay(sr)) return line <= 6 || (line >= 21 && line <= 23) || line == 28 || line == 47;
    if (isCivilServant(sr)) return line < 39 || line > 42;
    return true;
}

bool flagColumnShown(const Case& c, FlagColumn column) {
    int sr = c.serviceRelationship();
    if (isWithoutPay(sr)) return false;
    if (isCivilServant(sr))
        return column != FlagColumn::SocialInsurance && column != FlagColumn::SupplementaryPension;
    return true;
}

bool hasInfoButton(int line) {
    switch (line) {
    case 1:
    case 4:
    case 6:
    case 7: // the step calculator
    case 8:
    case 10:
    case 12:
    case 18:
    case 19:
    case 22:
    case 23:
    case 27:
    case 34:
        return true;
    default:
        return false;
    }
}

bool hasRegulationButton(int line) {
    switch (line) {
    case 2:
    case 4:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 22:
    case 23:
    case 24:
    case 27:
    case 32:
    case 34:
    case 35:
    case 36:
    case 37:
    case 38:
    case 39:
    case 40:
    case 42:
    case 43:
    case 47:
        return true;
    default:
        return false;
    }
}

int keyFieldIndex(int line) {
    switch (line) {
    case 25:
        return 0;
    case 26:
        return 1;
    case 44:
        return 2;
    case 45:
        return 3;
    case 46:
        return 4;
    default:
        return -1;
    }
}

std::vector<std::string> optionGridEntries(Session& g, int line) {
    if (line == 1) {
        auto names = caseListNames(g);
        names.emplace_back(kNewCaseEntry);
        return names;
    }
    const LineInfo& info = lineInfo(line);
    if (!info.key || *info.key == KeySlot::Month) return {};
    const auto& options = g.sheet.line(line).options;
    if (!options.empty()) return options;
    int limit = highestKey(*info.key, g.year);
    int current = g.workingCase.key(*info.key);
    int last = std::max(limit, current);
    std::vector<std::string> entries;
    for (int p = 0; p <= last; ++p)
        entries.push_back(p == current ? g.sheet.line(line).text : position(p));
    return entries;
}

std::vector<std::string> payGroupEntries(const Session& g) {
    const Case& c = g.workingCase;
    std::vector<std::string> names = payGroupNames(g.pay.texts, c.serviceRelationship());
    while (!names.empty() && names.back().empty())
        names.pop_back();
    if (names.empty()) names.resize(static_cast<size_t>(highestKey(KeySlot::PayGroup, g.year) + 1));
    if (c.payGroup() >= static_cast<int>(names.size())) names.resize(static_cast<size_t>(c.payGroup() + 1));
    for (size_t p = 0; p < names.size(); ++p)
        if (names[p].empty()) names[p] = "Gruppe " + std::to_string(p + 1);
    return names;
}

std::string payGroupText(const Session& g) {
    auto entries = payGroupEntries(g);
    int group = g.workingCase.payGroup();
    return group >= 0 && group < static_cast<int>(entries.size()) ? entries[static_cast<size_t>(group)] : "";
}

std::string dateLabelText(const Session& g) {
    const auto& options = g.sheet.line(6).options;
    int key = g.workingCase.key(KeySlot::DateLabel);
    if (key >= 0 && key < static_cast<int>(options.size()) && !options[static_cast<size_t>(key)].empty())
        return options[static_cast<size_t>(key)];
    return lineInfo(6).caption;
}

// The care contribution of line 38 for the kinds computed from the year's rate (regular 0, Saxony 2);
// the childless surcharge (§ 55 (3) SGB XI) is the employee's alone.
std::string careCaption(const Session& g) {
    const Case& c = g.workingCase;
    if (!paysContributions(c.serviceRelationship())) return "";
    const InsuranceStatus st = insuranceStatus(g);
    std::optional<SvDefaults> year = SvDefaults::forYear(g.year);
    const SvDefaults* d = g.social.defaults.year == g.year ? &g.social.defaults : year ? &*year : nullptr;
    if (!d) return "";
    std::string text;
    if (st.pvKind == 0)
        text = "PV " + formatRate(d->pvHalf * 2) + " % / 2";
    else if (st.pvKind == 2)
        text = "PV Sachsen " + formatRate(d->pvHalf + d->saxonyShift) + " % von " + formatRate(d->pvHalf * 2);
    else
        return "";
    if (st.childless) text += " + " + formatRate(d->childlessSurcharge) + " %";
    return text;
}

int sharePercent(int64_t part, int64_t gross) {
    if (gross <= 0) return 0;
    return static_cast<int>(
        std::clamp<int64_t>(mulDiv(part, 100, gross, Rounding::HalfEven), INT32_MIN, INT32_MAX));
}

SheetCaptions sheetCaptions(const Session& g) {
    const Case& c = g.workingCase;
    SheetCaptions out;
    int64_t gross = c.amount(AmountSlot::Gross);
    int64_t taxes = 0;
    for (AmountSlot s : slotsFrom(slots::kFirstTax, slots::kLastTax))
        taxes -= c.amount(s); // held negative
    int64_t social = 0;
    for (AmountSlot s : slotsFrom(slots::kFirstContribution, slots::kLastContribution))
        social -= c.amount(s);
    int64_t net = c.amount(AmountSlot::NetPay);
    out.taxPercent = sharePercent(taxes, gross);
    out.socialPercent = sharePercent(social, gross);
    out.netPercent = sharePercent(net, gross);
    out.taxShare = "Steuer " + std::to_string(out.taxPercent) + "%";
    out.socialShare = "Soz.V. " + std::to_string(out.socialPercent) + "%";
    out.netShare = "Netto   " + std::to_string(out.netPercent) + "%";
    auto bar = [](int p) { return std::clamp(p, 0, 100); };
    out.taxPercent = bar(out.taxPercent);
    out.socialPercent = bar(out.socialPercent);
    out.netPercent = bar(out.netPercent);

    int sr = c.serviceRelationship();
    if (isCivilServant(sr)) out.lawLink = isFederalCivilServant(sr, c.region()) ? "B B G" : "L B G";
    out.payStructure = payStructureCaption(c);
    if (c.key(KeySlot::Title) == kTeacherTitle && hasTeacherAdjustment(sr))
        out.payStructure = "Lehrer (" + teacherPayText(g.pay.row[kTeacherAmountEntry]) + ")";
    out.tariffArea = tariffAreaCaption(c);
    out.stepMovement = stepMovementCaption(c);
    if (paysContributions(sr)) {
        int fund = std::clamp(static_cast<int>(c.key(KeySlot::HealthFund)), 0, kHealthFunds - 1);
        int month = std::clamp(c.monthIndex(), 0, 11);
        int32_t additional = g.funds.rates(fund, month).additional; // hundredths of a percent
        out.healthCaption =
            "Zusatzbeitrag KV=" + formatFixed(int64_t(additional) * 10, 3, 3) + "%, PV= 0,25%";
    }
    out.careCaption = careCaption(g);
    // The basic allowance (§ 32a (1) No. 1 EStG) of the year's tariff, in whole euros.
    out.taxBlock =
        "Steuern m.GFB " + std::to_string(lohnstr_detail::yearParams(g.year).tariff.GFB.toInt64()) + " €";
    out.taxTable = wageTaxTable(g);
    if (auto amount = specialPaymentReminder(g)) out.reminder = "Sonderzahlung nicht vergessen:" + *amount;
    return out;
}

std::optional<std::string> specialPaymentReminder(const Session&) {
    // NOT YET BUILT: which cases qualify for the one-time payments belongs to the special payments.
    return std::nullopt;
}

} // namespace varemo
