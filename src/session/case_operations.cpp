#include "session/case_operations.h"

#include "base/error.h"
#include "calc/calculation_run.h"
#include "persistence/calculator_files.h"
#include "persistence/case_memos.h"
#include "persistence/month_record.h"
#include "persistence/user_files.h"
#include "persistence/window_record.h"
#include "session/backups.h"
#include "session/case_load.h"
#include "session/guarded.h"
#include "session/recalculate.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <map>
#include <numeric>

namespace varemo {
namespace fs = std::filesystem;

namespace {

size_t recordLengthOfMonth(int month) {
    return month == 13 ? kYearRecordLength : kMonthRecordLength;
}

std::vector<fs::path> modelCaseFiles(const fs::path& userFolder) {
    return {findFileIgnoringCase(userFolder, kModelMonthFile),
            findFileIgnoringCase(userFolder, kModelYearFile)};
}

fs::path windowRecordFile(const Session& g) {
    return findFileIgnoringCase(g.userFolder, kWindowRecordFile);
}

std::vector<fs::path> concat(std::vector<fs::path> a, const std::vector<fs::path>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string damagedFilesText(int year, int highest) {
    return "Die Dateien des Jahres " + std::to_string(year) + " enthalten einen Personalfall " +
           std::to_string(highest) + ", das Programm führt aber höchstens " + std::to_string(kMostCases) +
           ". Die Dateien sind beschädigt.";
}

// Creates case n = caseCount in all three data sets and calculates its months; throws on a file error.
// Afterwards the new case is current in the data set and month shown before.
int createCase(Session& g) {
    const ShownSelection shown = rememberSelection(g);
    const int n = caseCount(g, g.year);
    if (n > kMostCases + 1) throw Error(damagedFilesText(g.year, n - 1));
    if (n > kMostCases)
        throw Error("Es kann kein weiterer Personalfall angelegt werden: die höchste Nummer " +
                    std::to_string(kMostCases) + " ist erreicht.");
    CalculationWrites writes(g);

    // Every file is opened (and so checked) before the first record is written.
    std::array<CaseFiles, 3> sets;
    for (DataSet s : kAllDataSets)
        sets[static_cast<size_t>(s)].open(g.userFolder, g.year, s);
    ensureModelCase(g.userFolder);
    RecordBuffer month = readModelMonth(g.userFolder);
    YearRecord year = readModelYear(g.userFolder);
    month.setText(month_record::kDate, kDateLength, "");
    year.clearNewCaseFields();
    year.setCaseNumber(n);
    year.setName("Personalfall " + std::to_string(n));
    for (CaseFiles& files : sets) {
        files.writeYear(n, year);
        for (int m = 1; m <= 12; ++m)
            files.writeMonth(m, n, month);
    }

    // The year's tables and defaults for the calculation; the case files come from the three sets.
    OpenYearFiles(g);
    g.files.close();
    g.caseNumber = n;
    for (DataSet s : kAllDataSets) {
        std::swap(g.files, sets[static_cast<size_t>(s)]);
        g.dataSet = s;
        g.selectMonth(1);
        LoadCaseMonth(g);
        // An overflow leaves the months as the model case made them, as in any run; a run that failed
        // otherwise (its message has been shown) ends the operation, which puts the files back.
        if (!(RunCalculation(g) && RunFollowingMonths(g)) && !g.overflow)
            throw Error("Der neue Personalfall " + std::to_string(n) + " konnte nicht berechnet werden.");
        std::swap(g.files, sets[static_cast<size_t>(s)]);
    }

    g.storage.window.setCaseCount(g.year, n + 1);
    ShownSelection after = shown;
    after.caseNumber = n;
    after.filesOpen = true;
    returnToSelection(g, after);
    SaveWindowRecord(g);
    return n;
}

// Reorders the cases 1 to order.size() of the current year: new case i + 1 is old case order[i].
// order: for each new position the old case number. With `cut` the files end after the last position
// (the case left out of the order is deleted); otherwise records beyond it stay as they are.
void applyCaseOrder(Session& g, const std::vector<int>& order, bool cut = false) {
    const size_t last = order.size();
    for (const fs::path& file : caseFilePaths(g.userFolder, g.year)) {
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        const std::string ext = file.extension().string();
        const int month = std::stoi(ext.substr(1));
        const size_t length = recordLengthOfMonth(month);
        std::vector<uint8_t> bytes = readWholeFile(file);
        const size_t originalSize = bytes.size();
        if (bytes.size() < last * length) bytes.resize(last * length, 0);
        std::vector<uint8_t> result = bytes;
        for (size_t i = 0; i < last; ++i) {
            auto from =
                bytes.begin() + static_cast<std::ptrdiff_t>((static_cast<size_t>(order[i]) - 1) * length);
            auto to = result.begin() + static_cast<std::ptrdiff_t>(i * length);
            std::copy_n(from, length, to);
            if (month == 13 &&
                std::any_of(to, to + static_cast<std::ptrdiff_t>(length), [](uint8_t b) { return b; })) {
                RecordBuffer r(length);
                std::copy_n(to, length, r.bytes().begin());
                YearRecord y(r);
                y.setCaseNumber(static_cast<int>(i + 1));
                std::copy(y.buffer().bytes().begin(), y.buffer().bytes().end(), to);
            }
        }
        if (cut && result.size() > last * length) result.resize(last * length);
        // Padding that stayed empty is not written.
        while (result.size() > originalSize && std::all_of(result.end() - static_cast<std::ptrdiff_t>(length),
                                                           result.end(), [](uint8_t b) { return !b; }))
            result.resize(result.size() - length);
        writeFileAtomically(file, result);
    }
    // The side files and the memos follow their cases; a deleted case's entries go with it.
    renumberSideFiles(g.userFolder, g.year, order, last + (cut ? 1 : 0));
    auto at = std::find(order.begin(), order.end(), g.caseNumber);
    if (at != order.end()) g.caseNumber = static_cast<int>(at - order.begin()) + 1;
    OpenYearFiles(g);
    SaveWindowRecord(g);
}

StorageResult reorder(Session& g, const std::vector<int>& order, bool cut = false,
                      const std::string& operation = "Das Ordnen der Personalfälle") {
    std::vector<fs::path> files = caseFilePaths(g.userFolder, g.year);
    files.push_back(windowRecordFile(g));
    for (const fs::path& side : renumberedSideFiles(g.userFolder, g.year, order.size() + (cut ? 1 : 0)))
        files.push_back(side);
    const ShownSelection shown = rememberSelection(g);
    StorageResult r = runGuarded(g, operation, files, [&] {
        applyCaseOrder(g, order, cut);
        if (cut) {
            g.caseNumber = std::min(g.caseNumber, static_cast<int>(order.size()));
            g.storage.window.setCaseCount(g.year, static_cast<int>(order.size()) + 1);
            SaveWindowRecord(g);
        }
    });
    if (r == StorageResult::Done && !shown.filesOpen) g.files.close();
    return r;
}

std::string foldedName(const std::string& name) {
    static const std::pair<const char*, const char*> kFolds[] = {
        {"ä", "a"}, {"ö", "o"}, {"ü", "u"}, {"Ä", "a"}, {"Ö", "o"}, {"Ü", "u"}, {"ß", "ss"}};
    std::string out;
    for (size_t i = 0; i < name.size();) {
        bool folded = false;
        for (const auto& [from, to] : kFolds) {
            std::string_view f(from);
            if (name.compare(i, f.size(), f) == 0) {
                out += to;
                i += f.size();
                folded = true;
                break;
            }
        }
        if (!folded) out += static_cast<char>(std::tolower(static_cast<unsigned char>(name[i++])));
    }
    return out;
}

bool refuseYearSalary(Session& g) {
    if (!g.showsYearSalary()) return false;
    g.prompter.tell("Nicht für das Jahresgehalt.",
                    {"Diese Funktion steht nur für die einzelnen Monate zur Verfügung."});
    return true;
}

} // namespace

int caseCount(const Session& g, int year) {
    int64_t highest = 0;
    for (DataSet s : kAllDataSets)
        for (int m = 1; m <= 13; ++m)
            highest = std::max(highest,
                               lastFilledRecord(findFileIgnoringCase(g.userFolder, caseFileName(year, s, m)),
                                                recordLengthOfMonth(m)));
    return static_cast<int>(std::min<int64_t>(highest, std::numeric_limits<int>::max() - 1)) + 1;
}

StoredCases::StoredCases(const Session& g, int year, std::span<const DataSet> sets) {
    std::vector<std::string> names;
    for (int m = 13; m >= 1; --m) {
        for (DataSet s : sets) {
            names.push_back(caseFileName(year, s, m));
            files_.push_back({g.userFolder / names.back(), recordLengthOfMonth(m)});
        }
    }
    // As findFileIgnoringCase finds them: the name itself when it exists, else the first other spelling
    // of it in the folder, else the name itself (a missing file reads as zeros).
    enum Found : char { None, OtherSpelling, Exact };
    std::vector<Found> found(files_.size(), None);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(g.userFolder, ec)) {
        const std::string name = entry.path().filename().string();
        for (size_t i = 0; i < files_.size(); ++i) {
            if (found[i] == Exact || !equalIgnoringCase(name, names[i])) continue;
            if (name != names[i] && found[i] == OtherSpelling) continue;
            found[i] = name == names[i] ? Exact : OtherSpelling;
            files_[i].path = entry.path();
        }
    }
}

bool StoredCases::contains(int caseNumber) const {
    for (const File& f : files_)
        if (!readRecordIfExists(f.path, f.recordLength, caseNumber).allZero()) return true;
    return false;
}

bool caseStored(const Session& g, int year, int caseNumber, std::span<const DataSet> sets) {
    return StoredCases(g, year, sets).contains(caseNumber);
}

bool refuseDamagedCaseFiles(Session& g, int year) {
    const int highest = caseCount(g, year) - 1;
    if (highest <= kMostCases) return false;
    g.prompter.tell("Sorry", {damagedFilesText(year, highest), "Es wurde nichts verändert."});
    return true;
}

int NewCase(Session& g) {
    int n = 0;
    std::vector<fs::path> files = concat(caseFilePaths(g.userFolder, g.year), modelCaseFiles(g.userFolder));
    files.push_back(windowRecordFile(g));
    StorageResult r =
        runGuarded(g, "Das Anlegen eines neuen Personalfalls", files, [&] { n = createCase(g); });
    return r == StorageResult::Done ? n : 0;
}

std::vector<int> NewCases(Session& g, int count) {
    std::vector<int> created;
    for (int i = 0; i < count; ++i) {
        int n = NewCase(g);
        if (n == 0) break;
        created.push_back(n);
    }
    return created;
}

StorageResult AdoptAsModelCase(Session& g) {
    if (refuseYearSalary(g)) return StorageResult::Refused;
    // Every new case starts from the model case; the one there now would be gone for good.
    const PromptMessage question{
        PromptIcon::Question,
        kAdoptModelTitle,
        {"Die aktuelle Berechnung (Personalfall " + std::to_string(g.caseNumber) + ", Monat " +
             std::to_string(g.workingCase.monthIndex() + 1) + "/" + std::to_string(g.year) +
             ") wird Muster für neue Personalfälle.",
         "Der bisherige Musterfall wird dabei ersetzt.",
         "Ein neuer Personalfall wird immer mit den Einstellungen des Musterfalls angelegt.",
         "Wollen Sie das?"},
        PromptButtons::YesNo,
        /*refusalIsDefault=*/true};
    if (g.prompter.ask(question) != PromptAnswer::Yes) return StorageResult::Cancelled;
    if (!g.files.isOpen()) OpenYearFiles(g);
    const RecordBuffer month = packMonthRecord(g.workingCase);
    const YearRecord year = g.files.readYear(g.caseNumber);
    const ShownSelection shown = rememberSelection(g);
    StorageResult r = runGuarded(g, "Das Übernehmen als Voreinstellung", modelCaseFiles(g.userFolder), [&] {
        writeModelCase(g.userFolder, month, year);
        returnToSelection(g, shown);
    });
    return r;
}

std::optional<std::pair<DataSet, DataSet>> copyDirection(int button) {
    static constexpr std::pair<DataSet, DataSet> kButtons[] = {
        {DataSet::Info, DataSet::Plan}, {DataSet::Plan, DataSet::Real}, {DataSet::Plan, DataSet::Info},
        {DataSet::Real, DataSet::Plan}, {DataSet::Info, DataSet::Real}, {DataSet::Real, DataSet::Info}};
    if (button < 0 || button > 5) return std::nullopt;
    return kButtons[button];
}

StorageResult CopyCase(Session& g, DataSet from, DataSet to) {
    const int n = g.caseNumber;
    if (from == to) {
        g.prompter.tell("Sorry", {"Quelle und Ziel des Kopierens sind derselbe Datenbestand."});
        return StorageResult::Refused;
    }
    // The source is read completely before the target is touched.
    std::vector<RecordBuffer> months;
    bool empty = true;
    for (int m = 1; m <= 12; ++m) {
        months.push_back(readRecordIfExists(findFileIgnoringCase(g.userFolder, caseFileName(g.year, from, m)),
                                            kMonthRecordLength, n));
        empty = empty && months.back().allZero();
    }
    RecordBuffer yearBytes = readRecordIfExists(
        findFileIgnoringCase(g.userFolder, caseFileName(g.year, from, 13)), kYearRecordLength, n);
    if (empty && yearBytes.allZero()) {
        g.prompter.tell("Sorry", {"Der Personalfall " + std::to_string(n) + " ist im Datenbestand " +
                                      dataSetName(from) + " " + std::to_string(g.year) + " nicht vorhanden.",
                                  "Es wurde nichts kopiert."});
        return StorageResult::Refused;
    }
    // The source set's column of per-month values and its year values go into the target set's column.
    auto& b = yearBytes.bytes();
    const int f = static_cast<int>(from);
    const int t = static_cast<int>(to);
    for (int m = 0; m < 12; ++m)
        for (int v = 0; v < 2; ++v) {
            size_t src = YearRecord::kMonthValues + 4 * static_cast<size_t>(6 * m + 2 * f + v);
            size_t dst = YearRecord::kMonthValues + 4 * static_cast<size_t>(6 * m + 2 * t + v);
            std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(src), 4,
                        b.begin() + static_cast<std::ptrdiff_t>(dst));
        }
    std::copy_n(
        b.begin() + static_cast<std::ptrdiff_t>(YearRecord::kYearValues + 12 * static_cast<size_t>(f)), 12,
        b.begin() + static_cast<std::ptrdiff_t>(YearRecord::kYearValues + 12 * static_cast<size_t>(t)));
    const YearRecord year(yearBytes);

