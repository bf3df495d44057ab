#include "pay/steps.h"

#include "base/cp1252.h"
#include "tariffs/multipliers.h"
#include "tariffs/tariff_address.h"

#include <algorithm>
#include <limits>

namespace varemo {

using namespace relationship;

namespace {

// Positions of the catalogue's group lists that the step rules single out.
constexpr int kGroupE1 = 0;    // E1 (TVöD, TV-L): steps 2 to 6 only, four years each
constexpr int kGroupE15U = 18; // E15Ü (TVöD Bund, TVöD VKA, TV-L)
constexpr int kGroupTvlE9 = 8; // TV-L: E9 .. E15 had no step 6 before 2018
constexpr int kGroupTvlE15 = 14;
constexpr int kGroupSueS8b = 5;      // TVöD SuE: S8b has the lengthened steps 4 and 5
constexpr int kGroupTvhE9Small = 19; // TV-H "kleine E 9" (E9k)
constexpr int kGroupKr7 = 2;         // TV-L KR: KR7 to KR17 begin at step 2

int monthIndex(int year, int month) {
    return year * 12 + (month - 1);
}

// The step tables. Thresholds of the tables counted "months + 1" are written as published.
//
// The steps of the shipped pay tables (data/paytables) and the table each follows:
//   bbesg_bund_b   B1 to B11: fixed salaries, no steps (entry 0, "Festes Grundgehalt")
//   bbesg_bund_c   C1 steps 1 to 14, C2 to C4 steps 1 to 15: two-year steps (table E); the count stops
//                  at the group's last step
//   bbesg_bund_w   W1 a fixed salary; W2 and W3 steps 1 to 3 (kTableWBund)
//   bbesg_bund_r   R1 and R2 steps 1 to 8, two-year steps (table E); R3 to R10 fixed salaries
//   tvl_pflege     KR5 and KR6 steps 1 to 6 as § 16 TV-L; KR7 to KR17 steps 2 to 6 (kTableKrFromStepTwo)
//   tvl_sue        S2 to S18 steps 1 to 6, the steps of the social and childcare service (table C)
//   tvh            as the TV-L (E1 from step 2, E9 to E15 step 6 from 2018, E15Ü steps 1 to 5); the
//                  small E 9 (E9k, steps 1 to 4, step 5 from 2018-02) is chosen by hand
const StepTable kTableA{true, 0, {0, 25, 61, 97, 133, 181, 229, 277}, 0};
const StepTable kTableALower{true, 0, {0, 25, 61, 97, 133, 169, 205, 241}, 0};
const StepTable kTableB{true, 0, {0, 25, 49, 73, 97, 133, 169, 205}, 0};
const StepTable kTableC{false, 0, {0, 12, 48, 96, 144, 204}, 0};
// S8b: six years in step 4 and eight years in step 5 (the agreement of 2015).
const StepTable kTableCLong{false, 0, {0, 12, 48, 96, 168, 264}, 0};
const StepTable kTableD{false, 0, {0, 12, 24, 36, 48}, 0};
const StepTable kTableDShort{false, 0, {0, 36, 72}, 0};
const StepTable kTableE{false, 0, {}, 24};
const StepTable kTableF{true, 0, {0, 25, 49, 73, 97, 133, 169, 205, 241, 289, 337, 385}, 0};
// F with the long-service part of A (positions 10 and 11 from 337 and 397).
const StepTable kTableFLong{true, 0, {0, 25, 49, 73, 97, 133, 169, 205, 241, 289, 337, 397}, 0};
const StepTable kTableG{true, 0, {0, 25, 49, 73, 109, 145, 181, 217, 265}, 0};
const StepTable kTableH{false, 0, {}, 12};
// Bayern (Art. 30 BayBesG): two years up to step 4, three years up to step 8, then four years.
const StepTable kTableBavaria{false, 0, {0, 24, 48, 72, 108, 144, 180, 216, 264, 312, 360}, 0};
// W pay of the new law: step 1 in years 1 to 5, step 2 in years 6 to 12, step 3 from year 13.
const StepTable kTableW{false, 0, {0, 60, 144}, 0};
// W2 and W3 of the Bund (§ 32b (2) BBesG): seven years in step 1, five years in step 2.
const StepTable kTableWBund{false, 0, {0, 84, 144}, 0};
// § 16 TVöD / TV-L: one, two, three, four and five years in steps 1 to 5.
const StepTable kTableTvoed{false, 0, {0, 12, 36, 72, 120, 180}, 0};
const StepTable kTableTvoedFiveSteps{false, 0, {0, 12, 36, 72, 120}, 0};
const StepTable kTableE1{false, 1, {0, 48, 96, 144, 192}, 0};
// TV-L KR7 to KR17 (Anlage C) have no step 1: the first year counts in step 2, which then lasts two
// years, step 3 three, step 4 four and step 5 five years, as in § 16 (3) TV-L.
const StepTable kTableKrFromStepTwo{false, 1, {0, 24, 60, 108, 168}, 0};
// E15Ü: two, three, four and five years in steps 1 to 4 (VKA counts them as steps 2 to 6).
const StepTable kTableE15U{false, 0, {0, 24, 60, 108, 168}, 0};
const StepTable kTableE15UVka{false, 1, {0, 24, 60, 108, 168}, 0};
// TV-Ärzte: yearly steps in Ä1, three-year steps above.
const StepTable kTableDoctorsYearly{false, 0, {0, 12, 24, 36, 48, 60}, 0};
const StepTable kTableDoctors{false, 0, {0, 36, 72}, 0};
const StepTable kTableDoctorsTwoSteps{false, 0, {0, 36}, 0};

// W pay from 2013 with a group above 0 (W2, W3): the W steps of the new law of the Bund (region 0) and
// of regions 1 and 3. W1 keeps its fixed salary.
bool hasNewWSteps(const Case& c, int year) {
    return c.serviceRelationship() == kPayOrderW && year >= 2013 &&
           (c.region() == 0 || c.region() == 1 || c.region() == 3) && c.payGroup() > 0;
}

// Fixed salaries: one amount, no steps.
bool hasFixedSalary(const Case& c, int year) {
    switch (c.serviceRelationship()) {
    case kPayOrderB:
    case kCandidates:
        return true;
    case kPayOrderW:
        return !hasNewWSteps(c, year);
    case kPayOrderR:
        return c.payGroup() > 1;
    default:
        return false;
    }
}

// Sachsen-Anhalt's transition from April 2011 on.
bool saxonyAnhaltTransition(int region, int year, int month) {
    return region == 14 && monthIndex(year, month) >= monthIndex(2011, 4);
}

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool parseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 4) return false;
    value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return false;
        value = value * 10 + (ch - '0');
    }
    return true;
}

