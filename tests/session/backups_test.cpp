// Backups of the user data, their restore, and the file helpers every operation relies on.

#include "persistence/file_ops.h"
#include "persistence/window_record.h"
#include "session/backups.h"
#include "session/case_operations.h"
#include "storage_fixture.h"

#include <gtest/gtest.h>

using namespace varemo;
using namespace varemo::test;
namespace fs = std::filesystem;

namespace {

// One program run: the employer line 1 and a case file carry the run's mark, then the backup.
void run(StorageFixture& f, const std::string& mark) {
    f.g.storage.window.setEmployerText(EmployerText::Line1, mark);
    SaveWindowRecord(f.g);
    writeBytes(f.userFile("V2020R.1"), std::vector<uint8_t>(mark.begin(), mark.end()));
    ASSERT_EQ(BackupUserData(f.g), StorageResult::Done);
}

std::string markOf(const fs::path& folder) {
    return textAt(bytesOf(folder / "varemo20.dim"), 0, 2);
}

} // namespace

TEST(Backups, FirstRunCreatesThreeEmptyBackupsAndTheFourthKeepsTheSecondInBackup3) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    fs::path b1 = f.user() / "Backup1", b2 = f.user() / "Backup2", b3 = f.user() / "Backup3";
    run(f, "S1");
    for (const fs::path& b : {b1, b2, b3}) {
        EXPECT_EQ(treeOf(b).size(), 1u);
        EXPECT_EQ(fileSize(b / "varemo20.dim"), 0u);
        EXPECT_TRUE(fs::exists(b / "varemo20.dim"));
    }
    run(f, "S2");
    EXPECT_EQ(markOf(b1), "S2");
    EXPECT_EQ(fileSize(b2 / "varemo20.dim"), 0u);
    run(f, "S3");
    EXPECT_EQ(fileSize(b3 / "varemo20.dim"), 0u); // still the empty one of the first run
    run(f, "S4");
    EXPECT_EQ(markOf(b1), "S4");
    EXPECT_EQ(markOf(b2), "S3");
    EXPECT_EQ(markOf(b3), "S2");
    EXPECT_EQ(bytesOf(b3 / "V2020R.1"), (std::vector<uint8_t>{'S', '2'}));
    EXPECT_EQ(fileSize(b3 / "varemo20.dim"), 594u);
    EXPECT_TRUE(fs::exists(b3 / "varemo20.vaa"));
    EXPECT_TRUE(fs::exists(b3 / "kipausch.vee"));
    EXPECT_FALSE(fs::exists(b3 / "Backup1"));

    auto list = ListBackups(f.g);
    EXPECT_TRUE(list[2].filled);
    EXPECT_EQ(list[2].date.size(), 19u); // "TT.MM.JJJJ hh:mm:ss"
    EXPECT_TRUE(MoveSortAllowed(f.g));
}

TEST(Backups, RestoreBringsBackTheStateOfTheChosenRun) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    run(f, "S1");
    EXPECT_EQ(RestoreUserData(f.g, 2), StorageResult::Refused); // nothing saved yet
    writeBytes(f.userFile("bda.007"), {'b', '2'});              // a calculator's file of case 7
    run(f, "S2");
    run(f, "S3");
    writeBytes(f.userFile("bda.007"), {'b', '3'});
    writeBytes(f.userFile("jda.012"), {'j'});   // made after S2
    writeBytes(f.userFile("V2021P.4"), {9, 9}); // did not exist in the state of S2
    writeBytes(f.userFile("V2020R.1"), {'n', 'e', 'u'});
    writeBytes(f.userFile("notiz.txt"), {'x'}); // not a user file of the list

    auto before = treeOf(f.dir.path());
    EXPECT_EQ(RestoreUserData(f.g, 2), StorageResult::Cancelled);
    EXPECT_EQ(f.prompter.messages().back().title, "Userdaten zurücksetzen");
    EXPECT_TRUE(f.prompter.messages().back().refusalIsDefault);
    EXPECT_EQ(treeOf(f.dir.path()), before);

    f.prompter.queue(PromptAnswer::Yes);
    ASSERT_EQ(RestoreUserData(f.g, 2), StorageResult::Done);
    EXPECT_EQ(bytesOf(f.userFile("V2020R.1")), (std::vector<uint8_t>{'S', '2'}));
    EXPECT_EQ(markOf(f.user()), "S2");
    EXPECT_EQ(f.g.storage.window.employerText(EmployerText::Line1), "S2");
    EXPECT_FALSE(fs::exists(f.userFile("V2021P.4")));
    EXPECT_EQ(bytesOf(f.userFile("bda.007")), (std::vector<uint8_t>{'b', '2'}));
    EXPECT_FALSE(fs::exists(f.userFile("jda.012")));
    EXPECT_TRUE(fs::exists(f.userFile("notiz.txt")));
    EXPECT_EQ(markOf(f.user() / "Backup1"), "S3"); // the backups themselves stay
}

