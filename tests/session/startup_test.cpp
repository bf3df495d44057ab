// Start-up, the settings file, the employer and window record and the users.

#include "base/cp1252.h"
#include "persistence/file_ops.h"
#include "persistence/settings_file.h"
#include "persistence/window_record.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/guarded.h"
#include "session/startup.h"
#include "session/tariff_hand_edits.h"
#include "session/users.h"
#include "storage_fixture.h"

#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace varemo;
using namespace varemo::test;
namespace fs = std::filesystem;

namespace {

constexpr size_t kRec = kSettingsRecordLength;

std::string rootWith(std::set<std::string> existing, const std::string& root) {
    return correctProgramFilesRoot(root, [&existing](const std::string& f) { return existing.count(f) > 0; });
}

// Sets the path field of a user in the settings file.
void setUserPath(const fs::path& programDir, int user, const std::string& path) {
    updateSettingsRecord(programDir, user, [&](RecordBuffer& r) { r.setText(35, 100, path); });
}

} // namespace

TEST(StartUp, AnEmptyProgramFolderGetsItsFilesAndASecondStartChangesNone) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_TRUE(f.prompter.messages().empty());

    auto sr = bytesOf(f.dir.path() / "varemo20.sr");
    ASSERT_EQ(sr.size(), 120u * 170u);
    EXPECT_EQ(textAt(sr, 0, 35), padded("User001 (immer ", 15) + "\xF6" + padded("ffentlich)", 19));
    EXPECT_EQ(textAt(sr, 35, 100), padded("./", 100)); // relative: the folder may be moved or copied
    // The default password is stored with every code raised by 50.
    std::string password = utf8ToCp1252(defaultPassword());
    ASSERT_EQ(password.size(), 9u);
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(sr[135 + i], static_cast<uint8_t>(password[i]) + 50) << i;
    EXPECT_EQ(sr[135 + 9], ' ');
    EXPECT_EQ(textAt(sr, kRec + 0, 11), "Personalamt");
    EXPECT_EQ(textAt(sr, 99 * kRec, 7), "User100");
    EXPECT_EQ(textAt(sr, 100 * kRec + 135, 35), padded("Schutz aus", 35));
    EXPECT_EQ(textAt(sr, 110 * kRec, 35), padded("0", 35));
    EXPECT_EQ(textAt(sr, 110 * kRec + 35, 100),
              padded("Bitte Programmverzeichnis auf dem 1. Server eintragen", 100));
    EXPECT_EQ(textAt(sr, 119 * kRec + 35, 54), "Bitte Programmverzeichnis auf dem 10. Server eintragen");

    auto dim = bytesOf(f.userFile("varemo20.dim"));
    ASSERT_EQ(dim.size(), 594u);
    EXPECT_EQ(textAt(dim, 0, 120), std::string(120, ' '));
    EXPECT_EQ(textAt(dim, 120, 40), padded("- Personalstelle -", 40));
    EXPECT_EQ(textAt(dim, 180, 150),
              padded("Die Berechnung dient der Information und ergeht ohne Gew\xE4hr.", 150));
    EXPECT_EQ(textAt(dim, 330, 120), std::string(120, ' '));
    EXPECT_EQ(std::vector<uint8_t>(dim.begin() + 450, dim.end()), std::vector<uint8_t>(144, 0));

    EXPECT_EQ(fileSize(f.userFile("varemo20.vaa")), 1513u);
    EXPECT_EQ(fileSize(f.userFile("varemo20.vbb")), 1920u);
    auto church = bytesOf(f.userFile("kipausch.vee"));
    ASSERT_EQ(church.size(), 5u * 218u);
    EXPECT_EQ(i16At(church, 3 * 218), 2020); // record 4 is 2020
    ChurchTaxTable shipped = shippedChurchTax(2020);
    EXPECT_EQ(i32At(church, 3 * 218 + 2 + 12 * 2), shipped[2].rateHundredths); // Bayern
    EXPECT_EQ(i32At(church, 3 * 218 + 2 + 12 * 2 + 4), shipped[2].flatHundredths);
    EXPECT_EQ(churchTaxFromRecord(f.g.storage.churchTax), shipped);

    // A new window record shows 2020, INFO; the case files of that year and data set are open, and
    // made only when something is written into them.
    EXPECT_EQ(f.g.year, 2020);
    EXPECT_EQ(f.g.dataSet, DataSet::Info);
    EXPECT_TRUE(f.g.files.isOpen());
    for (int m = 1; m <= 13; ++m)
        EXPECT_FALSE(fs::exists(f.userFile("V2020I." + std::to_string(m)))) << m;
    EXPECT_EQ(f.g.storage.caption, "VAREMO 2020");

    auto before = treeOf(f.dir.path());
    Session again(f.prompter);
    again.programDir = f.dir.path();
    ASSERT_TRUE(StartUp(again));
    EXPECT_EQ(treeOf(f.dir.path()), before);
}

