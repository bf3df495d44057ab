// Partial retirement through varemo20-cli: the top-ups of line 43, the side calculations of
// `partial-retirement --json` and the employer's cost, hand-calculated. Wage taxes are those of the
// year's flow chart (`lohnstr`), quoted in the comments.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using varemo::test::Json;
using varemo::test::parseJson;

using varemo::test::employerItem;

namespace {

struct Folder {
    varemo::test::TempDir dir;
    Folder() { varemo::test::copyShippedFiles(dir.path()); }

    Json run(const std::string& command, int year, std::vector<std::string> more = {}, int month = 3) const {
        std::vector<std::string> args = varemo::test::caseMonthArgs(dir.path(), command, year, month);
        args.push_back("--json");
        args.insert(args.end(), more.begin(), more.end());
        const varemo::test::CliResult r = varemo::test::runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return parseJson(r.out);
    }
    // An employee with 3,600.00 typed on line 8, no church, line 43 the computed top-up.
    Json employee(int year, std::vector<std::string> more) const {
        std::vector<std::string> edits = {"--amount", "7=3600", "--line", "29=6", "--line", "43=1"};
        edits.insert(edits.end(), more.begin(), more.end());
        return run("set", year, edits);
    }
};

} // namespace

TEST(CliPartialRetirement, AgreementWorkPhaseRaisesToEightyThreePercent) {
    Folder f;
    const Json sheet = f.employee(2020, {"--line", "23=2"});
    const Json r = f.run("partial-retirement", 2020);
    // 2020, class I, fund additional rate 0,70 %. Category "A": paid at half, 1,800.00.
    // § 5 (1) TV ATZ: 20 % × 1,800.00 = 360.00.
    // § 5 (2): no minimum-net table in 2020 (§ 15 AltTZG repealed), so 83 % of the flat-rate net of the
    // full-time gross 3,600.00: wage tax 567.00, solidarity surcharge 5.5 % = 31.18 (§ 4 SolZG, above
    // the limit of 81), church tax 8 % = 45.36, employee contributions at the year's rates
    // KV (7.3 + 0.55 average additional) 282.60 + PV 1.525 % 54.90 + RV 9.3 % 334.80 + AV 1.2 % 43.20 =
    // 715.50: net 2,240.96, 83 % = 1,860.00 (1,859.9968).
    // Part-time net of 1,800.00: tax 132.25, surcharge 7.27, church 10.58, contributions 357.75 =
    // 1,292.15. Raise 1,860.00 − 1,292.15 − 360.00 = 207.85; line 43: 567.85.
    EXPECT_EQ(r["agreement"]["twentyCents"].integer(), 36000);
    EXPECT_EQ(r["agreement"]["raise"]["fullTime"]["netCents"].integer(), 224096);
    EXPECT_EQ(r["agreement"]["raise"]["minimumNetCents"].integer(), 186000);
    EXPECT_EQ(r["agreement"]["raise"]["partTime"]["netCents"].integer(), 129215);
    EXPECT_EQ(r["agreement"]["raise"]["raiseCents"].integer(), 20785);
    // AtG beside it: 70 % × 2,240.96 = 1,568.67 < 1,292.15 + 360.00: no raise.
    EXPECT_EQ(r["atg"]["raise"]["minimumNetCents"].integer(), 156867);
    EXPECT_EQ(r["atg"]["raise"]["raiseCents"].integer(), 0);
    EXPECT_EQ(sheet["lines"][42]["text"].string, "ATZ-Aufstock. Arbeitsphase");
    EXPECT_EQ(sheet["lines"][42]["amountCents"].integer(), 56785);
    // Tax-free and free of contributions: the deductions are those of 1,800.00; the payout adds 567.85.
    EXPECT_EQ(sheet["lines"][33]["amountCents"].integer(), -13225);
    EXPECT_EQ(sheet["lines"][46]["amountCents"].integer(), 180000 - 13225 - 727 - 35415 + 56785);
    // § 5 (4) TV ATZ: 90 % × 3,600.00 − 1,800.00 = 1,440.00; § 3 (1) Nr. 1 b AltTZG: 80 % × 1,800.00 =
    // 1,440.00 (room to 90 % of 6,900.00: 4,410.00). 18,6 % × 1,440.00 = 267.84, employer alone.
    EXPECT_EQ(r["pension"]["differenceCents"].integer(), 144000);
    EXPECT_EQ(r["pension"]["rate"].string, "18,6");
    EXPECT_EQ(r["pension"]["contributionCents"].integer(), 26784);
    // The employer's cost: the top-up and the RV share 167.40 + 267.84.
    EXPECT_EQ(employerItem(sheet, " ATZ-Aufstockungsbetrag"), 56785);
    EXPECT_EQ(employerItem(sheet, " RV-AG-Anteil"), 16740 + 26784);
    // § 32b (1) Nr. 1 g EStG: 1,800.00 taxable + 567.85 top-up = 2,367.85; its wage tax 256.91 and
    // surcharge 14.13 (flow chart 2020, class I, KVZ 0.70) are 10.85 % and 0.60 % of it; on 567.85 that is
    // 567.85 × 256.91 / 2,367.85 = 61.61 and 567.85 × 14.13 / 2,367.85 = 3.39; no church: 65.00.
    const Json& p = r["progression"];
    EXPECT_EQ(p["totalCents"].integer(), 236785);
    EXPECT_EQ(p["wageTaxCents"].integer(), 25691);
    EXPECT_EQ(p["wageTaxRateHundredths"].integer(), 1085);
    EXPECT_EQ(p["extraWageTaxCents"].integer(), 6161);
    EXPECT_EQ(p["extraSurchargeCents"].integer(), 339);
    EXPECT_EQ(p["extraChurchTaxCents"].integer(), 0);
    EXPECT_EQ(p["extraTotalCents"].integer(), 6500);

    // A percentage of the settings ("Was wäre wenn"): 90 % × 2,240.96 = 2,016.86; raise 364.71.
    const varemo::test::CliResult set =
        varemo::test::runCli({"--program-dir", f.dir.path().string(), "settings", "set", "atz.tarifvertrag",
                              "90", "--year", "2020"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(f.run("partial-retirement", 2020)["agreement"]["raise"]["raiseCents"].integer(), 36471);
}

TEST(CliPartialRetirement, ReleasePhaseCategories) {
    Folder f;
    // Lines 13 to 15: 200.00 "F", 100.00 "a", 50.00 "g"; release phase of the TV ATZ.
    const Json sheet =
        f.employee(2020, {"--line", "23=3", "--amount", "12=200", "--amount", "13=100", "--amount", "14=50",
                          "--category", "13=F", "--category", "14=a", "--category", "15=g"});
    const Json r = f.run("partial-retirement", 2020);
    const Json& lines = r["lines"];
    EXPECT_EQ(lines[5]["category"].string, "F");
    EXPECT_EQ(lines[5]["paidCents"].integer(), 10000); // half
    EXPECT_EQ(lines[6]["paidCents"].integer(), 10000); // in full
    EXPECT_EQ(lines[7]["factor"].integer(), 0);        // "g" in the release phase
    EXPECT_EQ(lines[0]["category"].string, "A");       // a new case's lines
    // 20 % bases: "A" 1,800.00 + "a" 100.00; "F" and "g" enter none of them.
    EXPECT_EQ(r["atg"]["twentyBaseCents"].integer(), 190000);
    EXPECT_EQ(r["agreement"]["twentyCents"].integer(), 38000);
    // The raise to 83 %: full-time 3,600.00 + 100.00 + 50.00 ("g" enters it), part-time 1,900.00.
    EXPECT_EQ(r["agreement"]["raise"]["fullTime"]["grossCents"].integer(), 375000);
    EXPECT_EQ(r["agreement"]["raise"]["partTime"]["grossCents"].integer(), 190000);
    // RV: 90 % × 3,950.00 − 2,000.00 = 1,555.00 below 80 % × 2,000.00 = 1,600.00, the higher is paid:
    // 18,6 % = 297.60.
    EXPECT_EQ(r["pension"]["agreementDifferenceCents"].integer(), 155500);
    EXPECT_EQ(r["pension"]["contributionCents"].integer(), 29760);
    EXPECT_EQ(sheet["lines"][42]["text"].string, "ATZ-Aufstock. Freizeitphase");
    EXPECT_EQ(sheet["lines"][42]["amountCents"].integer(), r["topUpCents"].integer());
}

TEST(CliPartialRetirement, MinimumNetTablesWhileTheyAreLaw) {
    Folder f;
    f.employee(2019, {"--line", "23=2"});
    const Json r = f.run("partial-retirement", 2019);
    // Mindestnettobetrags-Verordnung 2008, row 3,600, class I: 1,437.37 (70 %).
    EXPECT_TRUE(r["atg"]["raise"]["fromTable"].boolean);
    EXPECT_EQ(r["atg"]["raise"]["minimumNetCents"].integer(), 143737);
    // The 83 % table holds no row: named, and no raise is invented.
    EXPECT_TRUE(r["agreement"]["raise"]["minimumNetCents"].isNull());
    EXPECT_NE(r["agreement"]["raise"]["missing"].string.find("MNET2.txt"), std::string::npos);
    EXPECT_EQ(r["agreement"]["raise"]["raiseCents"].integer(), 0);

    // 2017: the letter's rate 18,7 %: 18,7 % × 1,440.00 = 269.28.
    f.employee(2017, {"--line", "23=2"});
    const Json old = f.run("partial-retirement", 2017);
    EXPECT_EQ(old["pension"]["rate"].string, "18,7");
    EXPECT_EQ(old["pension"]["contributionCents"].integer(), 26928);
}

TEST(CliPartialRetirement, CivilServantSupplement) {
    Folder f;
    // Bund, A 10 step 1: 3,101.83 (bbesg_bund_a.csv "2020-03,A10,1,3101.83"), half 1,550.92.
    const Json sheet = f.run(
        "set", 2020, {"--line", "4=0", "--key", "5=9", "--line", "23=2", "--line", "43=1", "--line", "29=6"});
    const Json r = f.run("partial-retirement", 2020);
    // § 2 ATZV: fictitious full-time net 3,101.83 − wage tax 544.50 − surcharge 29.94 (5.5 %) − 8 %
    // church tax 43.56 = 2,483.83; 83 % = 2,061.58 (2,061.5789).
    // Net of 1,550.92: − 104.08 − 4.61 (20 % × (104.08 − 81), § 4 Satz 2 SolZG, below 5.5 % = 5.72)
    // − 8.32 = 1,433.91. Supplement 2,061.58 − 1,433.91 = 627.67; no pension contributions.
    EXPECT_TRUE(r["civilServant"].boolean);
    EXPECT_EQ(r["civil"]["fullTime"]["netCents"].integer(), 248383);
    EXPECT_EQ(r["civil"]["partTime"]["surchargeCents"].integer(), 461);
    EXPECT_EQ(r["civil"]["guaranteedNetCents"].integer(), 206158);
    EXPECT_EQ(r["civil"]["supplementCents"].integer(), 62767);
    EXPECT_EQ(r["pension"]["contributionCents"].integer(), 0);
    EXPECT_EQ(sheet["lines"][42]["amountCents"].integer(), 62767);
}

// tests/data/cases/partial-retirement-account: TV FlexAZ block model, TVöD VKA E10 step 4 (4,299.65 from
// March 2020), class I without church, VBL VKA (levy of the employer 6,45 %); working phase from March,
// release phase (line 43 "ATZ-Aufstock. Freizeitphase") from May.
TEST(CliPartialRetirement, FlexAgreementBlockModelWithWorkingTimeAccount) {
    Folder f;
    const auto edits = varemo::test::applyReferenceEdits(
        std::filesystem::path(VAREMO_TEST_DATA) / "cases" / "partial-retirement-account", f.dir.path());
    ASSERT_EQ(edits.failure, "");
    const Json sheet = f.run("sheet", 2020);
    const Json retirement = f.run("partial-retirement", 2020);
    const Json& a = retirement["account"];
    // § 7 (2) TV FlexAZ, working phase: 4,299.65 × 0,5 = 2,149.825, paid 2,149.82 (tie to the even cent);
    // the rest, 2,149.83, goes into the value account untaxed and free of contributions.
    EXPECT_EQ(a["agreement"].string, "TV-FlexAZ");
    EXPECT_EQ(a["lines"][0]["payCents"].integer(), 214982);
    EXPECT_EQ(a["creditCents"].integer(), 214983);
    EXPECT_EQ(sheet["lines"][22]["amountCents"].integer(), 214982);
    // § 15 (2) ATV-K: insured pay 1.8 × 2,149.82 = 3,869.68; levy 6,45 % = 249.59, of which liable to
    // contributions (§ 1 (1) Nr. 4a SvEV) 249.59 − 100.00 + 2,5 % × 3,869.68 (96.74) − 13.30 = 233.03.
    EXPECT_EQ(a["fund"]["raisedCents"].integer(), 386968);
    // Regular pay (§ 6 (1) AltTZG) 2,149.82 + 233.03 = 2,382.85; § 7 (3) TV FlexAZ: 20 % = 476.57.
    EXPECT_EQ(a["pension"]["regularCents"].integer(), 238285);
    EXPECT_EQ(a["topUpCents"].integer(), 47657);
    // § 3 (1) Nr. 1 b AltTZG: 80 % × 2,382.85 = 1,906.28 within 90 % × 6,900.00 − 2,382.85 = 3,827.15;
    // 18,6 % = 354.57, employer alone (§ 168 (1) Nr. 6 SGB VI).
    EXPECT_EQ(a["pension"]["roomCents"].integer(), 382715);
    EXPECT_EQ(a["pension"]["baseCents"].integer(), 190628);
    EXPECT_EQ(a["pension"]["contributionCents"].integer(), 35457);
    // Tax-free and free of contributions (§ 3 Nr. 28 EStG): wage tax of 2,149.82 alone (207.66, flow chart
    // 2020); payout 2,149.82 − 207.66 − 11.42 − 182.29 − 36.34 − 221.61 − 28.59 − 70.04 + 476.57.
    EXPECT_EQ(sheet["lines"][42]["amountCents"].integer(), 47657);
    EXPECT_EQ(sheet["lines"][33]["amountCents"].integer(), -20766);
    EXPECT_EQ(sheet["lines"][46]["amountCents"].integer(), 186844);
    // The employer's cost holds the top-up and, with its RV share 221.61, the additional 354.57.
    EXPECT_EQ(employerItem(sheet, " ATZ-Aufstockungsbetrag"), 47657);
    EXPECT_EQ(employerItem(sheet, " RV-AG-Anteil"), 22161 + 35457);

    // Release phase, May: the partial-retirement pay at the month's amounts, 2,149.82, is withdrawn; the
    // account holds the credits of March and April, 2 × 2,149.83; top-up and pension top-up go on.
    const Json mayRetirement = f.run("partial-retirement", 2020, {}, 5);
    const Json& may = mayRetirement["account"];
    EXPECT_TRUE(may["releasePhase"].boolean);
    EXPECT_EQ(may["withdrawalCents"].integer(), 214982);
    EXPECT_EQ(may["creditCents"].integer(), 0);
    EXPECT_EQ(may["earlierMonthsCents"].integer(), 429966);
    EXPECT_EQ(may["topUpCents"].integer(), 47657);
    // June, in equal monthly rates: 4,299.66 − 2,149.82 = 2,149.84 are left before its withdrawal.
    EXPECT_EQ(f.run("partial-retirement", 2020, {}, 6)["account"]["earlierMonthsCents"].integer(), 214984);
}

TEST(CliPartialRetirement, AgreementFileMissingOrDamagedIsNamed) {
    Folder f;
    ASSERT_EQ(varemo::test::applyReferenceEdits(std::filesystem::path(VAREMO_TEST_DATA) / "cases" /
                                                    "partial-retirement-account",
                                                f.dir.path())
                  .failure,
              "");
    const std::filesystem::path file = f.dir.path() / "tvflex.pcg";
    std::filesystem::remove(file);
    Json sheet = f.run("sheet", 2020);
    ASSERT_EQ(sheet["notices"].array.size(), 1u);
    EXPECT_EQ(sheet["notices"][0]["title"].string, "Zeile 23");
    EXPECT_EQ(sheet["notices"][0]["text"].string,
              "Die Datei tvflex.pcg fehlt im Programmordner; die Altersteilzeit nach TV-FlexAZ (Zeile 23) "
              "wird nicht berechnet.");
    EXPECT_EQ(sheet["lines"][42]["amountCents"].integer(), 0);
    std::ofstream(file, std::ios::binary) << std::string(31, '\0');
    sheet = f.run("sheet", 2020);
    EXPECT_EQ(sheet["notices"][0]["text"].string,
              "Die Datei tvflex.pcg im Programmordner ist beschädigt (Satz 1); die Altersteilzeit nach "
              "TV-FlexAZ (Zeile 23) wird nicht berechnet.");
}
