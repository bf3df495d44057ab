#include "calculators/pay_steps.h"

#include "calculators/calculator_files.h"

#include "base/error.h"
#include "base/file_names.h"
#include "model/slots.h"
#include "pay/basic_pay.h"
#include "pay/pay_options.h"
#include "session/line_input.h"
#include "tariffs/service_relationship.h"
#include "tariffs/tariff_address.h"

#include <algorithm>

namespace varemo {
namespace {

using namespace relationship;

constexpr int kDateLabelNextStep = 2; // position of "Nächster Stufenaufstieg (nur Info)" in line 6's lists

std::optional<Money> tablePay(Session& g, int group, int step, int month) {
    const Case& c = g.workingCase;
    const int sr = c.serviceRelationship();
    auto record = tariffRecordNumber(c.region(), sr, group, g.year, month, g.pay.lastRecord);
    if (!record) return std::nullopt;
    const auto cents =
        basicPayCell(g.tariffs.readRecord(month, *record), sr, c.region(), group, step, g.year, month);
    if (!cents || *cents == 0) return std::nullopt;
    return Money::fromCents(*cents);
}

std::string nameOr(const std::vector<std::string>& names, int i) {
    return i >= 0 && i < static_cast<int>(names.size()) ? names[static_cast<size_t>(i)] : std::to_string(i);
}

// The note for steps whose first amounts are missing (see entryOfficeNote).
std::string noteFor(const Session& g, const std::vector<StepDate>& steps,
                    const std::vector<std::optional<Money>>& pay) {
    size_t first = 0;
    while (first < pay.size() && !pay[first])
        ++first;
    if (first == 0 || first == pay.size()) return {};
    const CalendarDate& from = steps.front().begins;
    const CalendarDate& to = steps[first].begins;
    const int months = (to.year - from.year) * 12 + (to.month - from.month);
    const Case& c = g.workingCase;
    return "Ist " + nameOr(payGroupNames(g.pay.texts, c.serviceRelationship()), c.payGroup()) +
           " das Eingangsamt, beginnt die Stufenlaufzeit " + std::to_string(months) +
           " Monate vor der Einstellung. Anfangsstufe ist dann Stufe " +
           std::to_string(steps[first].position + 1) +
           ". Anrechenbare Vordienstzeiten sind auch hier noch zusätzlich zu berücksichtigen.";
}

} // namespace

std::string entryOfficeNote(Session& g) {
    const int month = g.month();
    const Case& c = g.workingCase;
    const auto table = stepTableFor(c, g.year, month);
    if (!table) return {};
    const std::vector<StepDate> steps = stepDates(*table, CalendarDate{1, month, g.year}, 0);
    std::vector<std::optional<Money>> pay;
    for (const StepDate& s : steps)
        pay.push_back(tablePay(g, c.payGroup(), s.position, month));
    return noteFor(g, steps, pay);
}

std::string stepLegalBasis(const Case& c) {
    const int sr = c.serviceRelationship();
    if (sr == kTvoedVkaSocial) return "TVöD Bes.Teil Verwaltung Abschn. VKA VIII § 56";
    if (sr == kTvl || sr == kTvlCare || sr == kTvlSocial) return "§ 16 TV-L";
    if (isEmployee(sr)) return "§ 16 TVöD";
    static const char* const kByRegion[] = {"§ 27 BBesG",
                                            "§ 31 LBesG BW",
                                            "Art. 30 BayBesG",
                                            "§ 1 BesG Berlin i.v.m § 27 BBesG",
                                            "§ 1 BbgBesG i.V.m. § 27 BBesG",
                                            "§ 1 BesG Bremen i.V.m. § 27 BBesG",
                                            "§ 27 HambBesG",
                                            "§ 1 HBesG i.V.m. § 27 BBesG",
                                            "§ 21 LBesG M-V",
                                            "§ 1 NBesG i.V.m. § 27 BBesG",
                                            "§ 1 LBesG NRW i.V.M. § 27 BBesG",
                                            "§ 2c LBesG Rhl.Pf.",
                                            "§ 1 SBesG i.V.m. § 27 BBesG",
                                            "§ 17 SächsBesG i.V.m. § 27 BBesG",
                                            "§ 23 LbesG LSA",
                                            "§ 28 SHBesG",
                                            "§ 24 ThürBesG"};
    const int region = c.region();
    return region >= 0 && region < 17 ? kByRegion[region] : "§ 27 BBesG";
}

StepDurationView StepDurationOf(Session& g, std::optional<CalendarDate> beginning, int movementMonths) {
    const int month = g.month();
    const Case& c = g.workingCase;
    if (!beginning) beginning = parseCalendarDate(c.dateText);
    if (!beginning) throw Error("Für die Stufenlaufzeit fehlt der Beginn der Stufe 1 (Datum in Zeile 6).");
    const auto table = stepTableFor(c, g.year, month);
    if (!table) throw Error("Für diesen Personalfall gibt es keine Stufenlaufzeiten.");
    StepDurationView v;
    v.legalBasis = stepLegalBasis(c);
    v.beginning = *beginning;
    v.movementMonths = movementMonths;
    v.steps = stepDates(*table, *beginning, movementMonths);
    for (const StepDate& s : v.steps)
        v.basicPay.push_back(tablePay(g, c.payGroup(), s.position, month));
    const CalendarDate shown{1, month, g.year};
    Money value;
    bool complete = true;
    for (size_t i = 1; i < v.steps.size(); ++i) {
        if (!(shown < v.steps[i].begins)) continue;
        if (!v.basicPay[i] || !v.basicPay[i - 1]) {
            complete = false;
            break;
        }
        value += (*v.basicPay[i] - *v.basicPay[i - 1]) * (-int64_t{movementMonths});
    }
    if (complete) v.value = value;
    v.current = stepInForce(v.steps, shown);
    v.entryOfficeNote = noteFor(g, v.steps, v.basicPay);
    return v;
}

std::optional<Agreement> agreementOf(const Case& c) {
    const int sr = c.serviceRelationship();
    if (sr == kTvoedBund) return Agreement::TvoedBund;
    if (sr == kTvoedVka) return Agreement::TvoedVka;
    if (sr == kTvl) {
        // The eastern tariff area: regions 4, 8, 13, 14, 16 and 17.
        const int r = c.region();
        const bool east = r == 4 || r == 8 || r == 13 || r == 14 || r == 16 || r == 17;
        return east ? Agreement::TvlOst : Agreement::TvlWest;
    }
    return std::nullopt;
}

PromotionView PromotionOf(Session& g, Money allowanceA, Money allowanceB) {
    const Case& c = g.workingCase;
    const auto agreement = agreementOf(c);
    if (!agreement)
        throw Error("Die Höhergruppierung wird für TVöD-Bund, TVöD-VKA und TV-L berechnet; dieser "
                    "Personalfall ist keiner davon.");
    const int month = g.month();
    const std::vector<std::string> groups = payGroupNames(g.pay.texts, c.serviceRelationship());
    PromotionView p;
    p.agreement = *agreement;
    p.group = c.payGroup();
    p.step = c.key(KeySlot::Step);
    p.newGroup = p.group + 1;
    if (p.newGroup >= static_cast<int>(groups.size()))
        throw Error("Nach " + nameOr(groups, p.group) + " gibt es keine höhere Entgeltgruppe.");
    p.groupName = nameOr(groups, p.group);
    p.newGroupName = nameOr(groups, p.newGroup);
    const auto oldPay = tablePay(g, p.group, p.step, month);
    if (!oldPay)
        throw Error("Die Tariftabelle des Monats " + std::to_string(month) + " enthält für " + p.groupName +
                    " Stufe " + std::to_string(p.step + 1) + " keinen Betrag.");
    const bool sameStep = (*agreement == Agreement::TvlWest || *agreement == Agreement::TvlOst)
                              ? g.year >= 2019
                              : g.year >= 2017;
    p.newStep = p.step;
    if (!sameStep) {
        p.newStep = std::max(1, p.step);
        for (int s = 1; s <= 5; ++s)
            if (auto pay = tablePay(g, p.newGroup, s, month); pay && *pay >= *oldPay) {
                p.newStep = s;
                break;
            }
    }
    const auto newPay = tablePay(g, p.newGroup, p.newStep, month);
    if (!newPay)
        throw Error("Die Tariftabelle des Monats " + std::to_string(month) + " enthält für " +
                    p.newGroupName + " Stufe " + std::to_string(p.newStep + 1) + " keinen Betrag.");
    p.result = comparePromotion({*agreement, p.group, *oldPay, *newPay, allowanceA, allowanceB});

    // The months after the promotion: the old path keeps its running time; the new one keeps it too when
    // promoted into the same step, otherwise its running time starts with the promotion (§ 17 (4) TV-L
    // as it stood until 2018).
    const auto table = stepTableFor(c, g.year, month);
    const auto begin = parseReferenceDate(c.dateText);
    if (!table || !begin || table->monthsPerStep > 0) return p;
    const int first = table->firstPosition;
    const int last = table->lastPosition();
    auto startOf = [&](int position) {
        return table->starts[static_cast<size_t>(std::clamp(position - first, 0, last - first))];
    };
    const int oldAtPromotion = table->positionFor(serviceMonths(*begin, g.year, month));
    const int newBase = sameStep ? 0 : startOf(p.newStep) - (table->countsPlusOne ? 1 : 0);
    // A group without the higher steps stays in its highest one ("Weiterhin wie Stufe 5, da sie von
    // EG 9 - 15 die Endstufe ist.").
    auto payUpTo = [&](int group, int step) -> std::optional<std::pair<int, Money>> {
        for (int s = step; s >= first; --s)
            if (auto pay = tablePay(g, group, s, month)) return std::make_pair(s, *pay);
        return std::nullopt;
    };
    const CalendarDate promoted{1, month, g.year};
    for (int k = 0; k <= 12 * 40; ++k) {
        const CalendarDate at = addMonths(promoted, k);
        const int advanced = table->positionFor(serviceMonths(*begin, at.year, at.month)) - oldAtPromotion;
        const int oldWanted = std::min(last, p.step + advanced);
        const int newWanted =
            std::min(last, sameStep ? p.newStep + advanced : table->positionFor(newBase + k));
        const auto o = payUpTo(p.group, oldWanted);
        const auto n = payUpTo(p.newGroup, newWanted);
        if (!o || !n) break;
        if (!p.following.empty() && p.following.back().oldStep == o->first &&
            p.following.back().newStep == n->first)
            continue;
        const Money oldTotal = o->second + allowanceA + allowanceB;
        const Money newTotal = n->second + allowanceA + allowanceB;
        p.following.push_back({at, o->first, n->first, oldTotal, newTotal, newTotal - oldTotal});
        if (oldWanted >= last && newWanted >= last) break;
    }
    return p;
}

bool TransferPromotion(Session& g, const PromotionView& p) {
    return transferIntoCase(g, g.month(), {}, [&] {
        // Line 6 turns into "Nächster Stufenaufstieg (nur Info)" with the date the new group's next step
        // begins: a date that still counted as the beginning of the running time would compute the step
        // of the old group's path and replace the one transferred.
        g.workingCase.setKey(KeySlot::DateLabel, kDateLabelNextStep);
        g.workingCase.dateText.clear();
        for (const PromotionPeriod& f : p.following)
            if (f.newStep != p.newStep) {
                g.workingCase.dateText = formatCalendarDate(f.from);
                break;
            }
        bool done = SetKey(g, KeySlot::PayGroup, p.newGroup) && SetKey(g, KeySlot::Step, p.newStep);
        if (done && p.result.guaranteeAllowance > Money())
            done = SetKey(g, KeySlot::StructuralAllowance, 2) &&
                   EnterAmount(g, AmountSlot::StructuralAllowance, p.result.guaranteeAllowance.toDisplay());
        return done;
    });
}

} // namespace varemo
