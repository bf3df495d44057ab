// The option texts of the tax and insurance lines through varemo20-cli: the lists of `options` and the
// chosen entry on the sheet, on a program folder with the shipped tariff and text files.

#include "support/program_folder.h"

#include <gtest/gtest.h>

using varemo::test::Json;

namespace {

struct ProgramFolder : varemo::test::ProgramFolder {
    Json options(int line, varemo::test::Args more = {}) const {
        varemo::test::Args args = {"options", "--line", std::to_string(line), "--year", "2020"};
        args.insert(args.end(), more.begin(), more.end());
        return json(args);
    }
};

std::string entry(const Json& j, size_t position) {
    return j["entries"][position]["text"].string;
}

} // namespace

TEST(CliOptions, TaxAndInsuranceListsOfANewCase) {
    ProgramFolder folder;
    // Line 34: 0-8 class I with 0 to 4 child allowances, 9-20 class II from 0.5, 21-33 class III from 0,
    // 34-46 class IV from 0, 47 V, 48 VI, 49 and 50 the flat rates, 51 and 52 the mini-job rates.
    Json tax = folder.options(34);
    ASSERT_EQ(tax["entries"].array.size(), 53u);
    EXPECT_EQ(entry(tax, 0), "Steuerklasse I, 0,0 Kinderfreibeträge");
    EXPECT_EQ(entry(tax, 9), "Steuerklasse II, 0,5 Kinderfreibeträge");
    EXPECT_EQ(entry(tax, 23), "Steuerklasse III, 1,0 Kinderfreibeträge");
    EXPECT_EQ(entry(tax, 46), "Steuerklasse IV, 6,0 Kinderfreibeträge");
    EXPECT_EQ(entry(tax, 47), "Steuerklasse V");
    EXPECT_EQ(entry(tax, 49), "pauschal 20 %");
    EXPECT_EQ(tax["text"].string, "Steuerklasse I / 0,0");

    // Line 36: 0 8 %, 1 9 %, 2 an entered amount (flat-rate taxation only), 3 none, 4 to 7 7 % to 4 %.
    Json church = folder.options(36);
    ASSERT_EQ(church["entries"].array.size(), 8u);
    EXPECT_EQ(entry(church, 1), "Kirchensteuer 9 %");
    EXPECT_EQ(entry(church, 3), "Keine Kirchensteuer");
    EXPECT_EQ(entry(church, 7), "Kirchensteuer 4 %");

    // Line 33: the year's funds (data/health-funds/funds.tsv, 2020) with their additional rate.
    Json funds = folder.options(33);
    ASSERT_EQ(funds["entries"].array.size(), 36u);
    EXPECT_EQ(entry(funds, 0), "Techniker Krankenkasse (0,70 %)");
    EXPECT_EQ(entry(funds, 1), "BARMER (1,10 %)");

    // Line 37: a new case's rate is list position 92, 10,00 % + 92 × 0,05 % = 14,60 %.
    Json health = folder.options(37);
    ASSERT_EQ(health["entries"].array.size(), 13u);
    EXPECT_EQ(entry(health, 0), "KV-Beitrag           14,60 % / 2");
    EXPECT_EQ(entry(health, 12), "AG-Zusch.freiw.ges.KV");
    // Line 39 in 2020: 2 × 9,3 % = 18,60 %; the mini-job top-up 18,60 − 15 = 3,60 %. Line 29 reads the
    // option-text file.
    EXPECT_EQ(entry(folder.options(39), 3), "RV. AN=3,60 %, AG = 15 %");
    EXPECT_EQ(entry(folder.options(29), 6), "Keine Konfession (ohne Kirchenst.)");
    EXPECT_EQ(entry(folder.options(11), 2), "Vermögensw. Leistungen 6,65 €"); // the run's 6,65 euros
}

TEST(CliOptions, TheSheetShowsTheChosenEntries) {
    ProgramFolder folder;
    const varemo::test::Args stored = {"--set", "REAL", "--case", "1", "--month", "3"};
    auto set = [&](varemo::test::Args edits) {
        edits.insert(edits.begin(), {"set", "--year", "2020"});
        edits.insert(edits.begin() + 3, stored.begin(), stored.end());
        return folder.json(edits);
    };
    // 4.000,00 euros a month in class I without child allowances: the church-tax base is the wage tax,
    // 679,33 × 9 % = 61,1397, truncated to 61,13.
    Json nine = set({"--amount", "7=4000", "--line", "36=1"});
    // A new case keeps the share key of a fund's rate, but without a fund it pays none and says so.
    EXPECT_EQ(nine["lines"][41]["text"].string, "Kein Beitrag zur ATV-Betriebsrente");
    EXPECT_EQ(nine["lines"][33]["text"].string, "Steuerklasse I / 0,0");
    EXPECT_EQ(nine["lines"][33]["amountCents"].integer(), -67933);
    EXPECT_EQ(nine["lines"][35]["text"].string, "Kirchensteuer 9 %");
    EXPECT_EQ(nine["lines"][35]["amountCents"].integer(), -6113);
    // Without a denomination (line 29 position 6) there is no church tax whatever line 36 says.
    Json none = set({"--line", "29=6"});
    EXPECT_EQ(none["lines"][35]["text"].string, "Keine Kirchensteuer");
    EXPECT_EQ(none["lines"][35]["amountCents"].integer(), 0);

    Json j = set({"--line", "34=23", "--line", "33=1", "--line", "38=2"});
    EXPECT_EQ(j["lines"][33]["text"].string, "Steuerklasse III / 1,0");
    EXPECT_EQ(j["lines"][32]["text"].string, "BARMER");
    // Saxony 2020: employee 1,525 + 0,5 = 2,025 % of 3,05 %.
    EXPECT_EQ(j["lines"][37]["text"].string, "PV Sachsen 2,025 % von 3,05");
    // The stored case's list marks the chosen fund.
    Json listed = folder.options(33, stored);
    EXPECT_EQ(listed["chosen"].integer(), 1);
    EXPECT_EQ(listed["text"].string, "BARMER");

    // Line 42 keeps a code; entry 1 names the employee's levy share of the fund of line 27: VBL, VKA,
    // West, from 07/2018 1,81 % (data/pension-funds/funds.csv).
    set({"--line", "4=12", "--line", "27=2"});
    Json share = folder.options(42, stored);
    EXPECT_EQ(share["key"].integer(), 181);
    EXPECT_EQ(share["chosen"].integer(), 1);
    EXPECT_EQ(entry(share, 1), "ATV-Betriebsrente 1,81 %");
}
