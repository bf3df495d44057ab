#include "presentation/option_text_editor.h"

#include "base/cp1252.h"
#include "model/option_texts.h"

#include <algorithm>

namespace varemo {
namespace {

using namespace optiontext;

// Windows-1252 lower case, so that "ÄRZTE" finds "Ärzte" as "ARZT" finds "Arzt".
std::string folded(const std::string& utf8) {
    std::string bytes = utf8ToCp1252(utf8);
    for (char& c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 0x20);
    }
    return bytes;
}

} // namespace

const std::vector<OptionTextEditor::Range>& OptionTextEditor::ranges() {
    // The first entries of some lists are fixed or the case's own text; they are left out.
    static const std::vector<Range> all = {
        {"Zeile 2: Bund / Land (Regionen)", kRegionFirst, kRegionFirst + optiontext::kRegionCount - 1},
        {"Zeile 3: Dienststellen", kOfficeFirst + 1, kOfficeFirst + kOffices - 1},
        {"Zeile 4: Dienstverhältnisse", kServiceRelationshipFirst,
         kServiceRelationshipFirst + kServiceRelationshipCount - 1},
        {"Zeile 4: Entgelt- und Besoldungsgruppen", kPayGroupFirst,
         kPayGroupFirst + kPayGroupsPerRelationship * kServiceRelationshipCount - 1},
        {"Zeile 7: Verträge ohne Stufenaufstieg", kContractNotesFirst,
         kContractNotesFirst + kContractNotesCount - 1},
        {"Zeile 10: Familienzuschlag (Beamte)", kFamilyFirst, kFamilyFirst + kFamilyCount - 1},
        {"Zeilen 13 bis 15: Zulagen der Beamten", kCivilAllowanceFirst,
         kCivilAllowanceFirst + kAllowanceOptions * optiontext::kRegionCount - 1},
        {"Zeilen 13 bis 15: Zulagen der Beschäftigten", kEmployeeAllowanceFirst,
         kEmployeeAllowanceFirst + kAllowanceOptions * optiontext::kRegionCount - 1},
        {"Zeilen 25 und 26: Sachbezüge", kInKindFirst + 8, kInKindFirst + kInKindEntries - 1},
        {"Zeile 28: Kostenstellen", kCostCentreFirst + 1, kCostCentreFirst + kCostCentres - 1},
        {"Zeile 29: Konfession", kDenominationFirst, kDenominationFirst + kDenominations - 1},
        {"Zeile 38: Pflegeversicherung", kCareKindFirst, kCareKindFirst + 6},
        {"Zeile 39: Rentenversicherung", kPensionKindFirst, kPensionKindFirst + 4},
        {"Zeile 40: Arbeitslosenversicherung", kUnemploymentKindFirst, kUnemploymentKindFirst + 5},
        {"Zeilen 44 bis 46: Einbehalte und Zahlungen", kDeductionFirst + 8,
         kDeductionFirst + kDeductionEntries - 1},
        {"Hinweise vor der Übertragung ins Folgejahr", kTransferFirst, kTransferFirst + kTransferCount - 1},
        {"Alle Datensätze", 1, 99999},
    };
    return all;
}

OptionTextEditor::OptionTextEditor(const Session& g, int year)
    : year_(year), stored_(currentOptionTextRecords(g, year)),
      shipped_(readOptionTextRecords(shippedOptionTextPath(g, year))) {}

std::vector<OptionTextEditor::Row> OptionTextEditor::rows(int first, int last,
                                                          const std::string& search) const {
    std::vector<Row> out;
    const std::string wanted = folded(search);
    for (int record = std::max(first, 1); record <= std::min(last, recordCount()); ++record) {
        const std::string shown = text(record);
        if (!wanted.empty() && folded(shown).find(wanted) == std::string::npos) continue;
        out.push_back({record, shown, changes_.count(record) > 0});
    }
    return out;
}

std::string OptionTextEditor::storedText(int record) const {
    return inFile(record) ? stored_[static_cast<size_t>(record - 1)] : std::string();
}

std::string OptionTextEditor::text(int record) const {
    auto it = changes_.find(record);
    return it != changes_.end() ? it->second : storedText(record);
}

std::optional<std::string> OptionTextEditor::enter(int record, const std::string& utf8) {
    if (!inFile(record)) return missingOptionTextRecord(year_, record, recordCount());
    // Trailing blanks are the record's padding: they cannot be kept apart from it.
    std::string text = utf8;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (auto refusal = optionTextRefusal(record, text)) return refusal;
    if (text == storedText(record))
        changes_.erase(record);
    else
        changes_[record] = text;
    return std::nullopt;
}

std::optional<std::string> OptionTextEditor::restoreDefault(int record) {
    if (shipped_.empty())
        return "Die mitgelieferte Textdatei des Jahres " + std::to_string(year_) +
               " fehlt im Programmordner; es gibt keine Vorgabewerte.";
    const size_t i = static_cast<size_t>(record - 1);
    return enter(record, record >= 1 && i < shipped_.size() ? shipped_[i] : std::string());
}

StorageResult OptionTextEditor::save(Session& g, const std::string& administratorPassword) {
    const StorageResult result = SaveOptionTexts(g, year_, changes_, administratorPassword);
    if (result == StorageResult::Done) {
        for (const auto& [record, text] : changes_)
            stored_[static_cast<size_t>(record - 1)] = text;
        changes_.clear();
    }
    return result;
}

} // namespace varemo
