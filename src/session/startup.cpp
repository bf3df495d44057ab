#include "session/startup.h"

#include "base/cp1252.h"
#include "base/error.h"
#include "persistence/file_ops.h"
#include "persistence/folder_lock.h"
#include "persistence/settings_file.h"
#include "persistence/user_files.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/tariff_hand_edits.h"

#include <algorithm>
#include <optional>

namespace varemo {
namespace fs = std::filesystem;

namespace {

using namespace settings_record;

// The year a new window record starts with: the year of this program version.
constexpr int kDefaultYear = 2020;

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    size_t start = s.find_first_not_of(' ');
    return start == std::string::npos ? "" : s.substr(start);
}

bool folderExistsHere(const std::string& text) {
    auto p = storedPathToNative(text);
    std::error_code ec;
    return p && fs::is_directory(*p, ec);
}

void cannotReach(Session& g, const std::string& rootText, int user) {
    g.prompter.ask(
        PromptMessage{PromptIcon::Critical,
                      "Speicherort nicht erreichbar",
                      {"Der Speicherort " + rootText + " für " + UserFolderName(user) +
                           " ist auf diesem Rechner nicht erreichbar.",
                       "Bitte einen anderen Speicherort festlegen oder einen anderen User wählen."},
                      PromptButtons::Ok});
}

// The path of a per-user file; found whatever the case of its name.
fs::path userFile(const fs::path& userFolder, const char* name) {
    return findFileIgnoringCase(userFolder, name);
}

void ensureChurchTaxFile(const fs::path& userFolder) {
    fs::path file = userFile(userFolder, kChurchTaxFile);
    if (!isMissingOrEmpty(file)) return;
    std::vector<uint8_t> bytes;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        RecordBuffer r = defaultChurchTaxRecord(year);
        bytes.insert(bytes.end(), r.bytes().begin(), r.bytes().end());
    }
    writeFileAtomically(file, bytes);
}

// Files that an operation was changing when the program was cut off (killed, power lost) are put back
// as they were before it, and the user is told. Only under the folder's lock: the snapshot of another
// program that is working right now is not touched.
void recoverInterruptedOperations(Session& g, const fs::path& userFolder) {
    if (FileSnapshot::leftovers(userFolder).empty()) return;
    // A start inside an operation of this program (restore, new storage location) finds that
    // operation's own snapshot: it is not a leftover.
    if (g.storage.folderLockDepth > 0) return;
    std::optional<FolderLock> lock;
    try {
        lock.emplace(userFolder);
    } catch (const StorageError&) {
        return; // another program is at work; its snapshot is its own
    }
    for (const fs::path& left : FileSnapshot::leftovers(userFolder)) {
        if (FileSnapshot::restoreLeftover(left))
            g.prompter.tell("Unterbrochener Vorgang",
                            {"Ein Vorgang wurde unterbrochen, bevor er fertig war.",
                             "Die Dateien, die er schon geändert hatte, sind wieder so wie vor dem Vorgang."},
                            PromptIcon::Information);
        else
            g.prompter.tell(
                "Unterbrochener Vorgang",
                {"Ein unterbrochener Vorgang hat Dateien geändert, die nicht zurückgesetzt werden "
                 "konnten.",
                 "Die gesicherten Fassungen liegen in " + left.string() + "."},
                PromptIcon::Warning);
    }
}

// A write of the tariff tables (tariff editor or archive installation) that was cut off between its
// renames left its snapshot in "Tarife". All old files are put back, not the new ones completed: the
// snapshot and its list were complete before the first rename, while the new files that were not yet
// moved in may be incomplete or gone, and the user was never told that the write had succeeded. The
// staged new files are removed with it. Under the folder's lock, which every tariff write holds, so
// that the write of another program running now is not touched.
void recoverInterruptedTariffWrite(Session& g, const fs::path& tariffFolder) {
    std::error_code ec;
    if (!fs::is_directory(tariffFolder, ec) || FileSnapshot::leftovers(tariffFolder).empty()) return;
    std::optional<FolderLock> lock;
    try {
        lock.emplace(tariffFolder);
    } catch (const StorageError&) {
        return; // another program is writing the tables; its snapshot is its own
    }
    for (const fs::path& left : FileSnapshot::leftovers(tariffFolder)) {
        if (!FileSnapshot::restoreLeftover(left)) {
            g.prompter.tell("Unterbrochener Vorgang",
                            {"Ein unterbrochenes Speichern der Tariftabellen hat Tarifdateien geändert, die "
                             "nicht zurückgesetzt werden konnten.",
                             "Die gesicherten Fassungen liegen in " + left.string() + "."},
                            PromptIcon::Warning);
            continue;
        }
        std::vector<fs::path> staged;
        for (fs::directory_iterator it(tariffFolder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.ends_with(".ttt.neu") || name == std::string(kTariffHandEditFile) + ".neu")
                staged.push_back(it->path());
        }
        for (const fs::path& p : staged)
            fs::remove(p, ec);
        g.prompter.tell("Unterbrochener Vorgang",
                        {"Das Speichern der Tariftabellen wurde unterbrochen, bevor es fertig war.",
                         "Alle Tarifdateien sind wieder so wie vor dem Speichern. Die Änderungen, die "
                         "gespeichert werden sollten, fehlen und müssen neu eingegeben oder neu "
                         "heruntergeladen werden."},
                        PromptIcon::Information);
    }
}

