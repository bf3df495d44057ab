// End-to-end tests of recalc-all and of the part-time and special-payment views of varemo20-cli.

#include "model/case.h"
#include "persistence/case_files.h"
#include "persistence/month_record.h"
#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace varemo;
using varemo::test::Json;
using varemo::test::parseJson;

namespace {

using Result = varemo::test::CliResult;

Result run(const std::vector<std::string>& args) {
    return varemo::test::runCli(args);
}

std::vector<std::string> userFiles(const test::TempDir& dir) {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "User001"))
        out.push_back(entry.path().filename().string() + ":" + test::fileBytes(entry.path()));
    std::sort(out.begin(), out.end());
    return out;
}

// Two cases of 2020 REAL with 3.000,00 on line 13 in every month, whose stored gross pay is then
// made stale in every month.
void staleFolder(const test::TempDir& dir) {
    const std::string root = dir.path().string();
    ASSERT_EQ(run({"--program-dir", root, "new-case", "--year", "2020", "--count", "2"}).status, 0);
    for (const char* c : {"1", "2"})
        ASSERT_EQ(run({"--program-dir", root, "set", "--year", "2020", "--set", "REAL", "--case", c,
                       "--month", "1", "--amount", "12=3000"})
                      .status,
                  0);
    CaseFiles files;
    files.open(dir.path() / "User001", 2020, DataSet::Real);
    for (int c = 1; c <= 2; ++c)
        for (int m = 1; m <= 12; ++m) {
            Case stored;
            unpackMonthRecord(files.readMonth(m, c), stored);
            stored.setAmount(AmountSlot::Gross, 1);
            files.writeMonth(m, c, packMonthRecord(stored));
        }
}

} // namespace

// Answering no changes no byte and reports the refusal; answering yes rewrites every month of every case
// and reports the progress.
TEST(CliRecalcAll, RewritesEveryMonthOfEveryCaseAfterYesAndNothingAfterNo) {
    test::TempDir dir;
    staleFolder(dir);
    const std::vector<std::string> recalc = {
        "--program-dir", dir.path().string(), "recalc-all", "--year", "2020", "--set", "REAL"};
    const auto before = userFiles(dir);
    Result no = run(recalc);
    EXPECT_EQ(no.status, 1);
    EXPECT_EQ(no.err.find("Personalfall 1"), std::string::npos);
    EXPECT_EQ(userFiles(dir), before);

    std::vector<std::string> yes = recalc;
    yes.insert(yes.begin() + 2, {"--answer", "yes"});
    Result r = run(yes);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("[Möchten Sie neu durchrechnen lassen?]"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Personalfall 1, 1. Monat\n"), std::string::npos);
    EXPECT_NE(r.err.find("Personalfall 2, 12. Monat\n"), std::string::npos);
    EXPECT_NE(r.out.find("2 Personalfälle, 24 Monate neu berechnet"), std::string::npos) << r.out;
    CaseFiles files;
    files.open(dir.path() / "User001", 2020, DataSet::Real);
    for (int c = 1; c <= 2; ++c)
        for (int m = 1; m <= 12; ++m) {
            Case stored;
            unpackMonthRecord(files.readMonth(m, c), stored);
            EXPECT_EQ(stored.amount(AmountSlot::Gross), 300000) << c << "/" << m;
        }

    EXPECT_EQ(run({recalc[0], recalc[1], "recalc-all", "--year", "2016", "--set", "REAL"}).status, 2);
    EXPECT_EQ(run({recalc[0], recalc[1], "recalc-all", "--year", "2020"}).status, 2);
}

TEST(CliDetail, PartTimeAndSpecialPaymentViews) {
    test::TempDir dir;
    const auto month = [&dir](const std::string& command, int m, std::initializer_list<std::string> more) {
        std::vector<std::string> a = test::caseMonthArgs(dir.path(), command, 2020, m);
        a.insert(a.end(), more);
        return a;
    };
    ASSERT_EQ(run(month("set", 1, {"--amount", "12=3000", "--amount", "1=19,25"})).status, 0);
    Result text = run(month("sheet", 1, {"--detail", "parttime"}));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("T E I L Z E I T G E H A L T"), std::string::npos);
    EXPECT_NE(text.out.find("TEILZEITGEHALT BRUTTO"), std::string::npos);
    EXPECT_NE(text.out.find("0,500 x "), std::string::npos);
    Json j = parseJson(run(month("sheet", 1, {"--detail", "parttime", "--json"})).out);
    EXPECT_EQ(j["totalCents"].integer(), 150000); // 3.000,00 x 19,25 / 38,5
    EXPECT_EQ(j["overview"].array.size(), 6u);

    Result special = run(month("sheet", 11, {"--detail", "special", "--json"}));
    ASSERT_EQ(special.status, 0) << special.err;
    Json s = parseJson(special.out);
    EXPECT_EQ(s["months"].array.size(), 12u);
    EXPECT_EQ(s["summary"].array[0]["label"].string, "Basis-Gehalt 2)");
}
