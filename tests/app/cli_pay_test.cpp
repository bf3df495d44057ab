// End-to-end tests of the pay lines through varemo20-cli, on a temporary program folder that holds the
// shipped tariff and text files. Expected amounts are cells of data/paytables/*.csv, quoted.

#include "support/program_folder.h"

#include <fstream>
#include <gtest/gtest.h>

using varemo::test::Json;
using varemo::test::parseJson;
using varemo::test::ProgramFolder;

namespace {

using Result = varemo::test::CliResult;

Result run(const std::vector<std::string>& args) {
    return varemo::test::runCli(args);
}

// `set --json` of a month of case 1 with the edits.
std::vector<std::string> set(const ProgramFolder& f, int month, std::vector<std::string> edits,
                             int year = 2020) {
    edits.insert(edits.begin(), "--json");
    return f.month("set", year, month, edits);
}

Json runJson(const std::vector<std::string>& args) {
    Result r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return parseJson(r.out);
}

} // namespace

TEST(CliPay, SetShowsThePublishedBasicPayOnLineEight) {
    ProgramFolder folder;
    // TVöD VKA in Niedersachsen, E10 (position 11), step 4 (position 3).
    Json feb = runJson(set(folder, 2, {"--line", "4=12", "--line", "2=9", "--key", "5=11", "--line", "8=3"}));
    EXPECT_EQ(feb["lines"][1]["text"].string, "Niedersachsen");
    EXPECT_EQ(feb["lines"][3]["text"].string, "TVöD VKA");
    EXPECT_EQ(feb["lines"][7]["text"].string, "Entgeltstufe 4 (dauert idR 48 Mon.)");
    EXPECT_EQ(feb["lines"][7]["amountCents"].integer(), 423832); // tvoed_vka.csv "2019-04,E10,4,4238.32"
    EXPECT_EQ(feb["lines"][20]["amountCents"].integer(), 423832);
    // The edit was carried into the following months; March reads the raised table.
    Json mar = runJson(set(folder, 3, {}));
    EXPECT_EQ(mar["lines"][7]["amountCents"].integer(), 429965); // "2020-03,E10,4,4299.65"
}

TEST(CliPay, ReferenceDateAndFamilyAllowanceOfAFederalCivilServant) {
    ProgramFolder folder;
    Json j = runJson(
        set(folder, 4,
            {"--line", "4=0", "--line", "2=0", "--key", "5=8", "--date", "01.01.2015", "--line", "10=2"}));
    EXPECT_EQ(j["lines"][3]["text"].string, "Besoldungsordnung A");
    EXPECT_EQ(j["lines"][7]["text"].string, "Grundgehalt Erfahrungsstufe 3");
    EXPECT_EQ(j["lines"][7]["amountCents"].integer(), 314239); // bbesg_bund_a.csv "2020-03,A9,3,3142.39"
    EXPECT_EQ(j["lines"][9]["text"].string, "Verheiratet, 1 Kind");
    EXPECT_EQ(j["lines"][9]["amountCents"].integer(),
              27702); // bund_familienzuschlag.csv "2020-03,STUFE2,0,277.02"
}

