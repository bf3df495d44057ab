// The tariff editor from the command line, on a temporary program folder with the shipped tables: a raise
// written, each command a new start of the program, and the stored cases taking it when recalculated.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using varemo::test::parseJson;

namespace {

varemo::test::CliResult run(const std::vector<std::string>& args) {
    return varemo::test::runCli(args);
}

} // namespace

TEST(CliTariffEdit, ARaiseFromJulyReachesJulyAfterRecalculationAndJuneKeepsTheOldAmount) {
    varemo::test::TempDir dir;
    varemo::test::copyShippedFiles(dir.path());
    const std::string d = dir.path().string();
    // A federal civil servant, A9 (position 8), Erfahrungsstufe 3 from April 2020 on:
    // bbesg_bund_a.csv "2020-03,A9,3,3142.39", record 0 x 440 + 1 + 8 = 9, step 3 at entry 2.
    std::vector<std::string> set = varemo::test::caseMonthArgs(dir.path(), "set", 2020, 4);
    set.insert(set.end(),
               {"--json", "--line", "4=0", "--line", "2=0", "--key", "5=8", "--date", "01.01.2015"});
    ASSERT_EQ(parseJson(run(set).out)["lines"][7]["amountCents"].integer(), 314239);

    const std::vector<std::string> raise = {
        "--program-dir", d,   "tariff",         "raise", "--year",    "2020",
        "--from",        "7", "--percent",      "3,2",   "--entries", "0-14",
        "--region",      "0", "--relationship", "0",     "--group",   "8"};
    std::vector<std::string> declined = {"--answer", "no"};
    declined.insert(declined.end(), raise.begin(), raise.end());
    const auto before = run({"--program-dir", d, "tariff", "show", "--year", "2020", "--month", "12",
                             "--region", "0", "--relationship", "0", "--json"});
    const auto no = run(declined);
    EXPECT_EQ(no.status, 1);
    // 3.142,39 x 1,032 = 3.242,94648, rounded half up to the cent: 3.242,95 (July to December).
    EXPECT_NE(no.out.find("07/2020 Satz 9 Eintrag 2: 3.142,39 -> 3.242,95"), std::string::npos) << no.out;
    EXPECT_EQ(no.out.find("Eintrag 16"), std::string::npos) << no.out; // the family allowance stays
    EXPECT_EQ(run({"--program-dir", d, "tariff", "show", "--year", "2020", "--month", "12", "--region", "0",
                   "--relationship", "0", "--json"})
                  .out,
              before.out); // the preview alone wrote nothing

    std::vector<std::string> accepted = {"--answer", "yes"};
    accepted.insert(accepted.end(), raise.begin(), raise.end());
    const auto yes = run(accepted);
    ASSERT_EQ(yes.status, 0) << yes.err;
    EXPECT_NE(yes.err.find("Alle Fälle neu durchrechnen"), std::string::npos) << yes.err;
    ASSERT_EQ(
        run({"--program-dir", d, "--answer", "yes", "recalc-all", "--year", "2020", "--set", "REAL"}).status,
        0);

    std::vector<std::string> sheetJuly = varemo::test::caseMonthArgs(dir.path(), "sheet", 2020, 7);
    sheetJuly.push_back("--json");
    std::vector<std::string> sheetJune = varemo::test::caseMonthArgs(dir.path(), "sheet", 2020, 6);
    sheetJune.push_back("--json");
    EXPECT_EQ(parseJson(run(sheetJuly).out)["lines"][7]["amountCents"].integer(), 324295);
    EXPECT_EQ(parseJson(run(sheetJune).out)["lines"][7]["amountCents"].integer(), 314239);

    // A typed amount out of range is refused with its message and changes nothing.
    const auto bad = run({"--program-dir", d, "tariff", "set", "--year", "2020", "--month", "7", "--region",
                          "0", "--relationship", "0", "--group", "8", "--entry", "2", "--amount", "-1,00"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("außerhalb des Bereichs eines Tarifbetrags"), std::string::npos) << bad.err;
    const auto july = parseJson(run({"--program-dir", d, "tariff", "show", "--year", "2020", "--month", "7",
                                     "--region", "0", "--relationship", "0", "--json"})
                                    .out);
    int found = 0;
    for (const auto& row : july["rows"].array)
        if (row["record"].integer() == 9) {
            EXPECT_EQ(row["label"].string, "A9");
            EXPECT_EQ(row["entries"][2].integer(), 324295);
            ++found;
        }
    EXPECT_EQ(found, 1);
}
