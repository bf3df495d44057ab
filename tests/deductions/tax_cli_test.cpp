// Wage tax of whole case-months through varemo20-cli, on a program folder with the shipped tariff and text
// files: the sheet (--json) and the worksheet (--detail tax --json), against hand calculations.

#include "support/program_folder.h"

#include <cmath>
#include <gtest/gtest.h>

using varemo::test::Json;
using varemo::test::lineCents;

namespace {

// Case 1 of REAL in one year: set (with edits) or sheet of month 1 to 12.
struct ProgramFolder : varemo::test::ProgramFolder {
    int year;
    explicit ProgramFolder(int y) : year(y) {}
    Json run(const std::string& command, int m, const varemo::test::Args& more = {}) const {
        return monthJson(command, year, m, more);
    }
    // Runs the month (set without edits) and returns its sheet.
    Json month(int m) const { return run("set", m); }
    Json taxDetail(int m) const { return run("sheet", m, {"--detail", "tax"}); }
};

long long stepCents(const Json& detail, int step) {
    return std::llround(detail["steps"][static_cast<size_t>(step - 1)]["amount"].number * 100);
}

} // namespace

// TVöD VKA, Bayern, E6 step 4 in 2017, class III with 2 child allowances, church tax 8 %; the annual
// special payment of November is 2,319.97 and the year's current pay without it 33,865.20 (step 24).
// The flow chart's one-time payment (KVZ 1.00, KRV 0, 2017):
//   without: Vorsorgepauschale pension part 33,865.20 × 0.68 = 23,028.33 × 0.0935 = 2,153.14, health and
//     care 33,865.20 × (0.08 + 0.01275) = 3,140.99, together 5,294.13 → 5,295 (above 2,153.14 + 3,000
//     → 5,154); taxable income 33,865.20 − 1,000 − 36 − 5,295 = 27,534.20; class III halves it: X =
//     13,767, Y = 0.4947, (1,007.27 Y + 1,400) Y = 939.08 → 939, × 2 = 1,878
//   with 36,185.17: 24,605.91 × 0.0935 = 2,300.65, 3,356.17, together 5,656.82 → 5,657; taxable income
//     29,492.17; X = 14,746, Y = (14,746 − 13,769) / 10,000 = 0.0977, (223.76 Y + 2,397) Y + 939.57 =
//     1,175.89 → 1,175, × 2 = 2,350
//   tax on the payment STS = 2,350 − 1,878 = 472.00; surcharge SOLZS = 5.5 % of 472.00 = 25.96 (§ 3 (4)
//   SolZG: no exemption limit on one-time payments before 2021, no child allowances); church tax on
//   BKS = 472.00 at 8 % = 37.76.
// The difference of two annual surcharges with the child allowances (2 × 7,356) gave 0 and 0: both
// bases lie below the basic allowance.
TEST(TaxCli, SurchargeAndChurchTaxOfAOneTimePaymentAreTheFlowChartsOwn) {
    ProgramFolder folder(2017);
    folder.run("set", 1,
               {"--line", "2=2", "--line", "4=12", "--key", "5=5", "--line", "8=3", "--line", "34=25",
                "--line", "36=0", "--line", "19=0"});
    const Json november = folder.month(11);
    const Json w = folder.taxDetail(11);
    EXPECT_EQ(stepCents(w, 12), 231997);
    EXPECT_EQ(stepCents(w, 24), 3386520);
    EXPECT_EQ(stepCents(w, 28), 187800);
    EXPECT_EQ(stepCents(w, 29), 235000);
    EXPECT_EQ(stepCents(w, 30), 47200);
    EXPECT_EQ(stepCents(w, 31), 2596);
    EXPECT_EQ(stepCents(w, 32), 3776);
    // The current pay of 2,827.51 bears no surcharge and no church tax in class III with 2 children.
    EXPECT_EQ(stepCents(w, 17), 0);
    EXPECT_EQ(stepCents(w, 18), 0);
    EXPECT_EQ(lineCents(november, 34), -(stepCents(w, 16) + 47200));
    EXPECT_EQ(lineCents(november, 35), -2596);
    EXPECT_EQ(lineCents(november, 36), -3776);
}

