#include "pay/pay_options.h"

#include "pay/allowances.h"
#include "pay/line_key_codes.h"
#include "pay/steps.h"
#include "tariffs/service_relationship.h"
#include "tariffs/tariff_address.h"

#include <algorithm>

namespace varemo {
namespace {

std::vector<std::string> fromRecords(const OptionTextFile& texts, int first, int count) {
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        out.push_back(texts.text(first + k));
    return out;
}

// Lines 25, 26 and 44 to 46: the entries with a general rule are named by it, the others by the
// option-text file.
std::vector<std::string> keyCodeLineOptions(const Globaldaten& g, int line) {
    const bool inKind = line == 25 || line == 26;
    const KeyCodeRules rules =
        g.extras.keyCodeRulesYear == g.year ? g.extras.keyCodeRules : keyCodeRulesFromRecord(g.yearDefaults);
    auto out = inKind ? fromRecords(g.pay.texts, optiontext::kInKindFirst, optiontext::kInKindEntries)
                      : fromRecords(g.pay.texts, optiontext::kDeductionFirst, optiontext::kDeductionEntries);
    for (int p = 0; p < kInKindRules; ++p)
        if (const KeyCodeRule* rule = ruleOfEntry(rules, line, p)) out[static_cast<size_t>(p)] = rule->name;
    return out;
}

// Line 32: position p > 0 grants the old-age relief from the year  calculation year + 1 - p, back to 2005.
std::vector<std::string> oldAgeReliefOptions(int year) {
    std::vector<std::string> out{"Kein Altersentlastungsbetrag"};
    for (int from = year; from >= 2005; --from)
        out.push_back("Altersentlastungsbetrag ab " + std::to_string(from));
    return out;
}

// Line 5: the case's own title first (the user renames it); then titles proposed from the pay group,
// and at position 4 the teacher, whose table pay some agreements lower or raise (adjustTariffRow).
std::vector<std::string> titleOptions(const Case& c, const OptionTextFile& texts, const TariffRow& row) {
    const int sr = c.serviceRelationship();
    std::string person = isCivilServant(sr) ? "Beamtin/Beamter" : "Beschäftigte/r";
    const auto groups = payGroupNames(texts, sr);
    const int group = c.key(KeySlot::PayGroup);
    if (group >= 0 && group < static_cast<int>(groups.size()) && !groups[static_cast<size_t>(group)].empty())
        person += " " + groups[static_cast<size_t>(group)];
    std::string teacher = "Lehrkraft";
    if (hasTeacherAdjustment(sr)) teacher += " (" + teacherPayText(row[kTeacherAmountEntry]) + ")";
    return {"", person, person + " (befristet)", person + " (Vertretung)", teacher};
}

} // namespace

std::string teacherPayText(int32_t cents) {
    // The row is lowered by the amount: a positive amount is a reduction, a negative one an addition.
    const int64_t magnitude = cents < 0 ? -int64_t{cents} : int64_t{cents};
    const int64_t hundredths = magnitude % 100;
    return std::string("Tab.-Entgelt ") + (cents < 0 ? "+ " : "- ") + std::to_string(magnitude / 100) + "," +
           (hundredths < 10 ? "0" : "") + std::to_string(hundredths) + " €";
}

std::vector<std::string> regionNames(const OptionTextFile& texts) {
    return fromRecords(texts, optiontext::kRegionFirst, optiontext::kRegionCount);
}

std::vector<std::string> serviceRelationshipNames(const OptionTextFile& texts, bool traineeName) {
    auto names =
        fromRecords(texts, optiontext::kServiceRelationshipFirst, optiontext::kServiceRelationshipCount);
    names[8] = "TV-L/H Pflege";
    names[9] = "TV-L/H Sozial und Erziehungsdienst";
    if (traineeName) names[20] = "TVAöd/TV-L/AOK Auszubildende(r)";
    return names;
}

std::vector<std::string> payGroupNames(const OptionTextFile& texts, int serviceRelationship) {
    if (serviceRelationship < 0 || serviceRelationship >= optiontext::kServiceRelationshipCount) return {};
    return fromRecords(texts, optiontext::payGroupRecord(serviceRelationship, 0),
                       optiontext::kPayGroupsPerRelationship);
}

std::optional<std::vector<std::string>> PayOptionLists::options(const Case& c, int line) const {
    const OptionTextFile& texts = g_.pay.texts;
    const int month = std::clamp(c.monthIndex() + 1, 1, 12);
    std::vector<std::string> out;
    switch (line) {
    case 2:
        if (!texts.isLoaded()) return std::nullopt;
        out = regionNames(texts);
        break;
    case 4:
        if (!texts.isLoaded()) return std::nullopt;
        out = serviceRelationshipNames(texts, g_.pay.traineeName);
        break;
    case 6:
        out = dateLabelOptions(c);
        break;
    case 7:
        out = lineSevenOptions(c, texts);
        break;
    case 8:
        out = stepList(c, g_.year, month).texts;
        break;
    case 9:
        out = lineNineOptions(c);
        break;
    case 10:
        out = lineTenOptions(c, texts);
        break;
    case 12:
        out = lineTwelveOptions(c);
        break;
    case 13:
    case 14:
    case 15:
        out = allowanceOptions(c, texts);
        break;
    case 3:
        out = fromRecords(texts, optiontext::kOfficeFirst, optiontext::kOffices);
        break;
    case 5:
        out = titleOptions(c, texts, g_.pay.row);
        break;
    case 25:
    case 26:
    case 44:
    case 45:
    case 46:
        out = keyCodeLineOptions(g_, line);
        break;
    case 28:
        out = fromRecords(texts, optiontext::kCostCentreFirst, optiontext::kCostCentres);
        out[0] = lineInfo(28).caption; // "Keine Kostenstelle" is no name the user may change
        break;
    case 29:
        out = fromRecords(texts, optiontext::kDenominationFirst, optiontext::kDenominations);
        break;
    case 32:
        out = oldAgeReliefOptions(g_.year);
        break;
    default:
        return std::nullopt;
    }
    // An entry the option-text file leaves empty shows the line's caption, or its number where the
    // entries are the user's own.
    for (size_t p = 0; p < out.size(); ++p)
        if (out[p].empty())
            out[p] = (line >= 25 && line != 32) || line == 3 ? "Position " + std::to_string(p + 1)
                                                             : lineInfo(line).caption;
    return out;
}

} // namespace varemo
