// The calculator commands: results into the case through the transfer, inputs kept in the side files,
// and the JSON the commands print.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::Json;
using varemo::test::parseJson;
namespace fs = std::filesystem;

namespace {

struct Folder {
    test::TempDir dir;
    Folder() { test::copyShippedFiles(dir.path()); }

    test::CliResult run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--program-dir", dir.path().string()});
        return test::runCli(args);
    }
    Json json(const std::vector<std::string>& args, int expected = 0) const {
        const test::CliResult r = run(args);
        EXPECT_EQ(r.status, expected) << r.err;
        return parseJson(r.out);
    }
    static std::vector<std::string> at(const std::string& command, int year, int caseNumber, int month,
                                       std::initializer_list<std::string> more = {}) {
        std::vector<std::string> args = {command, "--year", std::to_string(year), "--set", "REAL", "--case"};
        args.insert(args.end(), {std::to_string(caseNumber), "--month", std::to_string(month), "--json"});
        args.insert(args.end(), more);
        return args;
    }
    const Json& line(const Json& sheet, int number) const {
        return sheet["lines"][static_cast<size_t>(number - 1)];
    }
    fs::path user(const std::string& file) const { return dir.path() / "User001" / file; }
};

} // namespace

// The BDA of § 28 BBesG worked by hand in the calculators' tests (birthday 15.05.1980, appointment
// 01.10.2016, two years of pay in the half phase): 01.09.2002. The transfer makes it the date of line 6
// ("Beginn der Stufe 1" of a federal civil servant) and runs the month: from 09/2002 to 03/2020 are 210
// months, step 6 of § 27 BBesG (2, 3, 3, 3, 4 years before it: 180 months).
TEST(CliCalculators, ServiceAgeTransferRunsTheMonthAndKeepsTheInputs) {
    Folder f;
    ASSERT_EQ(f.run({"new-case", "--year", "2020", "--count", "2"}).status, 0);
    ASSERT_EQ(f.run({"set", "--year", "2020", "--set", "REAL", "--case", "1", "--month", "3", "--line", "4=0",
                     "--line", "2=0"})
                  .status,
              0);
    Json r = f.json(Folder::at("service-age", 2020, 1, 3,
                               {"--birthday", "15.05.1980", "--appointment", "01.10.2016", "--half",
                                "01.09.2012,31.08.2014", "--transfer"}));
    EXPECT_EQ(r["bda"].string, "01.09.2002");
    EXPECT_EQ(r["postponement"]["months"].integer(), 4);
    EXPECT_TRUE(r["transferred"].boolean);
    const Json sheet = f.json(Folder::at("sheet", 2020, 1, 3));
    EXPECT_EQ(f.line(sheet, 6)["text"].string, "01.09.2002");
    EXPECT_EQ(f.line(sheet, 8)["key"].integer(), 5);

    // Opened again, the calculator finds its inputs in "bda.001"; looking changes nothing.
    const auto before = test::fileBytes(f.user("bda.001"));
    EXPECT_EQ(before.size(), 4u * 730u); // the record of 2020
    r = f.json(Folder::at("service-age", 2020, 1, 3));
    EXPECT_EQ(r["bda"].string, "01.09.2002");
    EXPECT_EQ(r["half"]["credited"]["years"].integer(), 2);
    EXPECT_EQ(test::fileBytes(f.user("bda.001")), before);

    // Step dates from the BDA; shortened by 6 months, steps 7 (+39,25) and 8 (+39,28) come half a year
    // earlier: 6 × 78,53 = 471,18.
    r = f.json(Folder::at("step-duration", 2020, 1, 3, {"--movement", "-6"}));
    EXPECT_EQ(r["legalBasis"].string, "§ 27 BBesG");
    EXPECT_EQ(r["steps"][7]["movedBegins"].string, "01.03.2025");
    EXPECT_TRUE(r["steps"][7]["final"].boolean);
    EXPECT_EQ(r["valueCents"].integer(), 47118);

    // A transfer that cannot be calculated changes nothing and says why.
    const test::CliResult refused =
        f.run(Folder::at("service-age", 2020, 2, 3, {"--birthday", "15.05.1980", "--transfer"}));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("fehlt der Tag der Ernennung"), std::string::npos);
    EXPECT_FALSE(fs::exists(f.user("bda.002")));

    // Experience periods before an appointment on 01.08.2018: 2015 in full (12 months) and 18 months at
    // half time (545 days × 50 % = 272 days = 9 months and 2 days, a started month counts): 22 months,
    // so step 1 runs from 01.10.2016, written into line 6 of case 2.
    r = f.json(Folder::at("step-duration", 2020, 2, 3,
                          {"--appointment", "01.08.2018", "--experience", "01.01.2015,31.12.2015",
                           "--experience", "01.01.2016,30.06.2017,50", "--transfer"}));
    EXPECT_EQ(r["creditedMonths"].integer(), 22);
    EXPECT_EQ(f.line(f.json(Folder::at("sheet", 2020, 2, 3)), 6)["text"].string, "01.10.2016");
}

