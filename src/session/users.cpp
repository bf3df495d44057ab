#include "session/users.h"

#include "base/cp1252.h"
#include "base/error.h"
#include "persistence/file_ops.h"
#include "persistence/settings_file.h"
#include "session/startup.h"

#include <algorithm>
#include <cctype>

namespace varemo {
namespace fs = std::filesystem;

namespace {

using namespace settings_record;

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    size_t start = s.find_first_not_of(' ');
    return start == std::string::npos ? "" : s.substr(start);
}

void ensureSettingsFile(const Session& g) {
    fs::path file = settingsFilePath(g.programDir);
    if (isMissingOrEmpty(file))
        writeFileAtomically(file, defaultSettingsFile(nativeToStoredPath(g.programDir)));
}

bool validUser(Session& g, int user) {
    if (user >= 1 && user <= kUsers) return true;
    g.prompter.tell("Sorry", {"Einen User " + std::to_string(user) + " gibt es nicht (1 bis 100)."});
    return false;
}

// Writes one settings record, then copies the file to the servers.
StorageResult changeSettings(Session& g, int record, const std::function<void(RecordBuffer&)>& edit) {
    try {
        ensureSettingsFile(g);
        updateSettingsRecord(g.programDir, record, edit);
    } catch (const std::exception& e) {
        g.prompter.ask(PromptMessage{
            PromptIcon::Critical,
            "Fehler",
            {"Die Datei " + settingsFilePath(g.programDir).string() + " konnte nicht geschrieben werden.",
             "Ursache: " + failureCause(e)},
            PromptButtons::Ok});
        return StorageResult::Failed;
    }
    SyncSettingsToServers(g);
    return StorageResult::Done;
}

bool fitsPathField(const std::string& text) {
    return utf8ToCp1252(text).size() <= kPathLength;
}

bool isNetworkPath(const std::string& folder) {
    return folder.size() > 2 && (folder[0] == '\\' || folder[0] == '/') &&
           (folder[1] == '\\' || folder[1] == '/');
}

// Copies the files that exist in the program folder's sub-folder into the same sub-folder of root.
void copyProgramFiles(const fs::path& programDir, const fs::path& root, const std::string& sub,
                      const std::vector<std::string>& names) {
    fs::path from = findFileIgnoringCase(programDir, sub);
    fs::path to = root / sub;
    fs::create_directories(to);
    for (const std::string& name : names) {
        fs::path source = findFileIgnoringCase(from, name);
        std::error_code ec;
        if (!fs::is_regular_file(source, ec)) continue;
        copyFileAtomically(source, to / source.filename());
    }
}

size_t findIgnoringCase(const std::string& text, const std::string& what) {
    auto it = std::search(text.begin(), text.end(), what.begin(), what.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it == text.end() ? std::string::npos : static_cast<size_t>(it - text.begin());
}

} // namespace

std::vector<UserEntry> listUsers(const fs::path& programDir) {
    std::vector<UserEntry> out;
    for (int n = 1; n <= kUsers; ++n) {
        RecordBuffer r = readSettingsRecord(programDir, n);
        out.push_back({n, UserFolderName(n), r.text(kLabel, kLabelLength), storedDataRoot(programDir, n)});
    }
    return out;
}

std::vector<ServerEntry> listServers(const fs::path& programDir) {
    std::vector<ServerEntry> out;
    for (int n = 1; n <= kServers; ++n) {
        RecordBuffer r = readSettingsRecord(programDir, kFirstServerRecord - 1 + n);
        out.push_back({n, trimmed(r.text(kLabel, kLabelLength)) == "1", trimmed(r.text(kPath, kPathLength))});
    }
    return out;
}

StorageResult SelectUser(Session& g, int user, const std::string& password) {
    if (!validUser(g, user)) return StorageResult::Refused;
    if (user > 1 && decodePassword(readSettingsRecord(g.programDir, user)) != password) {
        g.prompter.tell("Passwort", {"Das Passwort für " + UserFolderName(user) + " ist falsch."},
                        PromptIcon::Warning);
        return StorageResult::Refused;
    }
    int previous = g.user;
    g.user = user;
    if (!StartUp(g)) {
        g.user = previous;
        return StorageResult::Failed;
    }
    return StorageResult::Done;
}

bool CheckAdministratorPassword(const std::string& password) {
    return password == administratorPassword();
}

StorageResult SetUserLabel(Session& g, int user, const std::string& label) {
    if (!validUser(g, user)) return StorageResult::Refused;
    if (utf8Length(label) > kLabelLength) {
        g.prompter.tell("Sorry", {"Die Bezeichnung ist länger als 35 Zeichen."});
        return StorageResult::Refused;
    }
    StorageResult result =
        changeSettings(g, user, [&label](RecordBuffer& r) { r.setText(kLabel, kLabelLength, label); });
    if (result == StorageResult::Done && user == g.user) {
        g.storage.userLabel = label;
        g.storage.caption = windowCaption(user, label);
    }
    return result;
}

StorageResult SetUserPassword(Session& g, int user, const std::string& password) {
    if (!validUser(g, user)) return StorageResult::Refused;
    auto encoded = encodePassword(password);
    if (!encoded) {
        g.prompter.tell("Sorry",
                        {"Dieses Passwort kann nicht gespeichert werden.",
                         "Erlaubt sind höchstens 35 Zeichen ohne Sonderzeichen oberhalb von Code 205."});
        return StorageResult::Refused;
    }
    return changeSettings(g, user, [&encoded](RecordBuffer& r) { setPasswordField(r, *encoded); });
}

StorageResult ResetUserPassword(Session& g, int user) {
    return SetUserPassword(g, user, defaultPassword());
}

StorageResult SetProtection(Session& g, bool on) {
    StorageResult result = changeSettings(g, kProtectionRecord, [on](RecordBuffer& r) {
        r.setText(kValue, kValueLength, on ? kProtectionOn : kProtectionOff);
    });
    if (result == StorageResult::Done) g.storage.protection = on;
    return result;
}

bool ConfirmUnprotected(Session& g, const std::string& administratorPasswordTyped) {
    return ConfirmUnprotected(g, [&] { return administratorPasswordTyped; });
}

bool ConfirmUnprotected(Session& g, const std::function<std::string()>& administratorPassword) {
    if (!g.storage.protection) return true;
    PromptAnswer answer =
        g.prompter.ask(PromptMessage{PromptIcon::Question,
                                     "Schutz",
                                     {"Die Tariftabellen und die Textdateien sind geschützt. Der Schutz kann "
                                      "nur mit dem Administrator-Passwort "
                                      "aufgehoben werden. Wollen Sie den Schutz aufheben?"},
                                     PromptButtons::YesNo});
    if (answer != PromptAnswer::Yes) return false;
    if (!CheckAdministratorPassword(administratorPassword())) {
        g.prompter.tell("Passwort", {"Das Administrator-Passwort ist falsch."}, PromptIcon::Warning);
        return false;
    }
    return SetProtection(g, false) == StorageResult::Done;
}

StorageResult SetServerFolder(Session& g, int server, const std::string& folder, bool active) {
    if (server < 1 || server > kServers) {
        g.prompter.tell("Sorry", {"Einen Server " + std::to_string(server) + " gibt es nicht (1 bis 10)."});
        return StorageResult::Refused;
    }
    if (!isNetworkPath(folder)) {
        g.prompter.tell("Korrektur erforderlich",
                        {"Bitte suchen Sie das Programmverzeichnis in der Netzwerkumgebung."});
        return StorageResult::Refused;
    }
    if (!fitsPathField(folder)) {
        g.prompter.tell("Sorry", {"Der Pfad ist länger als 100 Zeichen."});
        return StorageResult::Refused;
    }
    return changeSettings(g, kFirstServerRecord - 1 + server, [&](RecordBuffer& r) {
        r.setText(kLabel, kLabelLength, active ? "1" : "0");
        r.setText(kPath, kPathLength, folder);
    });
}

bool SyncSettingsToServers(Session& g) {
    std::vector<uint8_t> settings;
    try {
        settings = readWholeFile(settingsFilePath(g.programDir));
    } catch (const std::exception&) {
        return false;
    }
    if (settings.empty()) return true;
    for (const ServerEntry& server : listServers(g.programDir)) {
        if (!server.active) continue;
        auto folder = storedPathToNative(server.path);
        std::error_code ec;
        fs::path target = folder ? findFileIgnoringCase(*folder, kSettingsFileName) : fs::path();
        if (!folder || !fs::is_regular_file(target, ec)) {
            if (server.path.rfind("Bitte", 0) != 0)
                g.prompter.tell("Bitte anschließend korrigieren!",
                                {"Das Verzeichnis " + server.path +
                                 "\\varemo20.sr ist kein Programmverzeichnis von "
                                 "VAREMO 2020."},
                                PromptIcon::Warning);
            return false;
        }
        try {
            writeFileAtomically(target, settings);
        } catch (const std::exception& e) {
            g.prompter.tell("Bitte anschließend korrigieren!",
                            {"Die Datei " + server.path + "\\varemo20.sr konnte nicht ersetzt werden.",
                             "Ursache: " + failureCause(e)},
                            PromptIcon::Warning);
            return false;
        }
    }
    return true;
}

StorageResult SetStorageLocation(Session& g, const std::string& chosenFolder) {
    if (trimmed(chosenFolder).empty()) return StorageResult::Cancelled;
    const std::string rootText = storageRootFor(trimmed(chosenFolder));
    auto root = storedPathToNative(rootText);
    if (!fitsPathField(rootText) || !root) {
        g.prompter.tell("Sorry", {"Der Speicherort " + rootText + " kann nicht verwendet werden.",
                                  "Der Pfad muss vollständig sein und darf höchstens 100 Zeichen haben."});
        return StorageResult::Refused;
    }
    try {
        g.files.close();
        fs::create_directories(*root);
        std::error_code ec;
        if (!fs::exists(findFileIgnoringCase(findFileIgnoringCase(*root, "Texte"), "MyText20.txt"), ec)) {
            std::vector<std::string> texts;
            for (int n = 16; n <= 21; ++n)
                texts.push_back("Mytext" + std::to_string(n) + ".txt");
            texts.push_back("Belehrung.txt");
            texts.push_back("TMerkmale.ttt");
            copyProgramFiles(g.programDir, *root, "Texte", texts);
        }
        if (!fs::exists(findFileIgnoringCase(findFileIgnoringCase(*root, "Tarife"), "20171.ttt"), ec)) {
            std::vector<std::string> tables;
            for (int year = kFirstYear; year <= kLastYear; ++year)
                for (int n = 1; n <= 12; ++n)
                    tables.push_back(std::to_string(year) + std::to_string(n) + ".ttt");
            tables.push_back("Kommentar.txt");
            tables.push_back("EDZ.ttt");
            tables.push_back("Strukturausgleich.txt");
            copyProgramFiles(g.programDir, *root, "Tarife", tables);
        }
    } catch (const std::exception& e) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     "Fehler",
                                     {"Der Speicherort " + rootText + " konnte nicht eingerichtet werden.",
                                      "Ursache: " + failureCause(e), "Der bisherige Speicherort bleibt."},
                                     PromptButtons::Ok});
        // Back to the previous location; the result is Failed either way and a failed start-up has
        // shown its own message.
        (void)StartUp(g);
        return StorageResult::Failed;
    }
    // A location inside the program folder is stored relative to it, so that it moves with the folder.
    const std::string storedText = storedPathText(*root, g.programDir);
    StorageResult result = changeSettings(
        g, g.user, [&storedText](RecordBuffer& r) { r.setText(kPath, kPathLength, storedText); });
    if (!StartUp(g)) return StorageResult::Failed;
    return result;
}