// The corona payment of December 2020 (TVöD VKA E5: 600.00) is free of wage tax under § 3 Nr. 11a EStG
// and therefore no pay for the contributions (§ 1 (1) SvEV) and none for the supplementary pension
// (§ 15 (2) ATV-K: the taxable pay). The month of 2,900.74 plus 600.00 is taxed and insured as 2,900.74
// alone: the same wage tax, surcharge, church tax and contributions as without the payment.
TEST(TaxCli, CoronaPaymentOf2020IsFreeOfTaxContributionsAndLevy) {
    ProgramFolder folder(2020);
    folder.run("set", 1,
               {"--line", "2=9", "--line", "4=12", "--key", "5=4", "--line", "8=3", "--line", "20=3"});
    const Json with = folder.month(12);
    EXPECT_EQ(lineCents(with, 20), 60000);
    EXPECT_EQ(lineCents(with, 23), 350074);
    const Json w = folder.taxDetail(12);
    EXPECT_EQ(stepCents(w, 2), 60000);
    EXPECT_EQ(stepCents(w, 10), 290074);
    EXPECT_EQ(stepCents(w, 12), 0);
    for (int step = 28; step <= 32; ++step)
        EXPECT_EQ(stepCents(w, step), 0) << step;
    const Json sv = folder.run("sheet", 12, {"--detail", "sv"});
    EXPECT_EQ(sv["regularPayCents"].integer(), 290074);
    EXPECT_EQ(sv["oneTimePayCents"].integer(), 0);
    const Json zv = folder.run("sheet", 12, {"--detail", "zv"});
    EXPECT_EQ(zv["lines"][1]["cents"].integer(), 60000) << "2. - davon umlagefreie";

    const Json without = folder.run("set", 12, {"--line", "20=8"}); // "nicht belegt"
    EXPECT_EQ(lineCents(without, 20), 0);
    for (int line = 34; line <= 40; ++line)
        EXPECT_EQ(lineCents(with, line), lineCents(without, line)) << line;
    EXPECT_EQ(lineCents(with, 47) - lineCents(without, 47), 60000);
}

// The payment of 2018 (TVöD Bund E5: 250.00) is ordinary taxable pay and one-time pay for the
// contributions; for the supplementary pension line 20's own flag decides (its "Z" is off).
TEST(TaxCli, OneTimePaymentOf2018IsTaxedAndInsured) {
    ProgramFolder folder(2018);
    folder.run("set", 1, {"--line", "2=0", "--line", "4=10", "--key", "5=4", "--line", "8=3"});
    folder.run("set", 12, {"--line", "20=3"});
    const Json w = folder.taxDetail(12);
    EXPECT_EQ(stepCents(w, 12), 25000);
    EXPECT_GT(stepCents(w, 30), 0);
    EXPECT_EQ(folder.run("sheet", 12, {"--detail", "sv"})["oneTimePayCents"].integer(), 25000);
    const Json zv = folder.run("sheet", 12, {"--detail", "zv"});
    EXPECT_EQ(zv["lines"][1]["cents"].integer(), 25000) << "2. - davon umlagefreie";
}

// 3,100.00 on line 13 in January 2017, 15 of 31 days: the pay is 1,500.00 either way. Line 23 position 0
// (the employment begins or ends) taxes 100.00 a calendar day (LZZ 4) times 15 days; position 7 (unpaid
// days of a continuing employment) taxes the month's 1,500.00. The contributions do not depend on it.
TEST(TaxCli, PartialMonthByDaysOrByTheMonth) {
    ProgramFolder folder(2017);
    const std::vector<std::string> month = {"--amount", "12=3100", "--line",   "36=1",
                                            "--amount", "2=31",    "--amount", "3=15"};
    const Json byDays = folder.run("set", 1, month);
    EXPECT_EQ(lineCents(byDays, 23), 150000);
    const Json days = folder.taxDetail(1);
    EXPECT_EQ(days["steps"][14]["label"].string, "15. Nr. 14 / 15 Tage = je Kalendertag");
    EXPECT_EQ(stepCents(days, 15), 10000);
    EXPECT_EQ(stepCents(days, 16) % 15, 0) << "a day's tax times 15";
    EXPECT_EQ(lineCents(byDays, 34), -stepCents(days, 16));
    EXPECT_EQ(lineCents(byDays, 35), -stepCents(days, 18));
    EXPECT_EQ(lineCents(byDays, 36), -stepCents(days, 17));

    const Json continuing = folder.run("set", 1, {"--line", "23=7"});
    EXPECT_EQ(continuing["lines"][22]["text"].string, "Tage v. normal (Arbeitsverh. läuft)");
    EXPECT_EQ(lineCents(continuing, 23), 150000);
    const Json whole = folder.taxDetail(1);
    EXPECT_EQ(stepCents(whole, 15), 150000);
    EXPECT_EQ(lineCents(continuing, 34), -stepCents(whole, 16));
    EXPECT_NE(lineCents(continuing, 34), lineCents(byDays, 34));
    for (int line = 37; line <= 40; ++line)
        EXPECT_EQ(lineCents(continuing, line), lineCents(byDays, line)) << line;
    EXPECT_EQ(folder.run("sheet", 1, {"--detail", "sv"})["svDays"].integer(), 15);
}