TEST(CliPay, ChangingAComputedStepAsksAndNoKeepsIt) {
    ProgramFolder folder;
    Result r =
        run(set(folder, 3, {"--line", "4=10", "--key", "5=8", "--date", "01.01.2015", "--line", "8=5"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("[Berechnung der Grundgehaltsstufen ausschalten?]"), std::string::npos) << r.err;
    Json j = parseJson(r.out);
    EXPECT_EQ(j["keys"][7].integer(), 2);
    EXPECT_EQ(j["lines"][7]["amountCents"].integer(), 325435); // tvoed_bund.csv "2020-03,E9a,3,3254.35"
}

TEST(CliPay, TariffPrintsTheRecordAndCatalogueTheServiceRelationships) {
    ProgramFolder folder;
    const auto tariff = [&](std::vector<std::string> keys) {
        keys.insert(keys.begin(), {"tariff", "--year", "2020"});
        return keys;
    };
    Json row =
        folder.json(tariff({"--month", "3", "--region", "3", "--relationship", "12", "--group", "11"}));
    EXPECT_EQ(row["record"].integer(), 3 * 440 + 200 + 11);
    ASSERT_EQ(row["entries"].array.size(), 27u);
    EXPECT_EQ(row["entries"][3].integer(), 429965); // tvoed_vka.csv "2020-03,E10,4,4299.65"
    EXPECT_TRUE(row["hasAmount"][5].boolean);       // E10 has six steps ...
    EXPECT_FALSE(row["hasAmount"][6].boolean);      // ... and no seventh
    // Each amount names the table file and block it was built from.
    EXPECT_EQ(row["sources"][3]["table"].string, "tvoed_vka.csv");
    EXPECT_EQ(row["sources"][3]["block"].string, "2020-03");
    EXPECT_EQ(row["sources"][3]["group"].string, "E10");
    EXPECT_EQ(row["sources"][3]["step"].integer(), 4);
    EXPECT_EQ(row["sources"][3]["shippedCents"].integer(), 429965);
    EXPECT_TRUE(row["sources"][6].isNull());
    Result text =
        folder.run(tariff({"--month", "3", "--region", "7", "--relationship", "11", "--group", "16"}));
    EXPECT_NE(text.out.find("tvh.csv, Block ab 2020-02, E9a Stufe 3"), std::string::npos) << text.out;
    {
        // An amount changed in the file after shipping (as the tariff editor does) is told apart:
        // record 1531, entry 3 at byte (1531 - 1) x 108 + 3 x 4, 4.400,00 little-endian.
        std::fstream file(folder.dir.path() / "Tarife" / "20203.ttt",
                          std::ios::in | std::ios::out | std::ios::binary);
        file.seekp((3 * 440 + 200 + 11 - 1) * 108 + 3 * 4);
        const unsigned char cents[] = {0xC0, 0xB6, 0x06, 0x00}; // 440000
        file.write(reinterpret_cast<const char*>(cents), sizeof cents);
    }
    Result changed =
        folder.run(tariff({"--month", "3", "--region", "3", "--relationship", "12", "--group", "11"}));
    EXPECT_NE(
        changed.out.find("4.400,00  geändert, ausgeliefert 4.299,65 aus tvoed_vka.csv, Block ab 2020-03, "
                         "E10 Stufe 4"),
        std::string::npos)
        << changed.out;
    Json odd = folder.json(tariff({"--month", "3", "--region", "3", "--relationship", "9", "--group", "5"}));
    EXPECT_EQ(odd["record"].integer(), 1465);
    Json none =
        folder.json(tariff({"--month", "3", "--region", "3", "--relationship", "26", "--group", "0"}));
    EXPECT_TRUE(none["record"].isNull());
    EXPECT_EQ(
        folder.run(tariff({"--month", "13", "--region", "0", "--relationship", "0", "--group", "0"})).status,
        2);

    Json catalogue = runJson({"catalogue", "--json"});
    ASSERT_EQ(catalogue.array.size(), 39u);
    EXPECT_EQ(catalogue[10]["name"].string, "TVöD Bund");
    EXPECT_EQ(catalogue[10]["tables"][0].string, "tvoed_bund");
    EXPECT_EQ(catalogue[10]["groups"][8].string, "E9a");
    // The federal B, C, W and R grades, TV-L nursing and social service, and TV-L/TV-H draw on tables.
    for (int code : {1, 2, 3, 4, 8, 9, 11})
        EXPECT_NE(catalogue[static_cast<size_t>(code)]["tables"][0].string, "bund_familienzuschlag") << code;
    EXPECT_EQ(catalogue[11]["tables"][1].string, "tvh");
}

TEST(CliPay, AGroupTheTableNoLongerHasIsNamedAndTheCaseKeepsIt) {
    ProgramFolder folder;
    // TV-L in Niedersachsen, E9 (position 8), step 3 (position 2) in 2018: tvl.csv "2018-01,E9,3,3172.55".
    Json y2018 =
        runJson(set(folder, 1, {"--line", "4=11", "--line", "2=9", "--key", "5=8", "--line", "8=2"}, 2018));
    EXPECT_EQ(y2018["lines"][7]["amountCents"].integer(), 317255);
    EXPECT_TRUE(y2018["notices"].array.empty());
    ASSERT_EQ(folder.run({"--answer", "yes", "transfer", "--year", "2018", "--case", "1"}).status, 0);

    // From 2019 the table splits E9 into E9a and E9b: line 8 has no amount, which the sheet names; the
    // case keeps its group and step, and viewing it changes no file.
    // The start-up of the next command opens the case files of the year last shown (creating them
    // empty); a view of 2018 does that first, so that only the view of 2019 is measured.
    ASSERT_EQ(run(folder.month("sheet", 2018, 1)).status, 0);
    const auto before = varemo::test::filesBelow(folder.dir.path());
    Json y2019 = folder.sheet(2019, 1);
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(folder.dir.path())),
              std::vector<std::string>{});
    EXPECT_EQ(y2019["keys"][5].integer(), 8);
    EXPECT_EQ(y2019["keys"][7].integer(), 2);
    EXPECT_EQ(y2019["lines"][7]["amountCents"].integer(), 0);
    const std::string expected =
        "Für TV-L / TV-H, Niedersachsen, Monat 01/2019, Entgeltgruppe E9, Stufe 3 enthält die "
        "Entgelttabelle keinen Betrag.\n"
        "Zeile 8 zeigt deshalb 0,00; die Auswahl des Falles bleibt, wie sie ist.\n"
        "Wählen Sie in Zeile 4 die Entgeltgruppe E9a oder E9b.";
    ASSERT_EQ(y2019["notices"].array.size(), 1u);
    EXPECT_EQ(y2019["notices"][0]["title"].string, "Zeile 8");
    EXPECT_EQ(y2019["notices"][0]["text"].string, expected);
    ASSERT_EQ(y2019["messages"].array.size(), 1u); // told through the prompter as well
    EXPECT_EQ(y2019["messages"][0]["text"].string, expected);

    // Choosing E9a (position 16) takes its amount: "2019-01,E9a,3,3177.31".
    Json e9a = runJson(set(folder, 1, {"--key", "5=16"}, 2019));
    EXPECT_EQ(e9a["lines"][7]["amountCents"].integer(), 317731);
    EXPECT_TRUE(e9a["notices"].array.empty());
}