std::vector<std::string> numbered(const std::string& prefix, int first, int last,
                                  const std::string& suffix = "") {
    std::vector<std::string> out;
    for (int n = first; n <= last; ++n)
        out.push_back(prefix + std::to_string(n) + suffix);
    return out;
}

void appendUnused(std::vector<std::string>& texts, int upToPosition) {
    while (static_cast<int>(texts.size()) <= upToPosition)
        texts.push_back("Stufe " + std::to_string(texts.size() + 1) + " unbenutzt");
}

// "Entgeltstufe 2 (dauert idR 24 Mon.)" ... "Grundentgelt in Stufe 6 (Endstufe)".
std::vector<std::string> agreementTexts(const StepTable& t) {
    std::vector<std::string> texts;
    appendUnused(texts, t.firstPosition - 1);
    for (size_t i = 0; i < t.starts.size(); ++i) {
        const int step = t.firstPosition + static_cast<int>(i) + 1;
        if (i + 1 == t.starts.size()) {
            texts.push_back("Grundentgelt in Stufe " + std::to_string(step) + " (Endstufe)");
            break;
        }
        std::string text = "Entgeltstufe " + std::to_string(step) + " (dauert idR " +
                           std::to_string(t.starts[i + 1] - t.starts[i]) + " Mon.)";
        if (utf8Length(text) > 35) text = "Entgeltstufe " + std::to_string(step);
        texts.push_back(text);
    }
    return texts;
}

// "Entgeltstufe 1 (1. Jahr)", "Entgeltstufe 2 (2. bis 4. Jahr)", ..., "Entgeltstufe 6 (ab 18. Jahr)".
std::vector<std::string> yearRangeTexts(const StepTable& t) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < t.starts.size(); ++i) {
        const std::string step = "Entgeltstufe " + std::to_string(i + 1);
        const int from = t.starts[i] / 12 + 1;
        if (i + 1 == t.starts.size()) {
            texts.push_back(step + " (ab " + std::to_string(from) + ". Jahr)");
            break;
        }
        const int to = t.starts[i + 1] / 12;
        texts.push_back(from == to
                            ? step + " (" + std::to_string(from) + ". Jahr)"
                            : step + " (" + std::to_string(from) + ". bis " + std::to_string(to) + ". Jahr)");
    }
    return texts;
}

