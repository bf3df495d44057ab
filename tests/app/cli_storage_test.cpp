// End-to-end tests of the storage commands of varemo20-cli on temporary program folders.

#include "persistence/settings_file.h"
#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>

using varemo::test::Json;
using varemo::test::parseJson;
namespace fs = std::filesystem;

namespace {

using Result = varemo::test::CliResult;

Result run(const varemo::test::TempDir& dir, const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--program-dir", dir.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return varemo::test::runCli(all);
}

Json sheet(const varemo::test::TempDir& dir, int year, const std::string& set, int caseNumber, int month) {
    Result r = run(dir, {"sheet", "--year", std::to_string(year), "--set", set, "--case",
                         std::to_string(caseNumber), "--month", std::to_string(month), "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    return parseJson(r.out);
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(CliStorage, UsersAndTheirSelection) {
    varemo::test::TempDir dir;
    Result r = run(dir, {"users", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    Json j = parseJson(r.out);
    ASSERT_EQ(j["users"].array.size(), 100u);
    EXPECT_EQ(j["users"][0]["label"].string, "User001 (immer öffentlich)");
    EXPECT_EQ(j["users"][0]["folder"].string, "User001");
    EXPECT_EQ(j["users"][99]["folder"].string, "User100");
    EXPECT_EQ(j["users"][0]["path"].string, "./"); // the program folder, relative to itself
    EXPECT_FALSE(j["protection"].boolean);
    ASSERT_EQ(j["servers"].array.size(), 10u);
    EXPECT_EQ(j["servers"][9]["path"].string, "Bitte Programmverzeichnis auf dem 10. Server eintragen");
    EXPECT_EQ(fs::file_size(dir.path() / "varemo20.sr"), 20400u);

    Result wrong = run(dir, {"select-user", "2", "--password", "falsch"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_TRUE(contains(wrong.err, "[Passwort] Das Passwort für User002 ist falsch.")) << wrong.err;
    EXPECT_FALSE(fs::exists(dir.path() / "User002"));
    Result right = run(dir, {"select-user", "2", "--password", varemo::defaultPassword()});
    EXPECT_EQ(right.status, 0) << right.err;
    EXPECT_EQ(right.out.substr(0, 8), "User002 ");
    EXPECT_TRUE(contains(right.out, "geschützter Bereich für Personalamt")) << right.out;
    EXPECT_TRUE(fs::exists(dir.path() / "User002" / "varemo20.dim"));
    EXPECT_EQ(run(dir, {"select-user", "101"}).status, 2);
}

TEST(CliStorage, NewCasesAndCopyingPlanToReal) {
    varemo::test::TempDir dir;
    Result created = run(dir, {"new-case", "--year", "2020", "--count", "2"});
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.out, "1  Personalfall 1\n2  Personalfall 2\n");
    Json plan = sheet(dir, 2020, "PLAN", 2, 7);
    EXPECT_EQ(plan["name"].string, "Personalfall 2");
    EXPECT_TRUE(plan["messages"].array.empty());

    Result edit = run(dir, {"set", "--year", "2020", "--set", "PLAN", "--case", "1", "--month", "1",
                            "--amount", "12=1000"});
    ASSERT_EQ(edit.status, 0) << edit.err;
    // REAL holds case 1 already: without "--answer yes" the question is answered "Nein".
    EXPECT_EQ(
        run(dir, {"copy-case", "--year", "2020", "--case", "1", "--from", "PLAN", "--to", "REAL"}).status, 1);
    EXPECT_EQ(sheet(dir, 2020, "REAL", 1, 12)["previous"][12].integer(), 0);
    Result copy = run(dir, {"--answer", "yes", "copy-case", "--year", "2020", "--case", "1", "--from", "PLAN",
                            "--to", "REAL"});
    ASSERT_EQ(copy.status, 0) << copy.err;
    EXPECT_EQ(sheet(dir, 2020, "REAL", 1, 12)["previous"][12].integer(), 100000);
    EXPECT_EQ(sheet(dir, 2020, "INFO", 1, 12)["previous"][12].integer(), 0);

    EXPECT_EQ(
        run(dir, {"copy-case", "--year", "2020", "--case", "8", "--from", "PLAN", "--to", "REAL"}).status, 1);
    EXPECT_EQ(run(dir, {"copy-case", "--year", "2020", "--case", "1", "--from", "PLAN"}).status, 2);
    EXPECT_EQ(run(dir, {"new-case", "--year", "2022"}).status, 2);
}

TEST(CliStorage, DeletingAYearNeedsTheAnswerYes) {
    varemo::test::TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2019", "--count", "2"}).status, 0);
    ASSERT_EQ(run(dir, {"new-case", "--year", "2018"}).status, 0);
    Result no = run(dir, {"delete-year", "--year", "2019"});
    EXPECT_EQ(no.status, 1);
    EXPECT_TRUE(contains(no.err,
                         "[W A R N U N G !] Bei Auswahl von  O K  werden   a l l e  bisher für  2019  "
                         "eingegebenen Namen\n"))
        << no.err;
    EXPECT_TRUE(fs::exists(dir.path() / "User001" / "V2019I.1"));
    Result yes = run(dir, {"--answer", "yes", "delete-year", "--year", "2019"});
    EXPECT_EQ(yes.status, 0) << yes.err;
    EXPECT_FALSE(fs::exists(dir.path() / "User001" / "V2019I.1"));
    EXPECT_TRUE(fs::exists(dir.path() / "User001" / "V2018I.1"));
    // The year shown last (the one of the last new case) gets case 1 again.
    ASSERT_EQ(run(dir, {"--answer", "yes", "delete-year", "--year", "2018"}).status, 0);
    EXPECT_EQ(fs::file_size(dir.path() / "User001" / "V2018I.13"), 1920u);
    EXPECT_EQ(sheet(dir, 2018, "INFO", 1, 1)["name"].string, "Personalfall 1");
}

TEST(CliStorage, TransferIntoTheFollowingYear) {
    varemo::test::TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020", "--count", "2"}).status, 0);
    Result refused = run(dir, {"--answer", "yes", "transfer", "--year", "2021", "--all"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.err, "[Sorry ...] Ein Jahr 2022 ist im Programm noch nicht angelegt."))
        << refused.err;
    EXPECT_EQ(run(dir, {"transfer", "--year", "2020"}).status, 2);

    Result all = run(dir, {"--answer", "yes", "transfer", "--year", "2020", "--all"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_TRUE(contains(all.err, "Satz 1 von 2 Sätzen.\nSatz 2 von 2 Sätzen.\n")) << all.err;
    EXPECT_EQ(sheet(dir, 2021, "REAL", 2, 12)["name"].string, "Personalfall 2");

    Result one = run(dir, {"transfer", "--year", "2020", "--case", "1"});
    EXPECT_EQ(one.status, 1); // answered no
    EXPECT_TRUE(contains(one.err,
                         "[Von 2020 nach 2021] Der Personalfall Personalfall 1 wird auf das Folgejahr "
                         "übertragen."))
        << one.err;
}

TEST(CliStorage, BackupRotationAndRestore) {
    varemo::test::TempDir dir;
    Result first = run(dir, {"backup"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "Backup1  leer\nBackup2  leer\nBackup3  leer\n");
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(run(dir, {"backup"}).status, 0);
    EXPECT_EQ(fs::file_size(dir.path() / "User001" / "Backup3" / "varemo20.dim"), 594u);
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020"}).status, 0);
    Result restore = run(dir, {"--answer", "yes", "restore", "--from", "3"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_FALSE(fs::exists(dir.path() / "User001" / "V2020R.13"));
    EXPECT_EQ(run(dir, {"restore", "--from", "4"}).status, 2);
}

// A source file that is there but cannot be read (here a folder where the March PLAN file belongs) stops
// the copy and the year transfer before anything is written: exit 3, a message naming the file, and
// every file of the program folder as it was (before, the copy wrote zeros as case 1 of REAL).
TEST(CliStorage, AnUnreadableSourceStopsTheOperationAndChangesNothing) {
    varemo::test::TempDir dir;
    ASSERT_EQ(run(dir, {"new-case", "--year", "2020"}).status, 0);
    ASSERT_EQ(run(dir, {"set", "--year", "2020", "--set", "PLAN", "--case", "1", "--month", "1", "--amount",
                        "12=1234,56"})
                  .status,
              0);
    const fs::path user = dir.path() / "User001";
    for (const char* name : {"V2020P.3", "V2020R.12"}) {
        fs::remove(user / name);
        fs::create_directory(user / name);
    }
    const auto before = varemo::test::filesBelow(dir.path());

    Result copy = run(dir, {"--answer", "yes", "copy-case", "--year", "2020", "--case", "1", "--from", "PLAN",
                            "--to", "REAL"});
    EXPECT_EQ(copy.status, 3) << copy.err;
    EXPECT_TRUE(contains(copy.err, "V2020P.3 kann nicht gelesen werden")) << copy.err;
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(dir.path())),
              std::vector<std::string>{});

    Result transfer = run(dir, {"--answer", "yes", "transfer", "--year", "2020", "--all"});
    EXPECT_EQ(transfer.status, 3) << transfer.err;
    EXPECT_TRUE(contains(transfer.err, "V2020R.12")) << transfer.err;
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(dir.path())),
              std::vector<std::string>{});
}