fs::path previousProgramFolder(const fs::path& programDir) {
    fs::path dir = programDir;
    if (!dir.has_filename()) dir = dir.parent_path();
    return dir.parent_path() / kPreviousProgramFolderName;
}

StorageResult TakeOverPreviousUsers(Session& g, const fs::path& previousProgramDir) {
    fs::path previous = findFileIgnoringCase(previousProgramDir, kPreviousSettingsFileName);
    if (isMissingOrEmpty(previous)) {
        g.prompter.tell("Sorry", {"Die Datei " + previous.string() + " wurde nicht gefunden.",
                                  "Es wurde nichts übernommen."});
        return StorageResult::Refused;
    }
    PromptAnswer answer = g.prompter.ask(PromptMessage{
        PromptIcon::Warning,
        "V O R S I C H T  ! ! !",
        {"Die Bezeichnungen, Passwörter und Speicherorte der User 2 bis 100 werden mit denen der Version "
         "2019 "
         "überschrieben,",
         "auch wenn sie in der Version 2020 bereits geändert wurden.",
         "Speicherorte im Ordner \"Varemo2019\" werden auf den Ordner \"Varemo2020\" umgestellt.",
         "Die Userordner mit den Personalfällen werden dabei nicht kopiert."},
        PromptButtons::OkCancel,
        /*refusalIsDefault=*/true});
    if (answer != PromptAnswer::Ok) return StorageResult::Cancelled;
    try {
        ensureSettingsFile(g);
        std::vector<uint8_t> current = readWholeFile(settingsFilePath(g.programDir));
        std::vector<uint8_t> old = readWholeFile(previous);
        current.resize(std::max(current.size(), kSettingsRecordLength * kSettingsRecords), 0);
        for (int n = 2; n <= kUsers; ++n) {
            g.storage.showStatus("Übernahme der Userdaten: " + UserFolderName(n));
            RecordBuffer r(kSettingsRecordLength);
            size_t start = static_cast<size_t>(n - 1) * kSettingsRecordLength;
            for (size_t i = 0; i < kSettingsRecordLength; ++i)
                r.bytes()[i] = start + i < old.size() ? old[start + i] : 0;
            std::string path = r.rawText(kPath, kPathLength);
            size_t at = findIgnoringCase(path, kPreviousProgramFolderName);
            if (at != std::string::npos) {
                path.replace(at, std::string(kPreviousProgramFolderName).size(), kProgramFolderName);
                r.setText(kPath, kPathLength, path);
            }
            std::copy(r.bytes().begin(), r.bytes().end(),
                      current.begin() + static_cast<std::ptrdiff_t>(start));
        }
        writeFileAtomically(settingsFilePath(g.programDir), current);
    } catch (const std::exception& e) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     "Fehler",
                                     {"Die Userdaten konnten nicht übernommen werden.",
                                      "Ursache: " + failureCause(e), "Es wurde nichts verändert."},
                                     PromptButtons::Ok});
        return StorageResult::Failed;
    }
    g.storage.showStatus("Die Übernahme der Userdaten ist abgeschlossen.");
    g.prompter.tell("Userdaten", {"Die Übernahme der Userdaten ist abgeschlossen."});
    SyncSettingsToServers(g);
    g.user = 1;
    return StartUp(g) ? StorageResult::Done : StorageResult::Failed;
}

} // namespace varemo