std::string handEntryText(int sr) {
    if (isCivilServant(sr)) return "Grundgehalt lt. Eingabe";
    if (sr == kTvV) return "Grundentgelt lt. Eingabe";
    if (sr == kTvN) return "Basisentgelt lt. Eingabe";
    return "Entgelt lt. Eingabe";
}

// The step texts without the hand entry.
std::vector<std::string> stepTexts(const Case& c, int year, int month) {
    const int sr = c.serviceRelationship();
    const int region = c.region();
    if (hasFixedSalary(c, year)) return {"Festes Grundgehalt"};
    switch (sr) {
    case kPayOrderA:
    case kPayOrderAOwnTitle: {
        if (region == 0 || region == 3) return numbered("Grundgehalt Erfahrungsstufe ", 1, 8);
        if (region == 2) return numbered("Grundgehalt Stufe ", 1, 11);
        if (region == 7) {
            // Steps 1 to 12; positions 15 and 16 read the special steps (entries 23 and 24).
            auto texts = numbered("Grundgehalt Stufe ", 1, 12);
            appendUnused(texts, 14);
            texts.push_back("Überleitungsstufe 1 zu Stufe 1");
            texts.push_back("Überleitungsstufe 2 zu Stufe 1");
            return texts;
        }
        if (saxonyAnhaltTransition(region, year, month)) {
            // Experience steps 1 to 8; positions 16 to 19 read entries 23 to 26.
            auto texts = numbered("Grundgehalt Erfahrungsstufe ", 1, 8);
            appendUnused(texts, 15);
            texts.push_back("Überleitungsstufe 1 zu Stufe 1");
            texts.push_back("Überleitungsstufe 2 zu Stufe 1");
            texts.push_back("Überleitungsstufe zu Stufe 2");
            texts.push_back("Überleitungsstufe zu Stufe 3");
            return texts;
        }
        return numbered("Grundgehalt Stufe ", 1, 12);
    }
    case kPayOrderC:
        return numbered("Grundgehalt Stufe ", 1, 15);
    case kPayOrderW:
        if (region == 0)
            return {"Grundgehalt Stufe 1 (1. - 7. Jahr)", "Grundgehalt Stufe 2 (8. - 12. Jahr)",
                    "Grundgehalt Stufe 3 (ab 13. Jahr)"};
        return {"Grundgehalt Stufe 1 (1. - 5. Jahr)", "Grundgehalt Stufe 2 (6. - 12. Jahr)",
                "Grundgehalt Stufe 3 (ab 13. Jahr)"};
    case kPayOrderR:
        return numbered("Erfahrungsstufe ", 1, 8);
    case kCivilOwnTable:
        return numbered("Grundgehalt Stufe ", 1, 8);
    case kTvlSocial:
    case kTvoedVkaSocial: {
        auto table = stepTableFor(c, year, month);
        return yearRangeTexts(table ? *table : kTableC);
    }
    case kTrainees:
        return numbered("Entgelt im ", 1, 4, ". Ausbildungsjahr");
    case kAgreedSalary:
    case kTypedPay:
    case kNoPay:
        return {};
    default:
        break;
    }
    if (isTariffEmployee(sr)) {
        auto table = stepTableFor(c, year, month);
        if (table && !table->starts.empty()) {
            auto texts = agreementTexts(*table);
            // TV-L E9 to E15 gained step 6 in 2018: the list keeps its length, so that the hand-entry
            // position means the same in every year.
            if (sr == kTvl && c.payGroup() >= kGroupTvlE9 && c.payGroup() <= kGroupTvlE15)
                appendUnused(texts, 5);
            return texts;
        }
    }
    return numbered("Entgeltstufe ", 1, 6);
}

} // namespace

std::optional<ReferenceDate> parseReferenceDate(const std::string& input) {
    std::string text = trimmed(input);
    std::replace(text.begin(), text.end(), '/', '.');
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
    ReferenceDate d;
    if (!parseNumber(text.substr(0, 2), d.day) || !parseNumber(text.substr(3, 2), d.month) ||
        !parseNumber(text.substr(6, 4), d.year))
        return std::nullopt;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > kDays[d.month - 1] || d.year < 1800)
        return std::nullopt;
    return d;
}