TEST(StartUp, KeepsUnknownBytesAndRecords102To110WhenRewriting) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    updateSettingsRecord(f.dir.path(), 105, [](RecordBuffer& r) { r.setText(0, 170, "eigener Wert 105"); });
    auto dim = bytesOf(f.userFile("varemo20.dim"));
    dim[460] = 0x5A; // not interpreted by the program
    dim[370] = 'X';  // further line, not written here
    dim[558] = 7;    // 32-bit setting
    dim[476] = 13;   // month 13 starts as month 1
    writeBytes(f.userFile("varemo20.dim"), dim);
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(f.g.month(), 1);

    auto srBefore = bytesOf(f.dir.path() / "varemo20.sr");
    ASSERT_EQ(SetUserLabel(f.g, 2, "Neue Stelle"), StorageResult::Done);
    auto sr = bytesOf(f.dir.path() / "varemo20.sr");
    EXPECT_EQ(textAt(sr, kRec, 35), padded("Neue Stelle", 35));
    for (size_t i = 0; i < sr.size(); ++i) {
        if (i >= kRec && i < kRec + 35) continue;
        ASSERT_EQ(sr[i], srBefore[i]) << "byte " << i;
    }

    f.g.year = 2018;
    f.g.caseNumber = 7;
    f.g.selectMonth(4);
    f.g.dataSet = DataSet::Plan;
    f.g.storage.window.setCaseCount(2018, 8);
    SaveWindowRecord(f.g);
    auto saved = bytesOf(f.userFile("varemo20.dim"));
    ASSERT_EQ(saved.size(), 594u);
    EXPECT_EQ(saved[460], 0x5A);
    EXPECT_EQ(saved[370], 'X');
    EXPECT_EQ(saved[558], 7);
    EXPECT_EQ(i16At(saved, 472), 2018);
    EXPECT_EQ(i16At(saved, 474), 7);
    EXPECT_EQ(i16At(saved, 476), 4);
    EXPECT_EQ(i16At(saved, 478), 1);
    EXPECT_EQ(i16At(saved, 502), 8); // 2018 is the second of the five counts
}

TEST(StartUp, DamagedAndForeignFilesLoadWithoutHarm) {
    StorageFixture f;
    writeBytes(f.dir.path() / "varemo20.sr", std::vector<uint8_t>(30, 'x')); // shorter than one record
    writeBytes(f.userFile("varemo20.dim"), std::vector<uint8_t>(500, 0xFF)); // short and nonsense
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(f.g.userFolder, f.user());
    EXPECT_EQ(f.g.year, 2020); // year -1 is out of range
    EXPECT_EQ(f.g.caseNumber, 1);
    EXPECT_EQ(f.g.dataSet, DataSet::Real);
    EXPECT_EQ(fileSize(f.userFile("varemo20.dim")), 500u); // read, not replaced
    EXPECT_EQ(fileSize(f.dir.path() / "varemo20.sr"), 30u);
    EXPECT_EQ(f.g.storage.userLabel, std::string(30, 'x'));
}