    // A case the target set already holds would be gone for the whole year: asked first, "Nein" first.
    // A target file that cannot be read counts as holding it; the copy itself then fails and says so.
    bool targetHolds = false;
    try {
        targetHolds = caseStored(g, g.year, n, std::array{to});
    } catch (const RecordFileError&) {
        targetHolds = true;
    }
    if (targetHolds) {
        const PromptMessage question{
            PromptIcon::Warning,
            "Von " + dataSetName(from) + " nach " + dataSetName(to),
            {"Der Personalfall " + std::to_string(n) + " ist im Datenbestand " + dataSetName(to) + " " +
                 std::to_string(g.year) + " schon vorhanden.",
             "Wenn Sie JA wählen, werden seine Monate Januar bis Dezember dort mit denen aus " +
                 dataSetName(from) + " überschrieben.",
             "Wollen Sie überschreiben?"},
            PromptButtons::YesNo,
            /*refusalIsDefault=*/true};
        if (g.prompter.ask(question) != PromptAnswer::Yes) return StorageResult::Cancelled;
    }

    const ShownSelection shown = rememberSelection(g);
    return runGuarded(g, "Das Kopieren des Personalfalls", caseFilePaths(g.userFolder, g.year, to), [&] {
        CaseFiles target;
        target.open(g.userFolder, g.year, to);
        for (int m = 1; m <= 12; ++m)
            target.writeMonth(m, n, months[static_cast<size_t>(m - 1)]);
        target.writeYear(n, year);
        target.close();
        returnToSelection(g, shown);
    });
}

