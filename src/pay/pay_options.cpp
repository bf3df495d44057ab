#include "pay/pay_options.h"

#include "pay/allowances.h"
#include "pay/steps.h"

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

} // namespace

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
    default:
        return std::nullopt;
    }
    // An entry the option-text file leaves empty shows the line's caption.
    for (auto& text : out)
        if (text.empty()) text = lineInfo(line).caption;
    return out;
}

} // namespace varemo