TEST(StartUp, ACaseNoFileHoldsIsNotShownAndSoNotMade) {
    // A damaged window record naming case 32767: showing it would write record 32767 (about 50 MB) into
    // every month file of the year. The start shows the last stored case instead.
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    ASSERT_EQ(NewCase(f.g), 1);
    ASSERT_EQ(NewCase(f.g), 2);
    auto dim = bytesOf(f.userFile("varemo20.dim"));
    dim[474] = 0xFF; // case 32767
    dim[475] = 0x7F;
    writeBytes(f.userFile("varemo20.dim"), dim);
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(f.g.caseNumber, 2);
    (void)SelectCaseMonth(f.g);
    f.g.files.close();
    EXPECT_EQ(fileSize(f.userFile("V2020R.1")), 2u * 1513u);
    EXPECT_EQ(fileSize(f.userFile("V2020R.13")), 2u * 1920u);

    dim[474] = 1; // a stored case stays the one shown
    dim[475] = 0;
    writeBytes(f.userFile("varemo20.dim"), dim);
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(f.g.caseNumber, 1);
}

TEST(StartUp, TheUsersPathIsTheDataRootAndAnUnusableOneStopsTheStart) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    TempDir elsewhere;
    setUserPath(f.dir.path(), 1, elsewhere.path().string() + "\\Daten\\");
    const auto settingsBefore = bytesOf(f.dir.path() / "varemo20.sr");

    // A location that does not exist is not made again empty: asked, "No" stops the start, "Yes"
    // works in the program folder this time and keeps the stored location.
    f.prompter.queue(PromptAnswer::No);
    EXPECT_FALSE(StartUp(f.g));
    EXPECT_EQ(f.prompter.messages().back().title, "Speicherort nicht gefunden");
    EXPECT_FALSE(fs::exists(elsewhere.path() / "Daten"));
    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(f.g.userFolder, f.dir.path() / "User001");
    EXPECT_FALSE(fs::exists(elsewhere.path() / "Daten"));
    EXPECT_EQ(bytesOf(f.dir.path() / "varemo20.sr"), settingsBefore);

    fs::create_directory(elsewhere.path() / "Daten");
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(f.g.userFolder, elsewhere.path() / "Daten" / "User001");
    EXPECT_TRUE(fs::exists(elsewhere.path() / "Daten" / "User001" / "varemo20.dim"));

    setUserPath(f.dir.path(), 1, "C:\\Programme\\Varemo2020\\");
    EXPECT_FALSE(StartUp(f.g));
    EXPECT_EQ(f.prompter.messages().back().title, "Speicherort nicht erreichbar");
    EXPECT_EQ(f.g.userFolder, elsewhere.path() / "Daten" / "User001"); // the session is unchanged
}

TEST(StartUp, SwitchesFromTheDataRoot) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    f.g.storage.window.setAutoUpdateCheck(true);
    SaveWindowRecord(f.g);
    std::vector<uint8_t> texts(4988 * 35, ' ');
    std::copy_n("def", 3, texts.begin() + 4987 * 35 + 2); // " def" with blanks around
    writeBytes(f.dir.path() / "Texte" / "MyText20.txt", texts);
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_TRUE(f.g.storage.optionTextDefault);
    EXPECT_TRUE(f.g.storage.autoUpdateCheck);
    EXPECT_FALSE(f.g.storage.tariffsPresent);
    writeBytes(f.dir.path() / "noupdate.txt", {});
    writeBytes(f.dir.path() / "Tarife" / "20201.ttt", std::vector<uint8_t>(108, 0));
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_FALSE(f.g.storage.autoUpdateCheck);
    EXPECT_TRUE(f.g.storage.tariffsPresent);
    EXPECT_TRUE(f.g.tariffs.hasTables());
}