int serviceMonths(const ReferenceDate& date, int year, int month) {
    int months = (year - date.year) * 12 + (month - date.month);
    return std::clamp(months, int{std::numeric_limits<int16_t>::min()},
                      int{std::numeric_limits<int16_t>::max()});
}

int StepTable::positionFor(int months) const {
    const int counted = months + (countsPlusOne ? 1 : 0);
    if (monthsPerStep > 0) return firstPosition + std::max(0, months) / monthsPerStep;
    int position = 0;
    for (size_t i = 0; i < starts.size(); ++i)
        if (counted >= starts[i]) position = static_cast<int>(i);
    return firstPosition + position;
}

int StepTable::lastPosition() const {
    if (monthsPerStep > 0) return -1;
    return firstPosition + static_cast<int>(starts.size()) - 1;
}

std::optional<StepTable> stepTableFor(const Case& c, int year, int month) {
    const int sr = c.serviceRelationship();
    const int region = c.region();
    const int group = c.payGroup();
    if (isEmployee(sr) && isOutOfTariffGroup(sr, group, region)) return std::nullopt;
    switch (sr) {
    case kPayOrderA:
    case kPayOrderAOwnTitle:
        // The federal law (§ 27 BBesG) has eight experience steps (table A); Berlin applies A after F
        // with its variant for the lower groups; Baden-Württemberg G; Bayern its own durations;
        // Rheinland-Pfalz from 2012 the long-service part of A; the other Länder F.
        if (region == 0) return kTableA;
        if (region == 3) return group < 5 ? kTableALower : kTableA;
        if (region == 1) return kTableG;
        if (region == 2) return kTableBavaria;
        if (region == 11 && year >= 2012) return kTableFLong;
        if (saxonyAnhaltTransition(region, year, month)) return std::nullopt;
        return kTableF;
    case kPayOrderC:
        return kTableE;
    case kPayOrderW:
        if (!hasNewWSteps(c, year)) return std::nullopt;
        return region == 0 ? kTableWBund : kTableW;
    case kPayOrderR:
        return group > 1 ? std::nullopt : std::optional<StepTable>(kTableE);
    case kCivilOwnTable:
        return group <= 7 ? kTableB : kTableA;
    case kTvlSocial:
        return kTableC;
    case kTvoedVkaSocial:
        if (group == kGroupSueS8b && monthIndex(year, month) >= monthIndex(2015, 6)) return kTableCLong;
        return kTableC;
    case kAok:
        return group == 2 || group == 3 ? kTableDShort : kTableD;
    case kTrainees:
        return kTableH;
    case kDoctors:
        if (group % 10 == 0) return kTableDoctorsYearly;
        if (group % 10 == 3) return kTableDoctorsTwoSteps;
        return kTableDoctors;
    case kTvoedBund:
    case kTvoedVka:
    case kTvoedSavingsBanks:
        if (group == kGroupE1) return kTableE1;
        if (group == kGroupE15U && sr != kTvoedSavingsBanks)
            return sr == kTvoedVka ? kTableE15UVka : kTableE15U;
        return kTableTvoed;
    case kTvl:
        // The lengthened steps of the small E 9 are not modelled: its step is chosen in line 8.
        if (group == kGroupTvhE9Small) return std::nullopt;
        if (group == kGroupE1) return kTableE1;
        if (group == kGroupE15U) return kTableE15U;
        if (group >= kGroupTvlE9 && group <= kGroupTvlE15 && year < 2018) return kTableTvoedFiveSteps;
        return kTableTvoed;
    case kTvlCare:
        return group >= kGroupKr7 ? kTableKrFromStepTwo : kTableTvoed;
    case kTvV:
    case kTvN:
    case kServiceContract1:
    case kServiceContract2:
    case kAvrDiakonie:
    case kAvrCaritas:
        return kTableTvoed;
    default:
        return std::nullopt;
    }
}

bool hasStepMovement(int sr) {
    return isTariffEmployee(sr) && sr != kServiceContract1 && sr != kServiceContract2;
}

int stepMovementMonths(int option) {
    // Options 1 to 15 shorten (earlier steps), 16 to 22 lengthen by whole years.
    static constexpr int kShortening[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 18, 24, 36};
    if (option >= 1 && option <= 15) return -kShortening[option - 1];
    if (option >= 16 && option <= 22) return (option - 15) * 12;
    return 0;
}

