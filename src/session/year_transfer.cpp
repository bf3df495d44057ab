#include "session/year_transfer.h"

#include "base/error.h"
#include "calc/calculation_run.h"
#include "pay/part_time.h"
#include "persistence/month_record.h"
#include "persistence/user_files.h"
#include "persistence/window_record.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/guarded.h"
#include "session/recalculate.h"

#include <algorithm>
#include <array>

namespace varemo {
namespace fs = std::filesystem;

namespace {

constexpr int kFirstCaseTextRecord = 5000; // user text of case n: record 5000 + n of the option-text file
constexpr int kTransferTextRecord = 3951;  // five explanatory lines, records 3951 to 3955
constexpr size_t kOldAgeReliefOffset = month_record::keyOffset(KeySlot::OldAgeRelief);

std::string title(int year) {
    return "Von " + std::to_string(year) + " nach " + std::to_string(year + 1);
}

bool refuseYear(Session& g, int year) {
    if (year >= kFirstYear && year < kLastYear) return false;
    g.prompter.tell("Sorry ...", {"Ein Jahr 2022 ist im Programm noch nicht angelegt."});
    return true;
}

fs::path caseFile(const Session& g, int year, DataSet s, int month) {
    return findFileIgnoringCase(g.userFolder, caseFileName(year, s, month));
}

// Steps 3 to 5 for the given cases; throws on a file error.
void transfer(Session& g, int year, const std::vector<int>& cases, bool wholeYearFiles, int last) {
    CalculationWrites writes(g);
    const int next = year + 1;
    g.files.close();

    if (wholeYearFiles)
        for (DataSet s : kAllDataSets) {
            fs::path from = caseFile(g, year, s, 13);
            std::error_code ec;
            if (!fs::is_regular_file(from, ec)) continue;
            // Records after the last case were never written; a padded file is not carried on.
            std::vector<uint8_t> bytes = readWholeFile(from);
            bytes.resize(std::min(bytes.size(), static_cast<size_t>(last) * kYearRecordLength));
            writeFileAtomically(caseFile(g, next, s, 13), bytes);
        }

    std::array<CaseFiles, 3> sets;
    for (DataSet s : kAllDataSets)
        sets[static_cast<size_t>(s)].open(g.userFolder, next, s);
    const fs::path textFrom = optionTextPath(dataRootOf(g), year);
    const fs::path textTo = optionTextPath(dataRootOf(g), next);
    std::error_code ec;
    const bool copyTexts = fs::is_regular_file(textFrom, ec) && fs::is_regular_file(textTo, ec);
    RecordFile texts;
    if (copyTexts) texts = RecordFile(textTo, kOptionTextRecordLength);

    for (int n : cases) {
        for (DataSet s : kAllDataSets) {
            RecordBuffer december = readRecordIfExists(caseFile(g, year, s, 12), kMonthRecordLength, n);
            int16_t relief = december.i16(kOldAgeReliefOffset);
            if (relief > 0 && relief < 32767)
                december.setI16(kOldAgeReliefOffset, static_cast<int16_t>(relief + 1));
            CaseFiles& files = sets[static_cast<size_t>(s)];
            files.writeMonth(1, n, december);
            files.writeYear(n,
                            YearRecord(readRecordIfExists(caseFile(g, year, s, 13), kYearRecordLength, n)));
        }
        if (copyTexts)
            texts.write(kFirstCaseTextRecord + n,
                        readRecordIfExists(textFrom, kOptionTextRecordLength, kFirstCaseTextRecord + n));
    }

    // January to December of the following year with its tables, for every case in every data set.
    g.year = next;
    g.dataSet = DataSet::Info;
    OpenYearFiles(g); // the tables and defaults of the following year
    g.files.close();
    bool overflow = false;
    for (int n : cases) {
        g.storage.showStatus(transferProgressText(n, last));
        for (DataSet s : kAllDataSets) {
            std::swap(g.files, sets[static_cast<size_t>(s)]);
            g.dataSet = s;
            g.caseNumber = n;
            g.selectMonth(1);
            LoadCaseMonth(g);
            Case& c = g.workingCase;
            if (isPartialMonthInDays(c)) { // "Tage von normal": 31 days
                c.enterAmount(AmountSlot::MonthDays, 3100000);
                c.enterAmount(AmountSlot::PaidDays, 3100000);
            } else if (c.key(KeySlot::PartialMonth) == 1) { // "% Kürzung": 100 %
                c.enterAmount(AmountSlot::MonthDays, 10000000);
                c.enterAmount(AmountSlot::PaidDays, 10000000);
            }
            const bool ok = RunCalculation(g) && RunFollowingMonths(g);
            // A run that failed otherwise (its message has been shown) ends the transfer, which puts
            // the files back.
            if (!ok && !g.overflow)
                throw Error("Personalfall " + std::to_string(n) + " konnte im Jahr " +
                            std::to_string(g.year) + " nicht berechnet werden.");
            overflow = overflow || !ok;
            std::swap(g.files, sets[static_cast<size_t>(s)]);
        }
    }
    if (overflow) ShowOverflow(g);
}

StorageResult runTransfer(Session& g, int year, const std::vector<int>& cases, bool wholeYearFiles, int last,
                          int nextCount) {
    const int next = year + 1;
    std::vector<fs::path> files = caseFilePaths(g.userFolder, next);
    files.push_back(optionTextPath(dataRootOf(g), next));
    files.push_back(findFileIgnoringCase(g.userFolder, kWindowRecordFile));
    const ShownSelection shown = rememberSelection(g);
    return runGuarded(g, title(year) + ": die Übertragung", files, [&] {
        transfer(g, year, cases, wholeYearFiles, last);
        g.storage.window.setCaseCount(next, std::max(g.storage.window.caseCount(next), nextCount));
        returnToSelection(g, shown);
        SaveWindowRecord(g);
    });
}

} // namespace

std::string transferProgressText(int n, int last) {
    return "Satz " + std::to_string(n) + " von " + std::to_string(last) + " Sätzen.";
}

StorageResult TransferCaseToNextYear(Session& g) {
    const int year = g.year;
    if (refuseYear(g, year)) return StorageResult::Refused;
    const int n = g.caseNumber;
    bool stored = false;
    for (DataSet s : kAllDataSets)
        stored = stored || !readRecordIfExists(caseFile(g, year, s, 12), kMonthRecordLength, n).allZero() ||
                 !readRecordIfExists(caseFile(g, year, s, 13), kYearRecordLength, n).allZero();
    if (!stored) {
        g.prompter.tell("Sorry", {"Den Personalfall " + std::to_string(n) + " gibt es im Jahr " +
                                      std::to_string(year) + " nicht.",
                                  "Es wurde nichts übertragen."});
        return StorageResult::Refused;
    }
    std::string name =
        YearRecord(readRecordIfExists(caseFile(g, year, g.dataSet, 13), kYearRecordLength, n)).name();
    if (name.empty()) name = std::to_string(n);
    PromptAnswer answer =
        g.prompter.ask(PromptMessage{PromptIcon::Question,
                                     title(year),
                                     {"Der Personalfall " + name + " wird auf das Folgejahr übertragen."},
                                     PromptButtons::YesNo});
    if (answer != PromptAnswer::Yes) return StorageResult::Cancelled;
    return runTransfer(g, year, {n}, false, n, n + 1);
}

StorageResult TransferAllToNextYear(Session& g, int year) {
    if (refuseYear(g, year) || refuseDamagedCaseFiles(g, year)) return StorageResult::Refused;
    const int count = caseCount(g, year);
    const int last = count - 1;
    if (last < 1) {
        g.prompter.tell("Sorry", {"Im Jahr " + std::to_string(year) + " gibt es keine Personalfälle."});
        return StorageResult::Refused;
    }
    std::vector<std::string> lines;
    const fs::path textFile = optionTextPath(dataRootOf(g), year);
    for (int r = kTransferTextRecord; r < kTransferTextRecord + 5; ++r) {
        std::string line =
            readRecordIfExists(textFile, kOptionTextRecordLength, r).text(0, kOptionTextRecordLength);
        if (!line.empty()) lines.push_back(line);
    }
    if (lines.empty())
        lines = {
            "Alle Personalfälle des Jahres " + std::to_string(year) + " werden in das Jahr " +
                std::to_string(year + 1) + " übertragen.",
            "Es werden jeweils die Dezemberwerte als Januarwerte übernommen und alle Monate neu berechnet."};
    if (g.prompter.ask(PromptMessage{PromptIcon::Question, title(year), lines, PromptButtons::YesNo}) !=
        PromptAnswer::Yes)
        return StorageResult::Cancelled;
    const fs::path existing = caseFile(g, year + 1, DataSet::Info, 1);
    std::error_code ec;
    if (fs::exists(existing, ec)) {
        std::string text = "Wenn Sie JA wählen, werden bereits vorhandene ";
        text += std::to_string(year + 1);
        text += "er Dateien überschrieben. Es handelt sich um die am ";
        text += fileDateTimeText(existing);
        text += " angelegten Dateien. Wollen Sie überschreiben?";
        if (g.prompter.ask(PromptMessage{PromptIcon::Warning,
                                         "Warnung",
                                         {text},
                                         PromptButtons::YesNo,
                                         /*refusalIsDefault=*/true}) != PromptAnswer::Yes)
            return StorageResult::Cancelled;
    }
    g.prompter.tell(
        "Bitte Geduld",
        {"Die Übertragung kann einige Zeit dauern.",
         "Je Personalfall werden 36 Berechnungen durchgeführt (Januar bis Dezember für INFO, PLAN und "
         "REAL).",
         "Der Fortschritt wird in der Statuszeile angezeigt."});
    // A number without any record in the year (a gap in the list) is no case to carry on.
    std::vector<int> cases;
    for (int n = 1; n <= last; ++n)
        if (caseStored(g, year, n)) cases.push_back(n);
    return runTransfer(g, year, cases, true, last, count);
}

} // namespace varemo
