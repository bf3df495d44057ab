#include "session/option_text_edit.h"

#include "base/cp1252.h"
#include "base/error.h"
#include "model/option_texts.h"
#include "persistence/file_ops.h"
#include "session/recalculate.h"
#include "session/users.h"

namespace varemo {
namespace fs = std::filesystem;

namespace {

constexpr size_t kLength = optiontext::kRecordLength;

// The edited file, or the shipped one while the user has none: saving then makes the user's copy.
fs::path startingFile(const Session& g, int year) {
    const fs::path edited = editedOptionTextPath(g, year);
    std::error_code ec;
    return fs::is_regular_file(edited, ec) ? edited : shippedOptionTextPath(g, year);
}

size_t recordCount(size_t bytes) {
    return (bytes + kLength - 1) / kLength;
}

} // namespace

fs::path editedOptionTextPath(const Session& g, int year) {
    return optionTextPath(g.dataRootOrProgram(), year);
}

fs::path shippedOptionTextPath(const Session& g, int year) {
    return optionTextPath(g.programDir, year);
}

std::vector<std::string> readOptionTextRecords(const fs::path& file) {
    const std::vector<uint8_t> bytes = readWholeFile(file);
    std::vector<std::string> out;
    out.reserve(recordCount(bytes.size()));
    for (size_t offset = 0; offset < bytes.size(); offset += kLength) {
        std::string raw(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                        bytes.begin() +
                            static_cast<std::ptrdiff_t>(std::min(offset + kLength, bytes.size())));
        for (char& c : raw)
            if (c == '\0') c = ' '; // never written
        while (!raw.empty() && raw.back() == ' ')
            raw.pop_back();
        out.push_back(cp1252ToUtf8(raw));
    }
    return out;
}

std::vector<std::string> currentOptionTextRecords(const Session& g, int year) {
    return readOptionTextRecords(startingFile(g, year));
}

std::string missingOptionTextRecord(int year, int record, int records) {
    return "Den Datensatz " + std::to_string(record) + " gibt es in der Textdatei " + std::to_string(year) +
           " nicht (1 bis " + std::to_string(records) + ").";
}

std::optional<std::string> optionTextRefusal(int record, const std::string& utf8) {
    const std::string refused =
        "Der Text \"" + utf8 + "\" für Datensatz " + std::to_string(record) + " wird nicht übernommen. ";
    if (utf8Length(utf8) > kLength)
        return refused + "Erlaubt sind höchstens " + std::to_string(kLength) + " Zeichen.";
    // A character without a Windows-1252 code would come back from the file as '?'.
    if (cp1252ToUtf8(utf8ToCp1252(utf8)) != utf8)
        return refused + "Er enthält Zeichen, die in der Textdatei nicht gespeichert werden können.";
    for (unsigned char c : utf8)
        if (c < 32) return refused + "Er enthält Steuerzeichen (Tabulator oder Zeilenumbruch).";
    return std::nullopt;
}

StorageResult SaveOptionTexts(Session& g, int year, const std::map<int, std::string>& changes,
                              const std::string& administratorPassword) {
    if (changes.empty()) return StorageResult::Done;
    const fs::path file = editedOptionTextPath(g, year);
    const std::string unchanged = "Die Texte der Auswahllisten wurden nicht gespeichert.";
    auto failed = [&](const fs::path& path, const std::string& what, const std::exception& e) {
        g.prompter.tell("Fehler",
                        {"Die Datei " + path.string() + " konnte nicht " + what + " werden.",
                         "Ursache: " + failureCause(e), unchanged},
                        PromptIcon::Critical);
        return StorageResult::Failed;
    };
    const fs::path from = startingFile(g, year);
    std::vector<uint8_t> bytes;
    try {
        bytes = readWholeFile(from);
    } catch (const std::exception& e) {
        return failed(from, "gelesen", e);
    }
    const int records = static_cast<int>(recordCount(bytes.size()));
    for (const auto& [record, text] : changes) {
        if (record < 1 || record > records) {
            g.prompter.tell("Sorry", {missingOptionTextRecord(year, record, records), unchanged},
                            PromptIcon::Warning);
            return StorageResult::Refused;
        }
        if (auto refusal = optionTextRefusal(record, text)) {
            g.prompter.tell("Eingabe", {*refusal, unchanged}, PromptIcon::Warning);
            return StorageResult::Refused;
        }
    }
    if (!ConfirmUnprotected(g, administratorPassword)) {
        g.prompter.tell("Schutz", {unchanged}, PromptIcon::Warning);
        return StorageResult::Refused;
    }
    bytes.resize(static_cast<size_t>(records) * kLength, ' '); // a last record cut short is completed
    for (const auto& [record, text] : changes) {
        std::string encoded = utf8ToCp1252(text);
        encoded.resize(kLength, ' ');
        std::copy(encoded.begin(), encoded.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>((record - 1) * kLength));
    }
    try {
        fs::create_directories(file.parent_path());
        writeFileAtomically(file, bytes);
    } catch (const std::exception& e) {
        return failed(file, "geschrieben", e);
    }
    if (year == g.year) {
        g.pay.texts = OptionTextFile(file);
        Redisplay(g); // the sheet's lines and lists with the new texts
    }
    return StorageResult::Done;
}

} // namespace varemo