// Asked when the stored location of a user's data does not exist: whether to work in the program
// folder for now. The stored location stays as it is (a server may only be unreachable today).
bool useProgramFolderInstead(Session& g, const std::string& rootText, int user, const fs::path& programDir) {
    PromptAnswer answer = g.prompter.ask(
        PromptMessage{PromptIcon::Question,
                      "Speicherort nicht gefunden",
                      {"Der Speicherort " + rootText + " für " + UserFolderName(user) + " existiert nicht.",
                       "Sollen die Daten dieses Mal im Programmordner " + nativeToStoredPath(programDir) +
                           " gesucht und gespeichert werden?",
                       "Der eingetragene Speicherort bleibt eingetragen."},
                      PromptButtons::YesNo});
    return answer == PromptAnswer::Yes;
}

// The program folder as an absolute path. A missing folder whose parent exists is made with a notice
// (the first start in a new folder); a missing parent is taken for a mistyped path and nothing is made.
std::optional<fs::path> usableProgramFolder(Session& g) {
    std::error_code ec;
    fs::path dir = fs::absolute(g.programDir, ec);
    if (ec) dir = g.programDir;
    dir = plainFolder(dir);
    const std::string text = nativeToStoredPath(dir);
    if (fs::is_directory(dir, ec)) return dir;
    if (fs::exists(dir, ec)) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     "Programmordner nicht verwendbar",
                                     {"Der Programmordner " + text + " ist kein Ordner."},
                                     PromptButtons::Ok});
        return std::nullopt;
    }
    if (!fs::is_directory(dir.parent_path(), ec)) {
        g.prompter.ask(
            PromptMessage{PromptIcon::Critical,
                          "Programmordner nicht gefunden",
                          {"Der Programmordner " + text + " existiert nicht, und auch der Ordner " +
                               nativeToStoredPath(dir.parent_path()) + " darüber fehlt.",
                           "Bitte den Pfad prüfen; es wurde nichts angelegt."},
                          PromptButtons::Ok});
        return std::nullopt;
    }
    if (!fs::create_directory(dir, ec) && !fs::is_directory(dir, ec)) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     "Programmordner nicht verwendbar",
                                     {"Der Programmordner " + text + " konnte nicht angelegt werden.",
                                      "Bitte die Schreibrechte des Ordners darüber prüfen."},
                                     PromptButtons::Ok});
        return std::nullopt;
    }
    g.prompter.tell("Programmordner", {"Der Programmordner " + text + " wurde neu angelegt."},
                    PromptIcon::Information);
    return dir;
}

} // namespace

std::string windowCaption(int user, const std::string& label) {
    if (user < 2 || user > kUsers) return "VAREMO 2020";
    std::string padded = label;
    for (size_t n = utf8Length(padded); n < kLabelLength; ++n)
        padded += ' ';
    return "geschützter Bereich für " + padded + "    " + UserFolderName(user);
}

std::string storedDataRoot(const fs::path& programDir, int user) {
    std::string root = nativeToStoredPath(programDir);
    if (isMissingOrEmpty(settingsFilePath(programDir))) return root;
    std::string path = trimmed(readSettingsRecord(programDir, user).text(kPath, kPathLength));
    if (!path.empty()) root = path;
    return correctProgramFilesRoot(root, folderExistsHere);
}