StorageResult DeleteYear(Session& g, int year) {
    if (year < kFirstYear || year > kLastYear) {
        g.prompter.tell("Sorry", {"Das Jahr " + std::to_string(year) + " ist im Programm nicht angelegt."});
        return StorageResult::Refused;
    }
    const std::string y = std::to_string(year);
    PromptAnswer answer = g.prompter.ask(PromptMessage{
        PromptIcon::Warning,
        "W A R N U N G !",
        {"Bei Auswahl von  O K  werden   a l l e  bisher für  " + y + "  eingegebenen Namen",
         "und die dazu gehörenden Personaldaten einschließlich der Kostenstellen   g e l ö s c h t .",
         "Änderungen in den Tarifdateien und der Textdatei bleiben erhalten."},
        PromptButtons::OkCancel,
        /*refusalIsDefault=*/true});
    if (answer != PromptAnswer::Ok) return StorageResult::Cancelled;

    std::vector<fs::path> doomed;
    for (DataSet s : kAllDataSets) {
        if (isMissingOrEmpty(findFileIgnoringCase(g.userFolder, caseFileName(year, s, 1)))) continue;
        std::string prefix = "v" + y + static_cast<char>(std::tolower(dataSetLetter(s))) + ".";
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(g.userFolder, ec)) {
            std::string name = entry.path().filename().string();
            std::string lower = name;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (lower.rfind(prefix, 0) == 0 && entry.is_regular_file(ec)) doomed.push_back(entry.path());
        }
    }
    for (const fs::path& model : modelCaseFiles(g.userFolder))
        doomed.push_back(model);
    for (const std::string& side : yearSideFileNames(year)) {
        // The calendar marks and comments stay; they are not among the data of the year's cases.
        if (side.rfind("Kalender.", 0) == 0) continue;
        // "jda.0yy" is the jubilee file of case yy, which holds every year: only its year is cleared.
        if (side.rfind("jda.", 0) == 0) continue;
        fs::path file = findFileIgnoringCase(g.userFolder, side);
        std::error_code ec;
        if (fs::is_regular_file(file, ec)) doomed.push_back(file);
    }

    const std::vector<fs::path> calculatorFiles = calculatorCaseFiles(g.userFolder);
    std::vector<fs::path> touched = concat(doomed, calculatorFiles);
    touched.push_back(windowRecordFile(g));
    const bool current = year == g.year;
    if (current) touched = concat(touched, caseFilePaths(g.userFolder, year));
    const ShownSelection shown = rememberSelection(g);
    return runGuarded(g, "Das Löschen des Jahres " + y, touched, [&] {
        for (const fs::path& file : doomed) {
            std::error_code ec;
            fs::remove(file, ec);
            if (ec)
                throw StorageError("Die Datei " + file.string() + " konnte nicht gelöscht werden (" +
                                   ec.message() + ").");
        }
        clearCalculatorYear(calculatorFiles, year);
        writeModelCase(g.userFolder, defaultModelMonth(), defaultModelYear());
        g.storage.window.setCaseCount(year, 0);
        if (current) {
            OpenYearFiles(g);
            g.caseNumber = 1;
            createCase(g);
        } else {
            returnToSelection(g, shown);
            SaveWindowRecord(g);
        }
    });
}