TEST(Users, FolderNamesCaptionAndPaths) {
    EXPECT_EQ(UserFolderName(1), "User001");
    EXPECT_EQ(UserFolderName(9), "User009");
    EXPECT_EQ(UserFolderName(10), "User010");
    EXPECT_EQ(UserFolderName(99), "User099");
    EXPECT_EQ(UserFolderName(100), "User100");
    EXPECT_EQ(UserFolderName(0), "");
    EXPECT_EQ(UserFolderName(101), "");
    EXPECT_EQ(windowCaption(2, "Personalamt"),
              "geschützter Bereich für Personalamt" + std::string(24, ' ') + "    User002");

    // A root in the x86 folder on a system that only has "C:\Programme".
    EXPECT_EQ(rootWith({"C:\\Programme"}, "C:\\Program Files (x86)\\Varemo2020\\"),
              "C:\\Programme\\Varemo2020\\");
    EXPECT_EQ(rootWith({"C:\\Program Files (x86)\\Varemo2020", "C:\\Programme"},
                       "C:\\Program Files (x86)\\Varemo2020\\"),
              "C:\\Program Files (x86)\\Varemo2020\\");
    EXPECT_EQ(rootWith({"C:\\Programme"}, "C:\\Programme (x86)\\Varemo2020\\"),
              "C:\\Programme\\Varemo2020\\");
    // Neither exists: (a) gives "C:\Programme", which (c) turns into the x86 folder.
    EXPECT_EQ(rootWith({}, "C:\\Program Files (x86)\\Varemo2020\\"), "C:\\Program Files (x86)\\Varemo2020\\");
    EXPECT_EQ(rootWith({}, "C:\\Programme\\Varemo2020\\"), "C:\\Program Files (x86)\\Varemo2020\\");
    EXPECT_EQ(rootWith({}, "D:\\Programme\\Varemo2020\\"), "D:\\Programme\\Varemo2020\\");

    EXPECT_EQ(storageRootFor("D:\\Daten\\"), "D:\\Daten\\Varemo2020\\");
    EXPECT_EQ(storageRootFor("D:\\Daten\\Varemo2020\\"), "D:\\Daten\\Varemo2020\\");
    EXPECT_EQ(storageRootFor("D:\\Daten\\Varemo2020"), "D:\\Daten\\Varemo2020\\");
    EXPECT_EQ(storageRootFor("D:\\Daten"), "D:\\Daten\\Varemo2020\\");
    EXPECT_EQ(storageRootFor("/srv/daten"), "/srv/daten/Varemo2020/");

    EXPECT_EQ(storedPathToNative("C:\\Programme\\"), std::nullopt);
    EXPECT_EQ(storedPathToNative("/srv\\daten\\"), fs::path("/srv/daten/"));
}

TEST(Users, SelectionChecksThePasswordAndPasswordsAreStoredRaisedBy50) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(SelectUser(f.g, 2, "falsch"), StorageResult::Refused);
    EXPECT_EQ(f.g.user, 1);
    EXPECT_FALSE(fs::exists(f.dir.path() / "User002"));
    ASSERT_EQ(SelectUser(f.g, 2, defaultPassword()), StorageResult::Done);
    EXPECT_EQ(f.g.userFolder, f.dir.path() / "User002");
    EXPECT_EQ(f.g.storage.caption,
              "geschützter Bereich für Personalamt" + std::string(24, ' ') + "    User002");

    ASSERT_EQ(SetUserPassword(f.g, 10, "Abc!"), StorageResult::Done);
    auto sr = bytesOf(f.dir.path() / "varemo20.sr");
    EXPECT_EQ(textAt(sr, 9 * kRec + 135, 35), padded("s\x94\x95S", 35)); // 'A'+50, 'b'+50, 'c'+50, '!'+50
    EXPECT_EQ(SelectUser(f.g, 10, "Abc!"), StorageResult::Done);
    EXPECT_EQ(f.g.userFolder, f.dir.path() / "User010");
    EXPECT_EQ(SetUserPassword(f.g, 10, "\xC3\xBF"), StorageResult::Refused); // ÿ (255) cannot be raised by 50
    ASSERT_EQ(ResetUserPassword(f.g, 10), StorageResult::Done);
    EXPECT_EQ(decodePassword(readSettingsRecord(f.dir.path(), 10)), defaultPassword());
    EXPECT_TRUE(CheckAdministratorPassword(administratorPassword()));
    EXPECT_FALSE(CheckAdministratorPassword(defaultPassword()));
}