// A backup whose entry is a folder where a file belongs (a damaged or tampered backup) is refused
// before anything is touched: the live file it would have deleted stays.
TEST(Backups, ADamagedBackupIsRefusedBeforeAnythingIsTouched) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    run(f, "S1");
    run(f, "S2");
    const fs::path entry = f.user() / "Backup1" / "V2020R.1";
    fs::remove(entry);
    fs::create_directory(entry);
    writeBytes(f.userFile("V2020R.1"), {'l', 'i', 'v', 'e'});
    const auto before = treeOf(f.dir.path());

    f.prompter.queue(PromptAnswer::Yes);
    EXPECT_EQ(RestoreUserData(f.g, 1), StorageResult::Failed);
    EXPECT_EQ(f.prompter.messages().back().title, "Sicherung beschädigt");
    EXPECT_EQ(treeOf(f.dir.path()), before);
    EXPECT_EQ(bytesOf(f.userFile("V2020R.1")), (std::vector<uint8_t>{'l', 'i', 'v', 'e'}));
}

TEST(Backups, EndSessionSavesOnlyWhenSwitchedOn) {
    StorageFixture f;
    ASSERT_TRUE(StartUp(f.g));
    ASSERT_EQ(EndSession(f.g), StorageResult::Done);
    EXPECT_FALSE(fs::exists(f.user() / "Backup1"));
    f.g.storage.window.setBackupsOn(true);
    ASSERT_EQ(EndSession(f.g), StorageResult::Done);
    EXPECT_TRUE(fs::exists(f.user() / "Backup3" / "varemo20.dim"));
}

TEST(FileOps, SnapshotPutsEveryFileBackAndUpdateKeepsTheOtherRecords) {
    TempDir dir;
    fs::path a = dir.path() / "a", b = dir.path() / "b", c = dir.path() / "c";
    writeBytes(a, {1, 2, 3});
    writeBytes(b, {4});
    {
        FileSnapshot snapshot(dir.path());
        snapshot.add({a, b, c, a});
        writeBytes(a, {9});
        fs::remove(b);
        writeBytes(c, {7});
        EXPECT_TRUE(snapshot.restore());
    }
    EXPECT_EQ(bytesOf(a), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(bytesOf(b), (std::vector<uint8_t>{4}));
    EXPECT_FALSE(fs::exists(c));
    EXPECT_EQ(treeOf(dir.path()).size(), 2u); // the copies are gone

    writeBytes(a, {1, 2, 3, 4, 5});
    updateRecord(a, 2, 2, [](RecordBuffer& r) { r.bytes()[1] = 0xAA; });
    EXPECT_EQ(bytesOf(a), (std::vector<uint8_t>{1, 2, 3, 0xAA, 5}));
    updateRecord(a, 2, 5, [](RecordBuffer& r) { r.bytes()[0] = 0xBB; });
    EXPECT_EQ(bytesOf(a), (std::vector<uint8_t>{1, 2, 3, 0xAA, 5, 0, 0, 0, 0xBB, 0}));
    fs::create_directory(dir.path() / "folder");
    EXPECT_THROW(writeFileAtomically(dir.path() / "folder", {1}), StorageError);
}