// § 17 (4) TV-L as it stood until 2018: promoted from E7 step 4 (2.952,29 €) into the lowest step of E8
// with at least that pay, step 3 (2.964,19 €). 11,90 € more is below the guaranteed 80 € of groups 4 to 6
// (TV-L West), so 80 − 11,90 = 68,10 € are paid on line 9. The transfer writes group, step and amount.
// (Amounts: the shipped TV-L table of March 2018.)
TEST(CliCalculators, PromotionPaysTheGuaranteedAmountAndTransfersIt) {
    Folder f;
    ASSERT_EQ(f.run({"new-case", "--year", "2018"}).status, 0);
    ASSERT_EQ(f.run({"set", "--year", "2018", "--set", "REAL", "--case", "1", "--month", "3", "--line",
                     "4=11", "--line", "2=9", "--key", "5=6", "--date", "01.06.2011"})
                  .status,
              0);
    Json r = f.json(Folder::at("promotion", 2018, 1, 3));
    EXPECT_EQ(r["agreement"].string, "TV-L (West)");
    EXPECT_EQ(r["newGroup"].string, "E8");
    EXPECT_EQ(r["newStep"].integer(), 3);
    EXPECT_EQ(r["differenceCents"].integer(), 1190);
    EXPECT_EQ(r["guaranteeAllowanceCents"].integer(), 6810);
    EXPECT_FALSE(r["transferred"].boolean);
    // The months after: step 4 of E7 since 06/2017 (72 months after 01.06.2011) goes on to step 5 in
    // 06/2021 and step 6 in 06/2026; in E8 the running time starts with the promotion: step 4 after the
    // 3 years of step 3 (03/2021), step 5 after 4 more (03/2025), step 6 after 5 more (03/2030).
    const Json& following = r["following"];
    ASSERT_EQ(following.array.size(), 6u);
    EXPECT_EQ(following[1]["from"].string, "01.03.2021");
    EXPECT_EQ(following[1]["newStep"].integer(), 4);
    EXPECT_EQ(following[2]["from"].string, "01.06.2021");
    EXPECT_EQ(following[2]["oldStep"].integer(), 5);
    EXPECT_EQ(following[5]["from"].string, "01.03.2030");
    EXPECT_EQ(following[5]["newStep"].integer(), 6);

    r = f.json(Folder::at("promotion", 2018, 1, 3, {"--transfer"}));
    EXPECT_TRUE(r["transferred"].boolean);
    for (int month : {3, 12}) {
        const Json sheet = f.json(Folder::at("sheet", 2018, 1, month));
        EXPECT_EQ(f.line(sheet, 8)["amountCents"].integer(), 296419) << month;
        EXPECT_EQ(f.line(sheet, 9)["amountCents"].integer(), 6810) << month;
        EXPECT_EQ(f.line(sheet, 6)["key"].integer(), 2) << month; // "Nächster Stufenaufstieg (nur Info)"
        EXPECT_EQ(f.line(sheet, 6)["text"].string, "01.03.2021") << month;
    }
}