StorageResult MoveCase(Session& g, int from, int to) {
    if (!MoveSortAllowed(g) || refuseDamagedCaseFiles(g, g.year)) return StorageResult::Refused;
    const int last = caseCount(g, g.year) - 1;
    if (from < 1 || from > last || to < 1 || to > last) {
        g.prompter.tell("Sorry",
                        {"Die Personalfälle sind von 1 bis " + std::to_string(last) + " nummeriert."});
        return StorageResult::Refused;
    }
    if (from == to) return StorageResult::Done;
    std::vector<int> order(static_cast<size_t>(last));
    std::iota(order.begin(), order.end(), 1);
    order.erase(order.begin() + (from - 1));
    order.insert(order.begin() + (to - 1), from);
    return reorder(g, order);
}

std::vector<int> sortedCaseOrder(const std::vector<std::string>& names) {
    std::vector<int> order(names.size());
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&names](int a, int b) {
        const std::string& na = names[static_cast<size_t>(a - 1)];
        const std::string& nb = names[static_cast<size_t>(b - 1)];
        if (na.empty() != nb.empty()) return nb.empty();
        return foldedName(na) < foldedName(nb);
    });
    return order;
}

StorageResult SortCases(Session& g) {
    if (!MoveSortAllowed(g) || refuseDamagedCaseFiles(g, g.year)) return StorageResult::Refused;
    const int last = caseCount(g, g.year) - 1;
    fs::path yearFile = findFileIgnoringCase(g.userFolder, caseFileName(g.year, g.dataSet, 13));
    std::vector<std::string> names;
    for (int n = 1; n <= last; ++n) {
        YearRecord y(readRecordIfExists(yearFile, kYearRecordLength, n));
        std::string name = y.name();
        size_t start = name.find_first_not_of(' ');
        names.push_back(start == std::string::npos ? "" : name.substr(start));
    }
    return reorder(g, sortedCaseOrder(names));
}

