// Serial printing from the command line: a run of cases or of months as one document, the range kept
// in order, the year salary in a month run, and the year views.

#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

varemo::test::CliResult cli(const varemo::test::TempDir& dir, const Args& args) {
    Args all = {"--program-dir", dir.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return varemo::test::runCli(all);
}

Args serial(const std::string& code, const Args& extra) {
    Args a = {"serial-print", "--year", "2021",   "--set",   "REAL",
              "--code",       code,     "--text", "--today", "01.02.2021"};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

class SerialPrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        varemo::test::copyShippedFiles(dir.path());
        ASSERT_EQ(cli(dir, {"new-case", "--year", "2021", "--count", "3"}).status, 0);
        for (int n = 1; n <= 3; ++n)
            ASSERT_EQ(cli(dir, {"set", "--year", "2021", "--set", "REAL", "--case", std::to_string(n),
                                "--month", "1", "--name", "Fall Nummer " + std::to_string(n), "--amount",
                                "13=" + std::to_string(1000 * n)})
                          .status,
                      0);
    }
    varemo::test::TempDir dir;
};

TEST_F(SerialPrintTest, ACaseRangeIsOneDocumentInCaseOrder) {
    const auto all = cli(dir, serial("1", {"--month", "3"}));
    ASSERT_EQ(all.status, 0) << all.err;
    const size_t first = all.out.find("Fall Nummer 1");
    const size_t second = all.out.find("Fall Nummer 2");
    const size_t third = all.out.find("Fall Nummer 3");
    ASSERT_NE(first, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_NE(all.out.find("März 2021"), std::string::npos);
    EXPECT_NE(all.err.find("Personalfall 3 (3 von 3)"), std::string::npos) << all.err;

    // First = last prints exactly one case; a last beyond the list is the last case, and a first above
    // the last is lowered to it.
    const auto one = cli(dir, serial("0", {"--first", "2", "--last", "2"}));
    EXPECT_EQ(count(one.out, "Fall Nummer"), count(all.out, "Fall Nummer 2"));
    EXPECT_EQ(one.out.find("Fall Nummer 1"), std::string::npos);
    const auto clamped = cli(dir, serial("1", {"--first", "5", "--last", "99"}));
    ASSERT_EQ(clamped.status, 0);
    EXPECT_EQ(clamped.out.find("Fall Nummer 2"), std::string::npos);
    EXPECT_NE(clamped.out.find("Fall Nummer 3"), std::string::npos);
}

TEST_F(SerialPrintTest, MonthsTwelveToThirteenPrintDecemberAndThenTheYearSalary) {
    const auto months = cli(dir, serial("13", {"--case", "2", "--first", "12", "--last", "13"}));
    ASSERT_EQ(months.status, 0) << months.err;
    const size_t december = months.out.find("Dezember 2021");
    const size_t year = months.out.find("Jahresgehalt 2021");
    ASSERT_NE(december, std::string::npos);
    ASSERT_NE(year, std::string::npos);
    EXPECT_LT(december, year);
    // A printout of single months refuses the year salary: December is printed, the order says so.
    const auto refused = cli(dir, serial("14", {"--case", "2", "--first", "12", "--last", "13"}));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("Dezember 2021"), std::string::npos);
    EXPECT_NE(refused.err.find("Nicht für das Jahresgehalt"), std::string::npos) << refused.err;
}

TEST_F(SerialPrintTest, YearViewsPrintEachCaseFromItsStoredMonthsAndWriteNothing) {
    const auto before = varemo::test::filesBelow(dir.path());
    const auto views = cli(dir, serial("10", {"--first", "1", "--last", "2"}));
    ASSERT_EQ(views.status, 0) << views.err;
    EXPECT_EQ(count(views.out, "A R B E I T G E B E R A U F W A N D"), 2u);
    EXPECT_NE(views.out.find("Fall Nummer 2 (akkumuliert) in EURO"), std::string::npos);
    // Case 2: 2.000,00 a month, accumulated to 24.000,00 in December.
    EXPECT_NE(views.out.find("24.000,00"), std::string::npos);
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(dir.path())), Args{});
}

} // namespace
