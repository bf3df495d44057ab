// Contribution and levy rates the settings do not know, through varemo20-cli: the sheet's notices and the
// worksheets of the contributions (--detail sv) and the supplementary pension (--detail zv) name the
// missing rate and where it is entered, instead of showing a 0 as a result. A fund whose rates are
// shipped computes with them.

#include "support/program_folder.h"

#include <gtest/gtest.h>

using varemo::test::Json;

namespace {

// Case 1 in March 2020: `set` with edits, and the worksheets.
struct ProgramFolder : varemo::test::ProgramFolder {
    Json set(const varemo::test::Args& edits) const { return monthJson("set", 2020, 3, edits); }
    Json detail(const std::string& name) const { return monthJson("sheet", 2020, 3, {"--detail", name}); }
};

const Json* noticeTitled(const Json& notices, const std::string& title) {
    for (const Json& n : notices.array)
        if (n["title"].string == title) return &n;
    return nullptr;
}

} // namespace

TEST(CliRates, AHealthFundWithoutAKnownLevyRateIsNamedWhereTheLevyIsOwed) {
    ProgramFolder folder;
    // TVöD VKA in Niedersachsen, E10 step 4 in 03/2020: 4.299,65 (tvoed_vka.csv), at BARMER (33=1), whose
    // U2 rate for 2020 is not known (health-funds/funds.tsv). A public employer owes U2 but not U1
    // (§ 11 (1) AAG).
    Json sheet =
        folder.set({"--line", "4=12", "--line", "2=9", "--key", "5=11", "--line", "8=3", "--line", "33=1"});
    const std::string expected =
        "Für die Krankenkasse \"BARMER\" ist der Umlagesatz U2 für 03/2020 nicht bekannt.\n"
        "Die Umlage U2 wird deshalb mit 0,00 ausgewiesen.\n"
        "Tragen Sie den Satz in den Einstellungen unter \"Krankenkassen und Umlagen U1, "
        "U2, Insolvenz\" ein.";
    const Json* notice = noticeTitled(sheet["notices"], "Zeile 33");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ((*notice)["text"].string, expected);

    Json sv = folder.detail("sv");
    EXPECT_FALSE(sv["levies"]["u2RateKnown"].boolean);
    EXPECT_TRUE(sv["levies"]["u1RateKnown"].boolean); // not owed, so nothing is missing
    EXPECT_EQ(sv["levies"]["u2"]["cents"].integer(), 0);
    ASSERT_EQ(sv["notices"].array.size(), 1u);
    EXPECT_EQ(sv["notices"][0]["text"].string, expected);

    // Techniker Krankenkasse publishes U2 = 0,47 % for 2020: 4.299,65 × 0,47 % = 20,208355 → 20,21
    // (commercial rounding), and nothing is missing.
    Json tk = folder.set({"--line", "33=0"});
    EXPECT_EQ(noticeTitled(tk["notices"], "Zeile 33"), nullptr);
    Json svTk = folder.detail("sv");
    EXPECT_TRUE(svTk["levies"]["u2RateKnown"].boolean);
    EXPECT_EQ(svTk["levies"]["u2"]["cents"].integer(), 2021);
    EXPECT_TRUE(svTk["notices"].array.empty());
}

TEST(CliRates, APensionFundWithoutRatesIsNamedAndTheRhinelandFundLevies) {
    ProgramFolder folder;
    // TVöD VKA in Nordrhein-Westfalen, E10 step 4 in 03/2020: 4.299,65, insured with the Rheinische ZVK
    // (line 27 position 19). Its pay-as-you-go section: levy 4,25 % paid by the employer, restructuring
    // charge 3,5 % (RZVK statutes):
    //   4.299,65 × 4,25 % = 182,735125 → 182,74;  4.299,65 × 3,5 % = 150,48775 → 150,49.
    Json sheet =
        folder.set({"--line", "4=12", "--line", "2=10", "--key", "5=11", "--line", "8=3", "--line", "27=19"});
    EXPECT_EQ(noticeTitled(sheet["notices"], "Zeile 27"), nullptr);
    Json zv = folder.detail("zv");
    EXPECT_EQ(zv["lines"][8]["cents"].integer(), 429965); // 9. pay subject to the levy
    EXPECT_EQ(zv["lines"][10]["cents"].integer(), 18274); // 11. the employer's levy
    EXPECT_EQ(zv["lines"][27]["cents"].integer(), 15049); // 28. restructuring charge
    EXPECT_TRUE(zv["notices"].array.empty());

    // ZVK Westfalen-Lippe (position 20) ships no rates: its levy reads 0 and is named as missing.
    Json westphalia = folder.set({"--line", "27=20"});
    const std::string expected =
        "Für die Zusatzversorgungskasse \"ZVK Westfalen-Lippe\" sind für 03/2020 weder ein Umlagesatz noch "
        "ein Kapitalbeitrag bekannt.\n"
        "Umlage und Beiträge der Zusatzversorgung werden deshalb mit 0,00 ausgewiesen.\n"
        "Tragen Sie die Sätze in den Einstellungen unter \"Betriebliche Altersvorsorge (VBL, ZVK, ATV)\" "
        "ein.";
    const Json* notice = noticeTitled(westphalia["notices"], "Zeile 27");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ((*notice)["text"].string, expected);
    Json zvWestphalia = folder.detail("zv");
    EXPECT_EQ(zvWestphalia["lines"][10]["cents"].integer(), 0);
    ASSERT_EQ(zvWestphalia["notices"].array.size(), 1u);
    EXPECT_EQ(zvWestphalia["notices"][0]["text"].string, expected);
}