StorageResult DeleteCase(Session& g, int caseNumber) {
    if (!MoveSortAllowed(g) || refuseDamagedCaseFiles(g, g.year)) return StorageResult::Refused;
    const int last = caseCount(g, g.year) - 1;
    if (caseNumber < 1 || caseNumber > last) {
        g.prompter.tell("Sorry",
                        {"Die Personalfälle sind von 1 bis " + std::to_string(last) + " nummeriert."});
        return StorageResult::Refused;
    }
    if (last == 1) {
        g.prompter.tell("Sorry", {"Der einzige Personalfall des Jahres kann nicht gelöscht werden.",
                                  "Alle Personalfälle eines Jahres löscht der Menüpunkt \"Daten\"."});
        return StorageResult::Refused;
    }
    fs::path yearFile = findFileIgnoringCase(g.userFolder, caseFileName(g.year, g.dataSet, 13));
    std::string name = YearRecord(readRecordIfExists(yearFile, kYearRecordLength, caseNumber)).name();
    PromptAnswer answer = g.prompter.ask(PromptMessage{
        PromptIcon::Warning,
        kDeleteCaseTitle,
        {"Der Personalfall " + std::to_string(caseNumber) + " (" + name + ") wird im Jahr " +
             std::to_string(g.year) + " in INFO, PLAN und REAL gelöscht.",
         "Die folgenden Personalfälle rücken um eine Nummer vor.",
         "Der Vorgang kann nicht rückgängig gemacht werden!", "Wollen Sie den Personalfall löschen?"},
        PromptButtons::YesNo,
        /*refusalIsDefault=*/true});
    if (answer != PromptAnswer::Yes) return StorageResult::Cancelled;
    std::vector<int> order;
    for (int n = 1; n <= last; ++n)
        if (n != caseNumber) order.push_back(n);
    return reorder(g, order, /*cut=*/true, "Das Löschen des Personalfalles " + std::to_string(caseNumber));
}

} // namespace varemo