TEST(Users, ProtectionAsksForTheAdministratorPassword) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    ASSERT_EQ(SetProtection(f.g, true), StorageResult::Done);
    EXPECT_EQ(textAt(bytesOf(f.dir.path() / "varemo20.sr"), 100 * kRec + 135, 10), "Schutz ein");
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_TRUE(f.g.storage.protection);
    f.prompter.queue(PromptAnswer::Yes);
    EXPECT_FALSE(ConfirmUnprotected(f.g, "falsch"));
    EXPECT_EQ(f.prompter.messages()[0].text(),
              "Die Tariftabellen und die Textdateien sind geschützt. Der Schutz kann nur mit dem "
              "Administrator-Passwort aufgehoben werden. Wollen Sie den Schutz aufheben?");
    f.prompter.queue(PromptAnswer::Yes);
    EXPECT_TRUE(ConfirmUnprotected(f.g, administratorPassword()));
    EXPECT_FALSE(f.g.storage.protection);
    EXPECT_EQ(textAt(bytesOf(f.dir.path() / "varemo20.sr"), 100 * kRec + 135, 10), "Schutz aus");
}

TEST(Users, ServersAreCopiedInOrderUntilOneHasNoSettingsFile) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    TempDir s1, s2, s3;
    writeBytes(s1.path() / "varemo20.sr", {1, 2, 3});
    writeBytes(s3.path() / "varemo20.sr", {4, 5, 6});
    EXPECT_EQ(SetServerFolder(f.g, 1, "D:\\Varemo2020", true), StorageResult::Refused);
    EXPECT_EQ(f.prompter.messages().back().title, "Korrektur erforderlich");
    EXPECT_EQ(f.prompter.messages().back().text(),
              "Bitte suchen Sie das Programmverzeichnis in der Netzwerkumgebung.");

    // Network paths; on this system "//tmp/..." names the same folder as "/tmp/...".
    ASSERT_EQ(SetServerFolder(f.g, 1, "/" + s1.path().string(), true), StorageResult::Done);
    EXPECT_EQ(bytesOf(s1.path() / "varemo20.sr"), bytesOf(f.dir.path() / "varemo20.sr"));
    updateSettingsRecord(f.dir.path(), 113, [&](RecordBuffer& r) {
        r.setText(0, 35, "1");
        r.setText(35, 100, "/" + s3.path().string());
    });
    size_t shown = f.prompter.messages().size();
    ASSERT_EQ(SetServerFolder(f.g, 2, "/" + s2.path().string(), true), StorageResult::Done);
    ASSERT_EQ(f.prompter.messages().size(), shown + 1);
    EXPECT_EQ(f.prompter.messages()[shown].title, "Bitte anschließend korrigieren!");
    EXPECT_EQ(f.prompter.messages()[shown].text(),
              "Das Verzeichnis /" + s2.path().string() +
                  "\\varemo20.sr ist kein Programmverzeichnis von VAREMO 2020.");
    EXPECT_EQ(bytesOf(s1.path() / "varemo20.sr"), bytesOf(f.dir.path() / "varemo20.sr"));
    EXPECT_EQ(bytesOf(s3.path() / "varemo20.sr"), (std::vector<uint8_t>{4, 5, 6})); // behind the stop
    EXPECT_FALSE(fs::exists(s2.path() / "varemo20.sr"));

    // An active entry still holding its "Bitte ..." text stops without a message.
    updateSettingsRecord(f.dir.path(), 112,
                         [](RecordBuffer& r) { r.setText(35, 100, defaultServerPath(2)); });
    shown = f.prompter.messages().size();
    EXPECT_FALSE(SyncSettingsToServers(f.g));
    EXPECT_EQ(f.prompter.messages().size(), shown);
}

