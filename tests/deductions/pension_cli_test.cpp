// sheet --detail zv, sheet --detail employer and the employer's cost in the sheet's JSON.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

using varemo::test::Json;
using varemo::test::parseJson;

namespace {

using Result = varemo::test::CliResult;

Result cli(const varemo::test::TempDir& dir, const std::string& command,
           std::initializer_list<std::string> more) {
    std::vector<std::string> args = varemo::test::caseMonthArgs(dir.path(), command, 2020, 1);
    args.insert(args.end(), more);
    return varemo::test::runCli(args);
}

// A program folder with the shipped texts and the tariff files of 2019, for cases whose pay comes from
// the tables.
struct TariffFolder {
    varemo::test::TempDir dir;
    TariffFolder() {
        namespace fs = std::filesystem;
        const fs::path build(VAREMO_BUILD_DIR);
        fs::copy(build / "Texte", dir.path() / "Texte", fs::copy_options::recursive);
        fs::create_directory(dir.path() / "Tarife");
        for (const auto& entry : fs::directory_iterator(build / "Tarife"))
            if (entry.path().filename().string().starts_with("2019"))
                fs::copy(entry.path(), dir.path() / "Tarife" / entry.path().filename());
    }
    Result june2019(const std::string& command, const std::vector<std::string>& more) const {
        std::vector<std::string> args = varemo::test::caseMonthArgs(dir.path(), command, 2019, 6);
        args.push_back("--json");
        args.insert(args.end(), more.begin(), more.end());
        return varemo::test::runCli(args);
    }
};

const Json& lineStartingWith(const Json& view, const std::string& prefix) {
    for (const auto& line : view["lines"].array)
        if (line["label"].string.starts_with(prefix)) return line;
    ADD_FAILURE() << "no line " << prefix;
    static const Json none;
    return none;
}

} // namespace

TEST(PensionCli, AFundChosenOnLine27BringsItsEmployeeShareAndLine42StoresTheCodeOfItsEntry) {
    TariffFolder folder;
    // TVöD Bund (line 4 position 10) in the Bund, E13 (pay group 14), step 3 (line 8 position 2): 4.685,32.
    // A new case holds employee-share code 1 (0,01 %) and flat-tax limit choice 0 (89,48); choosing
    // "VBL Bund" sets the fund's share 1,81 % and the agreement's 92,03 of the West:
    //   share 4.685,32 × 1,81 % = 84,804292 → 84,80 (not 0,47)
    //   levy 4.685,32 × 6,45 % = 302,20 less 2 % × 6.700,00 = 134,00 tax-free: 168,20, of it 92,03
    //   flat-taxed.
    Result chosen = folder.june2019(
        "set", {"--line", "2=0", "--line", "4=10", "--key", "5=14", "--line", "8=2", "--line", "27=0"});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    Json sheet = parseJson(chosen.out);
    EXPECT_EQ(sheet["lines"][7]["amountCents"].integer(), 468532);
    EXPECT_EQ(sheet["keys"][41].integer(), 181);
    EXPECT_EQ(sheet["keys"][55].integer(), 1);
    EXPECT_EQ(sheet["lines"][41]["text"].string, "ATV-Betriebsrente 1,81 %");
    EXPECT_EQ(sheet["lines"][41]["amountCents"].integer(), -8480);
    Json zv = parseJson(folder.june2019("sheet", {"--detail", "zv"}).out);
    EXPECT_EQ(lineStartingWith(zv, "16.")["cents"].integer(), 9203);

    // Line 42's entries: the "lt. Eing." ones take the typed amount, as a deduction.
    struct Expected {
        std::vector<std::string> edits;
        int code;
        std::string text;
        long long cents;
    };
    for (const Expected& e :
         {Expected{
              {"--line", "42=2", "--amount", "41=50,00"}, 401, "Umlage ATV-Betriebsrente lt. Eing.", -5000},
          Expected{{"--line", "42=3"}, 402, "Beitrag ATV-Betriebsrente lt. Eing.", -5000},
          Expected{{"--line", "42=0"}, 0, "Kein Beitrag zur ATV-Betriebsrente", 0},
          Expected{{"--line", "42=1"}, 181, "ATV-Betriebsrente 1,81 %", -8480}}) {
        Result r = folder.june2019("set", e.edits);
        ASSERT_EQ(r.status, 0) << e.edits[1] << r.err;
        Json j = parseJson(r.out);
        EXPECT_EQ(j["keys"][41].integer(), e.code) << e.edits[1];
        EXPECT_EQ(j["lines"][41]["text"].string, e.text) << e.edits[1];
        EXPECT_EQ(j["lines"][41]["amountCents"].integer(), e.cents) << e.edits[1];
    }
    Result beyond = folder.june2019("set", {"--line", "42=4"});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_EQ(parseJson(beyond.out)["keys"][41].integer(), 181);

    // Viewing applies nothing: a code set directly stays as it is.
    ASSERT_EQ(folder.june2019("set", {"--key", "41=1"}).status, 0);
    Json viewed = parseJson(folder.june2019("sheet", {}).out);
    EXPECT_EQ(viewed["keys"][41].integer(), 1);
    EXPECT_EQ(viewed["lines"][41]["amountCents"].integer(), -47);
}

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
