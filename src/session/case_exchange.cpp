#include "session/case_exchange.h"

#include "base/error.h"
#include "model/user_file_names.h"
#include "persistence/case_files.h"
#include "persistence/file_ops.h"
#include "persistence/month_record.h"
#include "persistence/window_record.h"
#include "session/case_load.h"
#include "session/case_operations.h"

#include <algorithm>
#include <array>

namespace varemo {
namespace fs = std::filesystem;

namespace {

std::string caseList(const std::vector<int>& numbers) {
    std::string out;
    for (int n : numbers)
        out += (out.empty() ? "" : ", ") + std::to_string(n);
    return out;
}

// Record n of file month (13: the year file) of a year and data set becomes bytes.
void putRecord(std::vector<uint8_t>& file, int number, const RecordBuffer& r) {
    const size_t at = static_cast<size_t>(number - 1) * r.size();
    if (file.size() < at + r.size()) file.resize(at + r.size(), 0);
    std::copy(r.bytes().begin(), r.bytes().end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace

CaseExport collectCases(const Session& g, int year, std::optional<DataSet> set,
                        std::optional<int> caseNumber) {
    CaseExport e;
    e.year = year;
    const int last = caseNumber ? *caseNumber : std::min(caseCount(g, year) - 1, kMostCases);
    const int first = caseNumber ? *caseNumber : 1;
    for (DataSet s : kAllDataSets) {
        if (set && *set != s) continue;
        ExportedSet out;
        out.set = s;
        const std::array<DataSet, 1> only = {s};
        for (int n = first; n <= last; ++n) {
            if (!caseStored(g, year, n, only)) continue;
            ExportedCase x;
            x.number = n;
            for (int m = 1; m <= 12; ++m)
                x.months.push_back(readRecordIfExists(
                    findFileIgnoringCase(g.userFolder, caseFileName(year, s, m)), kMonthRecordLength, n));
            x.year = readRecordIfExists(findFileIgnoringCase(g.userFolder, caseFileName(year, s, 13)),
                                        kYearRecordLength, n);
            x.name = YearRecord(x.year).name();
            out.cases.push_back(std::move(x));
        }
        if (!out.cases.empty()) e.sets.push_back(std::move(out));
    }
    return e;
}

StorageResult ExportCases(Session& g, int year, std::optional<DataSet> set, std::optional<int> caseNumber,
                          const fs::path& file, int* exported) {
    const CaseExport e = collectCases(g, year, set, caseNumber);
    int count = 0;
    for (const ExportedSet& s : e.sets)
        count += static_cast<int>(s.cases.size());
    if (count == 0) {
        g.prompter.tell("Export",
                        {"Im Jahr " + std::to_string(year) + " gibt es " +
                             (caseNumber ? "den Personalfall " + std::to_string(*caseNumber) + " nicht"
                                         : "keine Personalfälle") +
                             (set ? " in der Arbeitsebene " + dataSetName(*set) : "") + ".",
                         "Es wurde keine Datei geschrieben."},
                        PromptIcon::Warning);
        return StorageResult::Refused;
    }
    const std::string text = caseExportText(e);
    try {
        writeFileAtomically(file, std::vector<uint8_t>(text.begin(), text.end()));
    } catch (const std::exception& ex) {
        g.prompter.tell("Export",
                        {"Die Export-Datei " + file.string() + " konnte nicht geschrieben werden.",
                         "Ursache: " + failureCause(ex)},
                        PromptIcon::Critical);
        return StorageResult::Failed;
    }
    if (exported) *exported = count;
    return StorageResult::Done;
}

StorageResult ImportCases(Session& g, const fs::path& file, int* imported) {
    CaseExport e;
    try {
        const std::vector<uint8_t> bytes = readWholeFile(file);
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) throw Error("Die Datei " + file.string() + " gibt es nicht.");
        e = parseCaseExport(std::string(bytes.begin(), bytes.end()));
    } catch (const std::exception& ex) {
        g.prompter.tell(kImportTitle,
                        {"Die Datei " + file.string() + " kann nicht importiert werden.", failureCause(ex)},
                        PromptIcon::Warning);
        return StorageResult::Refused;
    }
    std::vector<int> occupied;
    int count = 0;
    for (const ExportedSet& s : e.sets) {
        const std::array<DataSet, 1> only = {s.set};
        for (const ExportedCase& x : s.cases) {
            ++count;
            if (caseStored(g, e.year, x.number, only)) occupied.push_back(x.number);
        }
    }
    if (count == 0) {
        g.prompter.tell(kImportTitle, {"Die Datei " + file.string() + " enthält keine Personalfälle.",
                                       "Es wurde nichts geändert."});
        return StorageResult::Refused;
    }
    std::sort(occupied.begin(), occupied.end());
    occupied.erase(std::unique(occupied.begin(), occupied.end()), occupied.end());
    if (!occupied.empty()) {
        const PromptAnswer answer =
            g.prompter.ask(PromptMessage{PromptIcon::Question,
                                         kImportTitle,
                                         {"Im Jahr " + std::to_string(e.year) + " sind die Personalfälle " +
                                              caseList(occupied) + " schon belegt.",
                                          "Sollen sie durch die Personalfälle der Datei ersetzt werden?",
                                          "Der Vorgang kann nicht rückgängig gemacht werden!"},
                                         PromptButtons::YesNo,
                                         /*refusalIsDefault=*/true});
        if (answer != PromptAnswer::Yes) return StorageResult::Cancelled;
    }

    std::vector<fs::path> touched;
    for (const ExportedSet& s : e.sets) {
        const auto some = caseFilePaths(g.userFolder, e.year, s.set);
        touched.insert(touched.end(), some.begin(), some.end());
    }
    touched.push_back(findFileIgnoringCase(g.userFolder, kWindowRecordFile));
    const ShownSelection shown = rememberSelection(g);
    const StorageResult r = runGuarded(g, "Der Import von Personalfällen", touched, [&] {
        for (const ExportedSet& s : e.sets)
            for (int m = 1; m <= 13; ++m) {
                const fs::path path = findFileIgnoringCase(g.userFolder, caseFileName(e.year, s.set, m));
                std::vector<uint8_t> bytes = readWholeFile(path);
                for (const ExportedCase& x : s.cases)
                    putRecord(bytes, x.number, m == 13 ? x.year : x.months[static_cast<size_t>(m - 1)]);
                writeFileAtomically(path, bytes);
            }
        g.storage.window.setCaseCount(e.year,
                                      std::max(g.storage.window.caseCount(e.year), caseCount(g, e.year)));
        returnToSelection(g, shown);
        SaveWindowRecord(g);
    });
    if (r == StorageResult::Done && imported) *imported = count;
    return r;
}

} // namespace varemo