TEST(Users, StorageLocationBuildsTheRootOnceAndCopiesTextsAndTables) {
    StorageFixture f;
    writeBytes(f.dir.path() / "Texte" / "Mytext20.txt", {'t'});
    writeBytes(f.dir.path() / "Texte" / "Belehrung.txt", {'b'});
    writeBytes(f.dir.path() / "Tarife" / "20171.ttt", {'1'});
    writeBytes(f.dir.path() / "Tarife" / "202112.ttt", {'2'});
    ASSERT_TRUE(StartUp(f.g));
    EXPECT_EQ(SetStorageLocation(f.g, ""), StorageResult::Cancelled);
    TempDir chosen;
    ASSERT_EQ(SetStorageLocation(f.g, chosen.path().string()), StorageResult::Done);
    fs::path root = chosen.path() / "Varemo2020";
    EXPECT_EQ(bytesOf(root / "Texte" / "Mytext20.txt"), std::vector<uint8_t>{'t'});
    EXPECT_EQ(bytesOf(root / "Texte" / "Belehrung.txt"), std::vector<uint8_t>{'b'});
    EXPECT_EQ(bytesOf(root / "Tarife" / "202112.ttt"), std::vector<uint8_t>{'2'});
    EXPECT_EQ(f.g.userFolder, root / "User001");
    EXPECT_EQ(textAt(bytesOf(f.dir.path() / "varemo20.sr"), 35, 100), padded(root.string() + "/", 100));
    ASSERT_EQ(SetStorageLocation(f.g, root.string()), StorageResult::Done);
    EXPECT_EQ(f.g.userFolder, root / "User001");
    EXPECT_FALSE(fs::exists(root / "Varemo2020"));
}

TEST(Users, TakeOverOfThePreviousVersion) {
    TempDir parent;
    fs::path program = parent.path() / "Varemo2020";
    fs::path previous = parent.path() / "Varemo2019";
    fs::create_directories(program);
    std::vector<uint8_t> old = defaultSettingsFile(previous.string() + "/");
    std::copy_n("Kasse alt", 9, old.begin() + static_cast<std::ptrdiff_t>(kRec));
    old[kRec + 135] = 'z';
    writeBytes(previous / "varemo19.sr", old);

    ScriptedPrompter prompter;
    Session g(prompter);
    g.programDir = program;
    ASSERT_TRUE(StartUp(g));
    auto before = treeOf(parent.path());
    EXPECT_EQ(TakeOverPreviousUsers(g, previousProgramFolder(program)), StorageResult::Cancelled);
    EXPECT_EQ(prompter.messages().back().title, "V O R S I C H T  ! ! !");
    EXPECT_TRUE(prompter.messages().back().refusalIsDefault);
    EXPECT_EQ(treeOf(parent.path()), before);

    prompter.queue(PromptAnswer::Ok);
    ASSERT_EQ(TakeOverPreviousUsers(g, previousProgramFolder(program)), StorageResult::Done);
    EXPECT_EQ(prompter.messages().back().text(), "Die Übernahme der Userdaten ist abgeschlossen.");
    auto sr = bytesOf(program / "varemo20.sr");
    EXPECT_EQ(textAt(sr, kRec, 9), "Kasse alt");
    EXPECT_EQ(sr[kRec + 135], 'z');
    EXPECT_EQ(textAt(sr, kRec + 35, 100), padded(program.string() + "/", 100)); // "Varemo2019" rewritten
    EXPECT_EQ(textAt(sr, 0, 7), "User001");                                     // user 1 stays
    EXPECT_EQ(textAt(sr, 35, 100), padded("./", 100));
    EXPECT_EQ(g.user, 1);
}