namespace {

// The automatic step's preconditions that do not depend on the date; false ends the computation.
// May change the step as the special service relationships require.
bool specialRelationships(Case& c, int year, int month) {
    const int sr = c.serviceRelationship();
    const int label = c.key(KeySlot::DateLabel);
    if (label >= 2 || (sr == kPayOrderR && label >= 1) || (sr >= kEmployeeOwnTable && sr <= kTypedPay))
        return false;
    switch (sr) {
    case kPayOrderA:
    case kPayOrderAOwnTitle:
        if ((c.region() == 2 || c.region() == 3 || c.region() == 6 || c.region() == 17) &&
            c.key(KeySlot::Step) > 7)
            return false;
        if (saxonyAnhaltTransition(c.region(), year, month)) return false;
        return true;
    case kPayOrderB:
        if (c.key(KeySlot::Step) >= 2) c.setKey(KeySlot::Step, 0);
        return false;
    case kPayOrderR:
        if (c.payGroup() > 1) {
            c.setKey(KeySlot::Step, 0);
            return false;
        }
        return c.region() != 3 && c.region() != 17;
    case kCandidates:
        return false;
    default:
        return true;
    }
}

// Bayern, and the C groups (C1 ends at step 14, C2 to C4 at 15): the first step with an amount is the
// entry step and the last one the final step. Only the entries of the step list count: the federal
// records hold the family allowance behind the steps.
int stepLimitsOfRow(Globaldaten& g, int position, int month) {
    const Case& c = g.workingCase;
    auto record = tariffRecordNumber(c.region(), c.serviceRelationship(), c.payGroup(), g.year, month, 0);
    if (!record) return position;
    TariffRow row = g.tariffs.read(month, *record);
    int first = -1;
    int last = -1;
    const int lastStep = std::min(22, handEntryStep(c, g.year, month) - 1);
    for (int k = 0; k <= lastStep; ++k)
        if (row[static_cast<size_t>(k)] != 0) {
            if (first < 0) first = k;
            last = k;
        }
    if (first < 0) return position;
    return std::clamp(position, first, last);
}

} // namespace

void ComputeStep(Globaldaten& g) {
    Case& c = g.workingCase;
    const int month = std::clamp(c.monthIndex() + 1, 1, 12);
    if (!specialRelationships(c, g.year, month)) return;
    auto date = parseReferenceDate(c.dateText);
    if (!date) return;
    auto table = stepTableFor(c, g.year, month);
    if (!table) return;

    const int sr = c.serviceRelationship();
    int months = serviceMonths(*date, g.year, month);
    if (months < 0) {
        if (sr == kTvoedVkaSocial) return;
        months = 0;
    }
    int position = table->positionFor(months);
    if (sr == kTvoedVkaSocial || sr == kAok) c.setKey(KeySlot::RegularStep, static_cast<int16_t>(position));
    if (hasStepMovement(sr)) {
        const int64_t moved64 = int64_t{months} - c.amount(AmountSlot::StepMovement); // no 32-bit overflow
        const int moved =
            static_cast<int>(std::clamp<int64_t>(moved64, 0, std::numeric_limits<int16_t>::max()));
        position = table->positionFor(moved);
    }
    if ((isPayOrderA(sr) && c.region() == 2) || sr == kPayOrderC)
        position = stepLimitsOfRow(g, position, month);
    const int last = handEntryStep(c, g.year, month) - 1;
    position = std::clamp(position, 0, std::max(0, last));
    c.setKey(KeySlot::Step, static_cast<int16_t>(position));
}

bool automaticStepApplies(const Case& c, int year, int month) {
    Case probe = c;
    if (!specialRelationships(probe, year, month)) return false;
    if (!parseReferenceDate(c.dateText)) return false;
    return stepTableFor(c, year, month).has_value();
}

StepList stepList(const Case& c, int year, int month) {
    StepList list;
    list.texts = stepTexts(c, year, month);
    list.handEntry = static_cast<int>(list.texts.size());
    list.texts.push_back(handEntryText(c.serviceRelationship()));
    return list;
}

