// End-to-end tests of varemo20-cli on temporary program folders.

#include "model/case.h"
#include "persistence/case_files.h"
#include "persistence/month_record.h"
#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace varemo;
using varemo::test::Json;
using varemo::test::parseJson;

namespace {

using Result = varemo::test::CliResult;

Result run(const std::vector<std::string>& args) {
    return varemo::test::runCli(args);
}

std::vector<std::string> selection(const test::TempDir& dir, const std::string& command, int month = 1,
                                   int year = 2020) {
    std::vector<std::string> args = test::caseMonthArgs(dir.path(), command, year, month);
    args.push_back("--json");
    return args;
}

Json runJson(std::vector<std::string> args, int expectedStatus = 0) {
    Result r = run(args);
    EXPECT_EQ(r.status, expectedStatus) << r.err;
    return parseJson(r.out);
}

std::vector<std::string> with(std::vector<std::string> base, std::initializer_list<std::string> more) {
    base.insert(base.end(), more);
    return base;
}

} // namespace

// Viewing never makes a case: an empty folder has none to show. The first edit makes case 1 as new-case
// does (whole, in every data set, or not at all), as the window shows case 1 of a new folder.
TEST(Cli, AnEmptyFolderHasNoCaseToViewAndAnEditMakesCaseOne) {
    test::TempDir dir;
    Result viewed = run(selection(dir, "sheet"));
    EXPECT_EQ(viewed.status, 1);
    EXPECT_NE(viewed.err.find("Den Personalfall 1 gibt es im Jahr 2020 nicht."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "User001" / "V2020R.13"));
    Json j = runJson(selection(dir, "set"));
    EXPECT_EQ(j["year"].integer(), 2020);
    EXPECT_EQ(j["month"].integer(), 1);
    EXPECT_EQ(j["case"].integer(), 1);
    EXPECT_EQ(j["dataSet"].string, "REAL");
    EXPECT_EQ(j["name"].string, "Personalfall 1"); // made as new-case makes it, in every data set
    for (const char* set : {"I", "P", "R"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "User001" / (std::string("V2020") + set + ".13")));
    ASSERT_EQ(j["lines"].array.size(), 47u);
    EXPECT_EQ(j["lines"][26]["line"].integer(), 27);
    EXPECT_EQ(j["lines"][26]["key"].integer(), 40);
    EXPECT_TRUE(j["lines"][0]["key"].isNull());
    EXPECT_EQ(j["lines"][46]["text"].string, "A U S Z A H L U N G");
    ASSERT_EQ(j["keys"].array.size(), 56u);
    EXPECT_EQ(j["keys"][4].integer(), 25);
    EXPECT_EQ(j["keys"][25].integer(), 40);
    ASSERT_EQ(j["amounts"].array.size(), 66u);
    ASSERT_EQ(j["previous"].array.size(), 66u);
    EXPECT_EQ(j["amounts"][0].integer(), 3850000);
    EXPECT_EQ(j["amounts"][1].integer(), 3850000);
    EXPECT_EQ(j["previous"][3].integer(), 3100000);
    EXPECT_TRUE(j["messages"].array.empty());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "User001" / "V2020R.1"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "User001" / "V2020R.13"));
}

TEST(Cli, DamagedRecordIsResetWithTheWarning) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "User001");
    {
        CaseFiles files;
        files.open(dir.path() / "User001", 2020, DataSet::Real);
        Case c = defaultCase();
        c.setKey(KeySlot::CostCentre, 122);
        c.enterAmount(AmountSlot::Allowance2, 999);
        for (int m = 1; m <= 12; ++m)
            files.writeMonth(m, 1, packMonthRecord(c));
        YearRecord y;
        y.setName("Alt");
        files.writeYear(1, y);
    }
    Result r = run(selection(dir, "sheet", 4));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(
        r.err.find("[Achtung] Achtung (77)\nDer Personalfall wurde auf die Grundstellung zurückgesetzt,\n"
                   "um einen Programmabsturz zu vermeiden."),
        std::string::npos)
        << r.err;
    Json j = parseJson(r.out);
    ASSERT_EQ(j["messages"].array.size(), 1u);
    EXPECT_EQ(j["messages"][0]["text"].string.substr(0, 12), "Achtung (77)");
    EXPECT_EQ(j["keys"][27].integer(), 0);
    CaseFiles files;
    files.open(dir.path() / "User001", 2020, DataSet::Real);
    for (int m = 1; m <= 12; ++m) {
        Case c;
        unpackMonthRecord(files.readMonth(m, 1), c);
        EXPECT_EQ(c.key(KeySlot::CostCentre), 0) << m;
        EXPECT_EQ(c.amount(AmountSlot::Allowance2), 0) << m;
        EXPECT_EQ(c.key(KeySlot::ServiceRelationship), 25) << m;
    }
}