// A program killed in the middle of an operation leaves files half changed and its snapshot behind.
// The next start puts the files back as they were before the operation and removes the snapshot.
TEST(StartUp, AnOperationCutOffByAKillIsPutBackAtTheNextStart) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    writeBytes(f.userFile("V2020R.1"), {'v', 'o', 'r'});

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        (void)runGuarded(f.g, "Die Übertragung", {f.userFile("V2020R.1"), f.userFile("V2021R.1")}, [&] {
            writeBytes(f.userFile("V2020R.1"), {'h', 'a', 'l', 'b'});
            writeBytes(f.userFile("V2021R.1"), {'n', 'e', 'u'});
            raise(SIGKILL);
        });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(FileSnapshot::leftovers(f.user()).size(), 1u);
    EXPECT_EQ(bytesOf(f.userFile("V2020R.1")), (std::vector<uint8_t>{'h', 'a', 'l', 'b'}));

    Session again(f.prompter);
    again.programDir = f.dir.path();
    ASSERT_TRUE(StartUp(again));
    EXPECT_EQ(f.prompter.messages().back().title, "Unterbrochener Vorgang");
    EXPECT_TRUE(FileSnapshot::leftovers(f.user()).empty());
    EXPECT_EQ(bytesOf(f.userFile("V2020R.1")), (std::vector<uint8_t>{'v', 'o', 'r'}));
    EXPECT_FALSE(fs::exists(f.userFile("V2021R.1")));
}

// A tariff write killed between its renames: one month file already new, the other and the record of
// hand-edited months still staged. The next start puts every file back as before the write (the record
// did not exist: it is removed), removes the staged files and says so.
TEST(StartUp, ATariffWriteCutOffBetweenItsRenamesIsPutBackWhole) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    const fs::path tariffs = f.dir.path() / "Tarife";
    const fs::path july = tariffs / "20207.ttt", august = tariffs / "20208.ttt";
    const fs::path record = tariffs / kTariffHandEditFile;
    writeBytes(july, {'a', 'l', 't', '7'});
    writeBytes(august, {'a', 'l', 't', '8'});

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (const fs::path& p : {july, august, record})
            writeBytes(fs::path(p) += ".neu", {'n', 'e', 'u'});
        FileSnapshot snapshot(tariffs);
        snapshot.add({july, august, record});
        fs::rename(fs::path(july) += ".neu", july);
        raise(SIGKILL);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(FileSnapshot::leftovers(tariffs).size(), 1u);
    ASSERT_EQ(bytesOf(july), (std::vector<uint8_t>{'n', 'e', 'u'}));

    Session again(f.prompter);
    again.programDir = f.dir.path();
    ASSERT_TRUE(StartUp(again));
    EXPECT_EQ(f.prompter.messages().back().title, "Unterbrochener Vorgang");
    EXPECT_EQ(f.prompter.messages().back().lines.front(),
              "Das Speichern der Tariftabellen wurde unterbrochen, bevor es fertig war.");
    EXPECT_TRUE(FileSnapshot::leftovers(tariffs).empty());
    EXPECT_EQ(bytesOf(july), (std::vector<uint8_t>{'a', 'l', 't', '7'}));
    EXPECT_EQ(bytesOf(august), (std::vector<uint8_t>{'a', 'l', 't', '8'}));
    EXPECT_FALSE(fs::exists(record));
    for (const fs::path& p : {july, august, record})
        EXPECT_FALSE(fs::exists(fs::path(p) += ".neu")) << p;
}
