// sheet --detail zv, sheet --detail employer and the employer's cost in the sheet's JSON.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

using varemo::test::Json;
using varemo::test::parseJson;

namespace {

using Result = varemo::test::CliResult;

Result cli(const varemo::test::TempDir& dir, const std::string& command,
           std::initializer_list<std::string> more) {
    std::vector<std::string> args = {"--program-dir",
                                     dir.path().string(),
                                     command,
                                     "--year",
                                     "2020",
                                     "--set",
                                     "REAL",
                                     "--case",
                                     "1",
                                     "--month",
                                     "1"};
    args.insert(args.end(), more);
    return varemo::test::runCli(args);
}

} // namespace

TEST(PensionCli, DetailViewsAndTheEmployerCostInTheSheet) {
    varemo::test::TempDir dir;
    // An employee insured with "VBL Länder" and 1.000,00 on line 14.
    ASSERT_EQ(cli(dir, "set", {"--key", "4=11", "--key", "25=1", "--amount", "13=1000"}).status, 0);
    Result text = cli(dir, "sheet", {"--detail", "zv"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("A U F W E N D U N G E N  des  A G"), std::string::npos);
    Json zv = parseJson(cli(dir, "sheet", {"--detail", "zv", "--json"}).out);
    ASSERT_EQ(zv["lines"].array.size(), 31u);
    EXPECT_EQ(zv["lines"].array[0]["label"].string, "1. BRUTTOGEHALT");
    EXPECT_EQ(zv["lines"].array[0]["cents"].integer(), 100000);

    Json employer = parseJson(cli(dir, "sheet", {"--detail", "employer", "--json"}).out);
    ASSERT_EQ(employer["employerCost"].array.size(), 16u);
    EXPECT_EQ(employer["employerCost"].array[0]["label"].string, " Bruttogehalt");
    EXPECT_EQ(employer["totalLabel"].string, " AG-GESAMTAUFWAND");
    int64_t sum = 0;
    for (const auto& item : employer["employerCost"].array)
        sum += item["cents"].integer();
    EXPECT_EQ(employer["employerTotalCents"].integer(), sum);
    Json sheet = parseJson(cli(dir, "sheet", {"--json"}).out);
    EXPECT_EQ(sheet["employerTotalCents"].integer(), sum);
}
