// varemo20-cli funds and sheet --detail sv.

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

Result cli(const varemo::test::TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--program-dir", dir.path().string()});
    return varemo::test::runCli(args);
}

std::vector<std::string> caseMonth(std::string command, std::vector<std::string> more) {
    std::vector<std::string> args{std::move(command), "--year", "2020",    "--set", "REAL",
                                  "--case",           "1",      "--month", "1"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

} // namespace

TEST(SocialInsuranceCli, FundsListsTheYearsTable) {
    varemo::test::TempDir dir;
    Result json = cli(dir, {"funds", "--year", "2021", "--json"});
    ASSERT_EQ(json.status, 0);
    Json j = parseJson(json.out);
    EXPECT_EQ(j["year"].integer(), 2021);
    EXPECT_EQ(j["insolvencyRateThousandths"].integer(), 120);
    ASSERT_EQ(j["funds"].array.size(), 36u);
    const Json& tk = j["funds"][0];
    EXPECT_EQ(tk["name"].string, "Techniker Krankenkasse");
    ASSERT_EQ(tk["months"].array.size(), 12u);
    EXPECT_EQ(tk["months"][0]["additional"].integer(), 120);
    EXPECT_EQ(tk["months"][8]["u1"].integer(), 220);
    EXPECT_EQ(tk["months"][9]["u1"].integer(), 160);
    EXPECT_EQ(tk["months"][0]["status"]["additional"].string, "verified");

    Result text = cli(dir, {"funds", "--year", "2021"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Techniker Krankenkasse"), std::string::npos);
    EXPECT_NE(text.out.find("Insolvenzgeldumlage 0,120 %"), std::string::npos);
    EXPECT_EQ(cli(dir, {"funds", "--year", "2016"}).status, 2);
}

TEST(SocialInsuranceCli, DetailSvShowsTheWorksheet) {
    varemo::test::TempDir dir;
    ASSERT_EQ(cli(dir, caseMonth("set", {"--amount", "12=3000"})).status, 0);
    Result json = cli(dir, caseMonth("sheet", {"--detail", "sv", "--json"}));
    ASSERT_EQ(json.status, 0);
    Json j = parseJson(json.out);
    ASSERT_TRUE(j["computed"].boolean);
    const long long pay = j["regularPayCents"].integer();
    ASSERT_GE(pay, 300000);
    // Whatever else the new case pays, RV is 9.3 % of it on each side and line 39 shows the employee's share.
    EXPECT_EQ(j["rv"]["employeeCents"].integer(), j["rv"]["employerCents"].integer());
    EXPECT_EQ(j["lines"]["39"].integer(), -j["rv"]["employeeCents"].integer());
    EXPECT_EQ(j["rv"]["employeeRate"].string, "9,30");
    EXPECT_EQ(j["kvAccount"]["monthCeilingCents"].integer(), 468750);
    EXPECT_EQ(j["levies"]["u3"]["liable"].boolean, false);

    Result text = cli(dir, caseMonth("sheet", {"--detail", "sv"}));
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("ungenutzte Krankenvers.-Beitragsbemessungsgrenze"), std::string::npos);
    EXPECT_NE(text.out.find("   somit rentenversicherungspflichtig"), std::string::npos);
    EXPECT_NE(text.out.find("Es besteht keine Umlagepflicht"), std::string::npos);
}

TEST(SocialInsuranceCli, ChoosingTheRegionSetsTheLandsDefaults) {
    varemo::test::TempDir dir;
    auto keysAfter = [&](const std::string& region) {
        Result r = cli(dir, caseMonth("set", {"--line", "2=" + region, "--json"}));
        EXPECT_EQ(r.status, 0) << r.err;
        Json j = parseJson(r.out);
        return std::array<long long, 2>{j["keys"][36].integer(), j["keys"][38].integer()};
    };
    // Line 36: 0 is 8 % (Baden-Württemberg 1, Bayern 2), 1 is 9 % (Nordrhein-Westfalen 10 and the rest);
    // line 38: Sachsen (13) takes the Saxony care kind 2 and gives it up again.
    EXPECT_EQ(keysAfter("10"), (std::array<long long, 2>{1, 0}));
    EXPECT_EQ(keysAfter("2"), (std::array<long long, 2>{0, 0}));
    EXPECT_EQ(keysAfter("13"), (std::array<long long, 2>{1, 2}));
    EXPECT_EQ(keysAfter("1"), (std::array<long long, 2>{0, 0}));
    // No church tax (3) is the user's choice and stays; so does a care kind without a Saxony form.
    ASSERT_EQ(cli(dir, caseMonth("set", {"--line", "36=3", "--line", "38=4"})).status, 0);
    EXPECT_EQ(keysAfter("13"), (std::array<long long, 2>{3, 4}));
    // A mere view changes nothing.
    ASSERT_EQ(cli(dir, caseMonth("set", {"--line", "2=10", "--line", "36=0"})).status, 0);
    Result view = cli(dir, caseMonth("sheet", {"--json"}));
    ASSERT_EQ(view.status, 0);
    EXPECT_EQ(parseJson(view.out)["keys"][36].integer(), 0);
}

TEST(SocialInsuranceCli, MarchClauseAttributesThePaymentToTheYearBefore) {
    varemo::test::TempDir dir;
    auto month = [](int year, int m, std::vector<std::string> more) {
        std::vector<std::string> args{"--year",  std::to_string(year), "--set", "REAL", "--case", "1",
                                      "--month", std::to_string(m)};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    auto set = [&](int year, int m, std::vector<std::string> more) {
        std::vector<std::string> args = month(year, m, std::move(more));
        args.insert(args.begin(), "set");
        return cli(dir, args).status;
    };
    auto detail = [&](int year, int m) {
        std::vector<std::string> args = month(year, m, {"--detail", "sv", "--json"});
        args.insert(args.begin(), "sheet");
        Result r = cli(dir, args);
        EXPECT_EQ(r.status, 0) << r.err;
        return parseJson(r.out);
    };

    // January 2020: 4000.00 a month and a one-time payment of 6000.00 (line 20). The year's unused KV
    // ceiling is 4687.50 − 4000.00 = 687.50, so by § 23a Abs. 4 SGB IV the payment belongs to December
    // 2019 if the employment existed then. Without stored months of 2019 it stays in January.
    ASSERT_EQ(set(2020, 1, {"--amount", "12=4000", "--amount", "19=6000"}), 0);
    Json alone = detail(2020, 1);
    EXPECT_TRUE(alone["marchClause"]["checked"].boolean);
    EXPECT_FALSE(alone["marchClause"]["attributed"].boolean);
    EXPECT_EQ(alone["marchClause"]["note"].string,
              "Nicht geprüft: keine gespeicherten Monate des Jahres 2019; "
              "die Einmalzahlung bleibt im laufenden Jahr.");
    EXPECT_EQ(alone["kvAccount"]["oneTimeAssessedCents"].integer(), 68750);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().rfind("V2019", 0), std::string::npos)
            << "looking back creates " << entry.path();
    EXPECT_EQ(alone["lines"]["37"].integer(), -35860); // 4687.50 × 7.65 % = 358.59375

    // 2019 paid 4000.00 in every month: of 12 × 4537.50 = 54450.00 it used 48000.00, leaving 6450.00, so
    // all 6000.00 pay contributions at the rates of 2019 (§ 23a Abs. 3 and 4 SGB IV):
    //   KV 7.3 % 438.00, additional 0.35 % 21.00, PV 1.525 % 91.50, RV 9.3 % 558.00, AV 1.25 % 75.00;
    // January's own pay at the rates of 2020: KV 292.00 + 14.00, PV 61.00, RV 372.00, AV 1.2 % 48.00.
    ASSERT_EQ(set(2019, 1, {"--amount", "12=4000"}), 0);
    Json j = detail(2020, 1);
    const Json& m = j["marchClause"];
    EXPECT_TRUE(m["attributed"].boolean);
    EXPECT_EQ(m["year"].integer(), 2019);
    EXPECT_EQ(m["month"].integer(), 12);
    EXPECT_EQ(m["kvAccount"]["unusedCents"].integer(), 645000);
    EXPECT_EQ(m["kvAccount"]["oneTimeAssessedCents"].integer(), 600000);
    EXPECT_EQ(m["av"]["employeeCents"].integer(), 7500);
    EXPECT_EQ(j["kvAccount"]["oneTimeAssessedCents"].integer(), 0);
    EXPECT_EQ(j["lines"]["37"].integer(), -76500);
    EXPECT_EQ(j["lines"]["38"].integer(), -15250);
    EXPECT_EQ(j["lines"]["39"].integer(), -93000);
    EXPECT_EQ(j["lines"]["40"].integer(), -12300);

    // April is past the clause: the payment meets April's own unused ceiling.
    ASSERT_EQ(set(2020, 4, {"--amount", "19=6000"}), 0);
    EXPECT_FALSE(detail(2020, 4)["marchClause"]["checked"].boolean);
}