int handEntryStep(const Case& c, int year, int month) {
    // The number of texts stepTexts gives, counted without making them: the run asks on every month.
    const int sr = c.serviceRelationship();
    const int region = c.region();
    if (hasFixedSalary(c, year)) return 1;
    switch (sr) {
    case kPayOrderA:
    case kPayOrderAOwnTitle:
        if (region == 0 || region == 3) return 8;
        if (region == 2) return 11;
        if (region == 7) return 17; // steps 1 to 12, unused up to position 14, two special steps
        if (saxonyAnhaltTransition(region, year, month)) return 20; // 8, unused up to 15, four special
        return 12;
    case kPayOrderC:
        return 15;
    case kPayOrderW:
        return 3;
    case kPayOrderR:
    case kCivilOwnTable:
        return 8;
    case kTvlSocial:
    case kTvoedVkaSocial: {
        auto table = stepTableFor(c, year, month);
        return static_cast<int>((table ? *table : kTableC).starts.size());
    }
    case kTrainees:
        return 4;
    case kAgreedSalary:
    case kTypedPay:
    case kNoPay:
        return 0;
    default:
        break;
    }
    if (isTariffEmployee(sr)) {
        auto table = stepTableFor(c, year, month);
        if (table && !table->starts.empty()) {
            int count = std::max(table->firstPosition, 0) + static_cast<int>(table->starts.size());
            if (sr == kTvl && c.payGroup() >= kGroupTvlE9 && c.payGroup() <= kGroupTvlE15)
                count = std::max(count, 6);
            return count;
        }
    }
    return 6;
}

std::vector<std::string> dateLabelOptions(const Case& c) {
    const int sr = c.serviceRelationship();
    const int region = c.region();
    if (isPayOrderA(sr) || sr == kCivilOwnTable) {
        const bool experience = region == 0 || region == 2 || region == 3 || sr == kCivilOwnTable;
        return {experience ? "Beginn der Stufe 1 (Rechengröße)" : "Beginn des BDA", "Diensteintritt",
                "Nächster Stufenaufstieg (nur Info)", "Ohne Bezüge beurlaubt bis", "Befristet bis"};
    }
    if (sr == kPayOrderR)
        return {"Beginn des Stufenaufstiegs", "Datum der Ernennung", "Nächster Stufenaufstieg (nur Info)",
                "Ohne Bezüge beurlaubt bis", "Befristet bis"};
    if (isCivilServant(sr))
        return {"Datum der Ernennung", "Diensteintritt", "Nächster Stufenaufstieg (nur Info)",
                "Ohne Bezüge beurlaubt bis", "Befristet bis"};
    if (sr == kTrainees)
        return {"Ausbildungsbeginn am", "Einstellungsdatum", "Befristet bis", "Ohne Entgelt beurlaubt bis"};
    if (sr == kAok)
        return {"Betriebszugehörig seit", "Einstellungsdatum", "Nächster Stufenaufstieg (nur Info)",
                "Ohne Entgelt beurlaubt bis", "Befristet bis"};
    if (isTariffEmployee(sr))
        return {"Beginn der Stufenlaufzeit", "Einstellungsdatum", "Nächster Stufenaufstieg (nur Info)",
                "Ohne Entgelt beurlaubt bis", "Befristet bis"};
    return {"Betriebszugehörig seit", "Einstellungsdatum", "Befristet bis", "Ohne Gehalt beurlaubt bis"};
}

bool dateLabelIsNextStep(const Case& c) {
    // The lists of dateLabelOptions that have the entry at position 2.
    const int sr = c.serviceRelationship();
    const bool offered = isCivilServant(sr) || (sr != kTrainees && (sr == kAok || isTariffEmployee(sr)));
    return offered && c.key(KeySlot::DateLabel) == 2;
}

std::vector<std::string> lineSevenOptions(const Case& c, const OptionTextFile& texts) {
    const int sr = c.serviceRelationship();
    if (isCivilServant(sr))
        return {"100% Verh.Zuschlag, ggf. TZ-Kürzung", "50% Verh.Zuschlag ohne TZ-Kürzung",
                "50% Verh.Zuschlag ohne TZ-Kürzung", "50% Verh.Zuschlag  mit TZ-Kürzung"};
    std::vector<std::string> out;
    if (hasStepMovement(sr)) {
        for (int option = 0; option <= 22; ++option) {
            // Shown as the months added to the service months: "+6" shortens the step by six months.
            const int added = -stepMovementMonths(option);
            out.push_back("Monate bei Stufenber.= " + std::string(added > 0 ? "+" : "") +
                          std::to_string(added));
        }
        return out;
    }
    const std::string& own = c.text(CaseText::Reserve1);
    out.push_back(own.empty() ? "Reserve" : own);
    for (int k = 0; k < optiontext::kContractNotesCount; ++k) {
        std::string text = texts.text(optiontext::kContractNotesFirst + k);
        if (text.empty()) break;
        out.push_back(text);
    }
    return out;
}

} // namespace varemo