// Five days a week to June (26 weeks × 5 = 130 working days), three from July (26 × 3 = 78): D = 208,
// 30 × 208 / 260 = 24 (§ 26 (1) TVöD). The period lines are kept in the case's record of "Urlaub.020"
// from byte 51, 40 characters each.
TEST(CliCalculators, VacationPeriodLinesKeptInTheSideFile) {
    Folder f;
    ASSERT_EQ(f.run({"new-case", "--year", "2020", "--count", "2"}).status, 0);
    Json r = f.json(Folder::at("vacation", 2020, 2, 1,
                               {"--entitlement", "30", "--period", "01.07.2020,31.12.2020,78", "--period",
                                "01.01.2020,30.06.2020,130", "--save"}));
    EXPECT_EQ(r["workingDays"].integer(), 208);
    EXPECT_EQ(r["row6"].integer(), 24);
    const std::string stored = test::fileBytes(f.user("Urlaub.020"));
    ASSERT_EQ(stored.size(), 2 * 791u);
    EXPECT_EQ(std::string(stored.begin() + 791 + 51, stored.begin() + 791 + 131),
              "von 01.07.2020 bis 31.12.2020 = 78      von 01.01.2020 bis 30.06.2020 = 130     ");
    r = f.json(Folder::at("vacation", 2020, 2, 1));
    EXPECT_EQ(r["periods"][1].string, "von 01.01.2020 bis 30.06.2020 = 130");
    EXPECT_EQ(r["row6"].integer(), 24);

    // Periods that leave half the year out are refused, and nothing is written.
    const test::CliResult gap =
        f.run(Folder::at("vacation", 2020, 2, 1, {"--period", "01.01.2020,30.06.2020,130", "--save"}));
    EXPECT_EQ(gap.status, 1);
    EXPECT_NE(gap.err.find("lückenlos"), std::string::npos) << gap.err;
    EXPECT_EQ(test::fileBytes(f.user("Urlaub.020")), stored);
}

// Part of a year, from a JSON file: 29 days at four days a week = 23 (23,2); five full months 9,583 →
// 10 days (§ 5 (2) BUrlG); the statutory minimum for the same months 16 × 5 / 12 = 6,667 → 7.
TEST(CliCalculators, VacationFromAJsonFileAndKeptPerCase) {
    Folder f;
    const fs::path input = f.dir.path() / "urlaub.json";
    std::ofstream(input) << R"({"year": 2020, "entitlement": 29, "days-per-week": "4", "months": 5,
                              "previous-rest": "2,5", "taken": 4, "json": true})";
    Json r = f.json({"vacation", "--input", input.string()});
    EXPECT_EQ(r["row6"].integer(), 23);
    EXPECT_EQ(r["row9"].string, "9,583");
    EXPECT_EQ(r["row12"].integer(), 10);
    EXPECT_EQ(r["row13"].integer(), 7);
    EXPECT_EQ(r["row16Note"].string, "(lt. Zeile 12)");
    EXPECT_EQ(r["row19"].string, "8,500");

    // Saved for case 1 of 2020, the inputs come back from "Urlaub.020".
    ASSERT_EQ(f.run({"new-case", "--year", "2020"}).status, 0);
    ASSERT_EQ(f.run({"vacation", "--year", "2020", "--set", "REAL", "--case", "1", "--month", "1", "--input",
                     input.string(), "--save"})
                  .status,
              0);
    EXPECT_EQ(fs::file_size(f.user("Urlaub.020")), 791u);
    r = f.json(Folder::at("vacation", 2020, 1, 1));
    EXPECT_EQ(r["row12"].integer(), 10);
    EXPECT_EQ(r["row19"].string, "8,500");

    // Without an entitlement the age decides, and the case has no birthday.
    const test::CliResult missing = f.run({"vacation", "--year", "2020"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Für die Urlaubsberechnung ist der Geburtstag erforderlich."),
              std::string::npos);
}