// A payment typed into lines 18 to 20 is paid in the month it was typed into. An edit carried into the
// following months leaves their own payments as they are: January 3,100.00 on line 13 and 2,500.00 on
// line 20, March its own 1,000.00 on line 20, every other month none. Year gross
// 12 × 3,100.00 + 2,500.00 + 1,000.00 = 40,700.00 (not 12 × 5,600.00 = 67,200.00).
// A month whose line 19 computes the annual payment keeps nothing of it as a typed amount when January
// switches the line to a typed payment.
TEST(CliPay, ATypedPaymentStaysInItsMonth) {
    ProgramFolder folder;
    const auto sheet = [&](int month) { return folder.sheet(2020, month); };
    runJson(set(folder, 1, {"--line", "13=0", "--amount", "12=3000"}));
    runJson(set(folder, 3, {"--amount", "19=1000"}));
    runJson(set(folder, 1, {"--amount", "19=2500"}));
    runJson(set(folder, 1, {"--amount", "12=3100"})); // carried again: the payments stay where they are
    long long year = 0;
    for (int month = 1; month <= 12; ++month) {
        Json m = sheet(month);
        EXPECT_EQ(m["lines"][12]["amountCents"].integer(), 310000) << month;
        const long long payment = month == 1 ? 250000 : (month == 3 ? 100000 : 0);
        EXPECT_EQ(m["lines"][19]["amountCents"].integer(), payment) << month;
        year += m["lines"][22]["amountCents"].integer();
    }
    EXPECT_EQ(year, 4070000);

    // TVöD VKA E10 step 4 in Niedersachsen: November pays the computed annual payment of line 19.
    runJson(set(folder, 1,
                {"--line", "4=12", "--line", "2=9", "--key", "5=11", "--line", "8=3", "--line", "19=0"}));
    ASSERT_GT(sheet(11)["lines"][18]["amountCents"].integer(), 0);
    runJson(set(folder, 1, {"--line", "19=1", "--amount", "18=1000"})); // "Jahressonderzahlung lt. Eingabe"
    EXPECT_EQ(sheet(1)["lines"][18]["amountCents"].integer(), 100000);
    for (int month = 2; month <= 12; ++month)
        EXPECT_EQ(sheet(month)["lines"][18]["amountCents"].integer(), 0) << month;
}