bool StartUp(Session& g) {
    const std::optional<fs::path> usable = usableProgramFolder(g);
    if (!usable) return false;
    const fs::path programDir = *usable;
    const std::string programText = nativeToStoredPath(programDir);
    const int user = g.user >= 1 && g.user <= kUsers ? g.user : 1;
    try {
        // Settings file and data root.
        const fs::path settings = settingsFilePath(programDir);
        const bool settingsPresent = !isMissingOrEmpty(settings);
        std::string rootText = storedDataRoot(programDir, user);
        bool protection = false;
        if (settingsPresent)
            protection =
                trimmed(readSettingsRecord(programDir, kProtectionRecord).text(kValue, kValueLength)) ==
                kProtectionOn;
        fs::path root = programDir;
        if (!samePathText(rootText, programText)) {
            auto native = storedPathToNative(rootText, programDir);
            if (!native) {
                cannotReach(g, rootText, user);
                return false;
            }
            root = *native;
        }
        std::error_code ec;
        if (!fs::is_directory(root, ec)) {
            // A location that is gone is not made again empty: the data would silently start afresh.
            if (!useProgramFolderInstead(g, rootText, user, programDir)) return false;
            root = programDir;
            rootText = programText;
        }
        // The users' locations are stored relative to the program folder, so that a copied or moved
        // program folder keeps using its own data.
        if (!settingsPresent)
            writeFileAtomically(settings, defaultSettingsFile(storedPathText(programDir, programDir)));
        const std::string label = readSettingsRecord(programDir, user).text(kLabel, kLabelLength);

        // User folder, model case, window record, church tax defaults.
        const fs::path userFolder = root / UserFolderName(user);
        fs::create_directories(userFolder, ec);
        if (!fs::is_directory(userFolder, ec)) {
            cannotReach(g, nativeToStoredPath(userFolder), user);
            return false;
        }
        const fs::path dim = userFile(userFolder, kWindowRecordFile);
        // The defaults of a new folder are written under the folder's lock (unless the operation that
        // runs the start-up holds it already); a folder that has them is only read.
        std::optional<FolderLock> lock;
        if (g.storage.folderLockDepth == 0 &&
            (isMissingOrEmpty(userFile(userFolder, kModelMonthFile)) || isMissingOrEmpty(dim) ||
             isMissingOrEmpty(userFile(userFolder, kChurchTaxFile))))
            lock.emplace(userFolder);
        recoverInterruptedOperations(g, userFolder);
        recoverInterruptedTariffWrite(g, root / "Tarife");
        bool modelWritten = ensureModelCase(userFolder);
        if (isMissingOrEmpty(dim)) writeFileAtomically(dim, WindowRecord::defaults().buffer().bytes());
        WindowRecord window = readWindowRecord(userFolder);

        int year = window.lastYear();
        if (year < kFirstYear || year > kLastYear) year = kDefaultYear;
        int month = window.lastMonth();
        if (month < 1 || month > kYearSalaryMonth) month = 1;
        if (month == kYearSalaryMonth) month = 1;
        int caseNumber = window.lastCase() >= 1 ? window.lastCase() : 1;
        int set = window.lastDataSet();
        DataSet dataSet = set >= 0 && set <= 2 ? static_cast<DataSet>(set) : DataSet::Real;

        // Supplementary pension defaults ("atv.vee"), special payment defaults ("sonderzahlung.vee",
        // "Jasoza.vee") and the other default files are read by their own modules from the user folder.
        ensureChurchTaxFile(userFolder);
        RecordBuffer churchTax = readRecordIfExists(userFile(userFolder, kChurchTaxFile),
                                                    kChurchTaxRecordLength, yearRecordNumber(year));
        RecordBuffer yearDefaults = readRecordIfExists(userFile(userFolder, kYearDefaultsFile),
                                                       kYearDefaultsRecordLength, yearRecordNumber(year));
        lock.reset();

        // The session takes the new state only now, so that a failure above leaves it as it was.
        g.programDir = programDir;
        g.user = user;
        g.userFolder = userFolder;
        g.year = year;
        g.selectMonth(month);
        g.caseNumber = caseNumber;
        g.dataSet = dataSet;
        // Showing a case that no file holds would make it, as the load writes the defaults of an empty
        // record into all twelve months: a damaged record naming case 32767 would so write that record
        // into every file of the year. Such a case falls back to the last one stored.
        try {
            g.caseNumber = std::min(caseNumber, std::max(1, caseCount(g, year) - 1));
        } catch (const StorageError&) {
            // a case file that cannot be read is reported when the case is shown
        }
        if (modelWritten) g.workingCase = defaultCase();
        StorageState& s = g.storage;
        g.dataRoot = root;
        s.dataRootText = rootText;
        s.protection = protection;
        s.userLabel = label;
        s.window = window;
        s.churchTax = churchTax;
        g.yearDefaults = yearDefaults;

        OpenYearFiles(g);
        if (g.tariffs.year() != year) g.tariffs = TariffYear(root, year);
        s.tariffsPresent = fs::exists(tariffFilePath(root, year, 1), ec);
        s.caption = windowCaption(user, label);
        std::string switchText = readRecordIfExists(optionTextPath(root, year), kOptionTextRecordLength, 4988)
                                     .text(0, kOptionTextRecordLength);
        s.optionTextDefault = trimmed(switchText) == "def";
        s.autoUpdateCheck = window.autoUpdateCheck() && !fs::exists(root / kNoUpdateFile, ec);
        return true;
    } catch (const std::exception& e) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     "Fehler",
                                     {"Der Programmstart ist fehlgeschlagen.", "Ursache: " + failureCause(e)},
                                     PromptButtons::Ok});
        return false;
    }
}

} // namespace varemo