TEST(Cli, TypedAllowancesReachGrossAndNetAndTheFollowingMonths) {
    test::TempDir dir;
    Json j = runJson(with(selection(dir, "set", 3), {"--amount", "12=1000", "--amount", "13=250,50",
                                                     "--amount", "14=0,01", "--line", "47=1"}));
    EXPECT_EQ(j["amounts"][12].integer(), 100000);
    EXPECT_EQ(j["previous"][13].integer(), 25050);
    EXPECT_EQ(j["lines"][20]["amountCents"].integer(), 125051);
    EXPECT_EQ(j["lines"][21]["amountCents"].integer(), 125051);
    EXPECT_EQ(j["lines"][22]["amountCents"].integer(), 125051);
    long long deductions = 0; // lines 34 to 46 as the run leaves them (wage tax and what follows)
    for (size_t line = 34; line <= 46; ++line)
        deductions += j["lines"][line - 1]["amountCents"].integer();
    EXPECT_EQ(j["lines"][46]["amountCents"].integer(), 125051 + deductions);
    EXPECT_EQ(j["lines"][46]["text"].string, "N E T T O G E H A L T ");
    for (int month : {2, 4, 12}) {
        Json m = runJson(selection(dir, "sheet", month));
        EXPECT_EQ(m["lines"][22]["amountCents"].integer(), month >= 3 ? 125051 : 0) << month;
    }
}

TEST(Cli, AmountsBeyondTheRangeReportTheInputError) {
    test::TempDir dir;
    Result r = run(with(selection(dir, "set", 1), {"--amount", "12=20000000", "--amount", "13=20000000",
                                                   "--amount", "14=99999999999"}));
    EXPECT_EQ(r.status, 1);
    Json j = parseJson(r.out);
    ASSERT_EQ(j["messages"].array.size(), 2u);
    EXPECT_EQ(j["messages"][0]["title"].string, "Eingabefehler");
    EXPECT_EQ(
        j["messages"][0]["text"].string,
        "Der Wertebereich des Programms wurde überschritten. Alle Werte ab Zeile 45 können deshalb nicht "
        "berechnet werden.");
    EXPECT_EQ(j["messages"][1]["title"].string, "Eingabefehler");
    EXPECT_EQ(j["amounts"][14].integer(), 0);
}

TEST(Cli, KeysDatesNamesAndTheirRefusals) {
    test::TempDir dir;
    Json j = runJson(with(selection(dir, "set", 2), {"--key", "46=5", "--date", "01.04.2015", "--name",
                                                     "Maria Müller", "--amount", "51=250"}));
    EXPECT_EQ(j["keys"][46].integer(), 5);
    EXPECT_EQ(j["lines"][5]["text"].string, "01.04.2015");
    EXPECT_EQ(j["name"].string, "Maria Müller");
    EXPECT_EQ(j["amounts"][51].integer(), 20000);
    Json again = runJson(selection(dir, "sheet", 7));
    EXPECT_EQ(again["name"].string, "Maria Müller");
    EXPECT_EQ(again["keys"][46].integer(), 5);

    Json refused = runJson(with(selection(dir, "set", 2), {"--line", "28=122"}), 1);
    EXPECT_EQ(refused["messages"][0]["text"].string, "Sorry, die gewählte Auswahl ist nicht möglich.");
    EXPECT_EQ(refused["keys"][27].integer(), 0);
}

TEST(Cli, AFileThatCannotBeUsedEndsTheCommandWithAGermanMessageAndStatusThree) {
    test::TempDir dir;
    ASSERT_EQ(run(selection(dir, "set")).status, 0);
    // A folder stands where January 2019 of the REAL cases belongs.
    const std::filesystem::path january = dir.path() / "User001" / caseFileName(2019, DataSet::Real, 1);
    std::filesystem::create_directories(january);
    Result r = run(selection(dir, "sheet", 1, 2019));
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "[Fehler] Die Datei " + january.string() +
                         " kann nicht gelesen werden (sie ist keine lesbare Datei).\n");
}

TEST(Cli, UsageErrorsExitWithTwo) {
    test::TempDir dir;
    EXPECT_EQ(run({"--program-dir", dir.path().string(), "sheet", "--year", "2016", "--set", "REAL", "--case",
                   "1", "--month", "1"})
                  .status,
              2);
    EXPECT_EQ(run(with(selection(dir, "sheet"), {"--set", "FOO"})).status, 2);
    EXPECT_EQ(run(with(selection(dir, "set"), {"--key", "4"})).status, 2);
    EXPECT_EQ(run(with(selection(dir, "set"), {"--key", "x=1"})).status, 2);
    EXPECT_EQ(run(with(selection(dir, "sheet"), {"--amount", "12=1"})).status, 2);
    EXPECT_EQ(run({"--program-dir", dir.path().string(), "frobnicate"}).status, 2);
    Result text = run({"--program-dir", dir.path().string(), "set", "--year", "2021", "--set", "info",
                       "--case", "1", "--month", "12"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("47  A U S Z A H L U N G"), std::string::npos) << text.out;
}

// The largest amount a case stores on line 12 makes the employer's total of the month pass the 32-bit
// range. The edit is stored, so the command says so (exit 0) and shows the total as it is; the sheet
// of the month can be shown afterwards (before, both failed with an overflow after the edit was
// stored).
TEST(Cli, ATotalBeyondWhatACaseStoresIsShownNotFailed) {
    test::TempDir dir;
    Json set = runJson(with(selection(dir, "set"), {"--amount", "12=21474836,47"}));
    EXPECT_GT(set["employerTotalCents"].number, 2147483647.0);
    Json sheet = runJson(selection(dir, "sheet"));
    EXPECT_EQ(sheet["employerTotalCents"].number, set["employerTotalCents"].number);
}
