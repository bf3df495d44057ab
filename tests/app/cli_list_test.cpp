// The command list end to end. Golden lists: a folder of tests/data/cases with list-K.txt files holds a
// payroll office's cases (edits.txt, support/cli_runner.h) and the expected `list --kind K --text`;
// "-mM" in the name gives the month, "-cN" the case (list-50-m11.txt, list-44-c1.txt).
// VAREMO_UPDATE_GOLDEN=1 writes the expected files anew instead of comparing.
#include "support/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>

namespace fs = std::filesystem;
using varemo::test::CliResult;
using varemo::test::Json;
using varemo::test::parseJson;
using varemo::test::runCli;

using varemo::test::employerItem;
using varemo::test::lineCents;

namespace {

const char* const kToday = "07.12.2020";
const char* const kOffice = "payroll-office-2020";

struct Office {
    varemo::test::TempDir dir;
    explicit Office(const fs::path& folder = fs::path(VAREMO_TEST_DATA) / "cases" / kOffice) {
        varemo::test::copyShippedFiles(dir.path());
        const varemo::test::ReferenceEdits edits = varemo::test::applyReferenceEdits(folder, dir.path());
        EXPECT_EQ(edits.failure, "");
    }
    CliResult list(int kind, std::vector<std::string> more) const {
        std::vector<std::string> a = {"--program-dir",
                                      dir.path().string(),
                                      "list",
                                      "--kind",
                                      std::to_string(kind),
                                      "--year",
                                      "2020",
                                      "--set",
                                      "REAL",
                                      "--today",
                                      kToday};
        a.insert(a.end(), more.begin(), more.end());
        return runCli(a);
    }
    Json json(int kind, std::vector<std::string> more) const {
        more.push_back("--json");
        const CliResult r = list(kind, more);
        EXPECT_EQ(r.status, 0) << r.err;
        return parseJson(r.out);
    }
    Json sheet(int caseNumber, int month) const {
        std::vector<std::string> a =
            varemo::test::caseMonthArgs(dir.path(), "sheet", 2020, month, "REAL", caseNumber);
        a.push_back("--json");
        return parseJson(runCli(a).out);
    }
};

// Amount cells by their column caption, for the rows of a table.
long long cents(const Json& table, const Json& row, const std::string& column) {
    for (size_t c = 0; c < table["columns"].array.size(); ++c)
        if (table["columns"][c].string == column) return row["cells"][c]["cents"].integer();
    ADD_FAILURE() << "no column " << column;
    return 0;
}

std::string text(const Json& row, size_t cell) {
    return row["cells"][cell].string;
}

// The block totals of a list by block.
std::map<std::string, const Json*> totals(const Json& table) {
    std::map<std::string, const Json*> out;
    for (const Json& row : table["rows"].array)
        if (row["kind"].string == "total") out[text(row, 0)] = &row;
    return out;
}

} // namespace

TEST(CliList, TheReferenceOfficeListsAsRecorded) {
    const fs::path root = fs::path(VAREMO_TEST_DATA) / "cases";
    const bool update = std::getenv("VAREMO_UPDATE_GOLDEN") != nullptr;
    const std::regex name(R"(list-(\d+)(-m(\d+))?(-c(\d+))?\.txt)");
    int lists = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
        std::vector<fs::path> files;
        for (const auto& file : fs::directory_iterator(entry.path()))
            if (file.path().filename().string().rfind("list-", 0) == 0) files.push_back(file.path());
        if (files.empty()) continue;
        SCOPED_TRACE(entry.path().filename().string());
        const Office office(entry.path());
        for (const fs::path& file : files) {
            std::smatch m;
            const std::string filename = file.filename().string();
            ASSERT_TRUE(std::regex_match(filename, m, name)) << filename;
            std::vector<std::string> more = {"--text"};
            if (m[3].matched) more.insert(more.end(), {"--month", m[3].str()});
            if (m[5].matched) more.insert(more.end(), {"--case", m[5].str()});
            const CliResult r = office.list(std::stoi(m[1].str()), more);
            ASSERT_EQ(r.status, 0) << filename << "\n" << r.err;
            if (update)
                std::ofstream(file, std::ios::binary) << r.out;
            else
                EXPECT_EQ(r.out, varemo::test::fileBytes(file)) << filename;
            ++lists;
        }
    }
    EXPECT_GE(lists, 7);
}

// The annual statement per fund is the sum of the twelve monthly ones, row by row and to the cent, and
// each case's contributions in a monthly statement are those of its sheet.
TEST(CliList, TheYearsStatementSumsTheMonthsAndTheMonthsAreTheSheets) {
    const Office office;
    const Json year = office.json(57, {});
    const Json& yearRows = year["tables"][0];
    std::map<std::string, std::map<std::string, long long>> monthly; // block -> column -> sum
    long long monthlyTotal = 0;
    int casesSeen = 0;
    for (int month = 1; month <= 12; ++month) {
        const Json list = office.json(50, {"--month", std::to_string(month)});
        const Json& rows = list["tables"][0];
        for (const Json& row : rows["rows"].array) {
            if (row["kind"].string == "total") {
                // The month's total of a fund is the annual statement's row of that month.
                bool found = false;
                for (const Json& y : yearRows["rows"].array) {
                    if (text(y, 0) != text(row, 0) || y["kind"].string != "values") continue;
                    static const char* const kMonths[] = {"Jan",  "Feb", "März", "April", "Mai", "Juni",
                                                          "Juli", "Aug", "Sept", "Okt",   "Nov", "Dez"};
                    if (text(y, 1) != kMonths[month - 1]) continue;
                    found = true;
                    for (size_t c = 2; c < rows["columns"].array.size(); ++c)
                        EXPECT_EQ(y["cells"][c]["cents"].integer(), row["cells"][c]["cents"].integer())
                            << text(row, 0) << " month " << month << " " << rows["columns"][c].string;
                }
                EXPECT_TRUE(found) << text(row, 0) << " month " << month;
                for (size_t c = 2; c < rows["columns"].array.size(); ++c)
                    monthly[text(row, 0)][rows["columns"][c].string] += row["cells"][c]["cents"].integer();
                continue;
            }
            // Each case's shares are the sheet's deductions and the employer's cost of that month.
            {
                const Json sheet = office.sheet(static_cast<int>(row["case"].integer()), month);
                ++casesSeen;
                EXPECT_EQ(cents(rows, row, "KRANKENVERS. AN-Anteil") +
                              cents(rows, row, "KRANKENVERS. AN-Zusatz"),
                          -lineCents(sheet, 37));
                EXPECT_EQ(cents(rows, row, "PFLEGEVERS. AN-Anteil"), -lineCents(sheet, 38));
                EXPECT_EQ(cents(rows, row, "RENTENVERS. AN-Anteil"), -lineCents(sheet, 39));
                EXPECT_EQ(cents(rows, row, "ARBEITSL.-VERS. AN-Anteil"), -lineCents(sheet, 40));
                EXPECT_EQ(cents(rows, row, "KRANKENVERS. AG-Anteil"), employerItem(sheet, " KV-AG-Anteil"));
                EXPECT_EQ(cents(rows, row, "PFLEGEVERS. AG-Anteil"), employerItem(sheet, " PV-AG-Anteil"));
                EXPECT_EQ(cents(rows, row, "RENTENVERS. AG-Anteil"), employerItem(sheet, " RV-AG-Anteil"));
                EXPECT_EQ(cents(rows, row, "ARBEITSL.-VERS. AG-Anteil"),
                          employerItem(sheet, " AV-AG-Anteil"));
                EXPECT_EQ(cents(rows, row, "U M L A G E N U 1") + cents(rows, row, "U M L A G E N U 2") +
                              cents(rows, row, "U M L A G E N U 3"),
                          employerItem(sheet, " Umlagen (U1, U2, U3)"));
            }
        }
        const Json& summary = list["tables"][1];
        monthlyTotal += summary["rows"].array.back()["cells"][1]["cents"].integer();
    }
    EXPECT_GE(casesSeen, 36); // three employees, twelve months
    // The year's totals per fund and its total are the sums of the months.
    for (const auto& [block, row] : totals(yearRows))
        for (size_t c = 2; c < yearRows["columns"].array.size(); ++c)
            EXPECT_EQ((*row)["cells"][c]["cents"].integer(), monthly[block][yearRows["columns"][c].string])
                << block << " " << yearRows["columns"][c].string;
    EXPECT_EQ(year["tables"][1]["rows"].array.back()["cells"][1]["cents"].integer(), monthlyTotal);
}

// The mini-job of 450,00 in November 2020, by hand: the uniform flat tax 2 % (§ 40a Abs. 2 EStG) = 9,00;
// the employer's flat health contribution 13 % (§ 249b SGB V) = 58,50; the employer's pension share
// 15 % (§ 172 Abs. 3 SGB VI) = 67,50 and the employee's top-up to the full rate 18,6 % − 15 % = 3,6 %
// (§ 168 Abs. 1 Nr. 1b SGB VI) = 16,20; U2 of the mini-job office from October 2020 0,39 % = 1,755, rounded
// 1,76; U1 and the insolvency levy are not owed by a public employer. Paid over: 152,96.
TEST(CliList, TheMiniJobStatementPaysOverWhatTheLawSays) {
    const Office office;
    const Json list = office.json(51, {"--month", "11"});
    const Json& rows = list["tables"][0];
    ASSERT_EQ(rows["rows"].array.size(), 2u); // the mini-job and the sum: no employee, no civil servant
    const Json& row = rows["rows"][0];
    EXPECT_EQ(text(row, 0), "B U N D E S K N A P P S C H A F T   (Minijob-Zentrale)");
    EXPECT_EQ(text(row, 1), "Lena Klein");
    const std::vector<std::pair<std::string, long long>> expected = {
        {"E N T G E L T", 45000},
        {"P A U S C H S T E U E R 2 %", 900},
        {"K R A N K E N - V E R S I C H . 13 %", 5850},
        {"R E N T E N V E R S I C H E R U N G b e f r e i t  15 %", 0},
        {"v e r s i c h e r u n g s p f l i c h t i g AG = 15 %", 6750},
        {"v e r s i c h e r u n g s p f l i c h t i g AN = 3,60 %", 1620},
        {"U M L A G E N U1", 0},
        {"U M L A G E N U2", 176},
        {"U M L A G E N INSO", 0},
        {"ABLIEFERUNGS- BETRAG", 15296}};
    for (const auto& [column, amount] : expected)
        EXPECT_EQ(cents(rows, row, column), amount) << column;
    // The sheet withholds the employee's top-up and nothing else.
    const Json sheet = office.sheet(4, 11);
    EXPECT_EQ(lineCents(sheet, 39), -1620);
    EXPECT_EQ(lineCents(sheet, 34), 0);
    const Json& summary = list["tables"][1];
    EXPECT_EQ(text(summary["rows"][3], 0), "Summe 0100 = ");
    EXPECT_EQ(summary["rows"][3]["cells"][1]["cents"].integer(), 6750 + 1620);
}

// The mini-job statement over a period (55) adds up the monthly statements (51): each column of the
// case's row and of the sum, and each line of "Zusammenstellung:", over January to December and over
// October to December (--from), to the cent.
TEST(CliList, TheMiniJobStatementOfAPeriodIsTheSumOfItsMonths) {
    const Office office;
    for (int from : {1, 10}) {
        SCOPED_TRACE(from);
        const Json period = office.json(55, {"--from", std::to_string(from), "--month", "12"});
        const Json& rows = period["tables"][0];
        ASSERT_EQ(rows["rows"].array.size(), 2u); // Lena Klein and the sum
        std::vector<long long> cells(rows["columns"].array.size(), 0);
        std::vector<long long> summary(period["tables"][1]["rows"].array.size(), 0);
        for (int month = from; month <= 12; ++month) {
            const Json monthly = office.json(51, {"--month", std::to_string(month)});
            const Json& total = monthly["tables"][0]["rows"].array.back();
            for (size_t c = 2; c < cells.size(); ++c)
                cells[c] += total["cells"][c]["cents"].integer();
            for (size_t r = 0; r < summary.size(); ++r)
                summary[r] += monthly["tables"][1]["rows"][r]["cells"][1]["cents"].integer();
        }
        for (const Json* row : {&rows["rows"][0], &rows["rows"][1]})
            for (size_t c = 2; c < cells.size(); ++c)
                EXPECT_EQ((*row)["cells"][c]["cents"].integer(), cells[c]) << rows["columns"][c].string;
        for (size_t r = 0; r < summary.size(); ++r)
            EXPECT_EQ(period["tables"][1]["rows"][r]["cells"][1]["cents"].integer(), summary[r]) << r;
    }
    EXPECT_EQ(office.list(55, {"--from", "5", "--month", "4", "--json"}).status, 2);
    EXPECT_EQ(office.list(51, {"--from", "1", "--month", "4", "--json"}).status, 2);
}

// The second cell of the row captioned caption under the heading that begins with block: its text, or its
// cents as digits.
std::string cellUnder(const Json& table, const std::string& block, const std::string& caption) {
    bool inBlock = false;
    for (const Json& row : table["rows"].array) {
        if (row["kind"].string == "heading") inBlock = text(row, 0).rfind(block, 0) == 0;
        if (!inBlock || row["kind"].string != "values" || text(row, 0) != caption) continue;
        const Json& cell = row["cells"][1];
        return cell.kind == Json::String ? cell.string : std::to_string(cell["cents"].integer());
    }
    return "no row " + caption + " under " + block;
}

// The pay table holds what the lookup puts on the sheet, and its further elements are what the lookup and
// the special-payment step take. Federal civil servant A9, married with one child, November 2020:
// - basic pay A9 step 3 3.142,39 (BBesG Anlage IV) on line 8; family allowance step 2 (§ 40 (1) and (2)
//   BBesG, Anlage V) = married part 149,36 + first child 127,66 = 277,02 on line 10;
// - the Bund pays no special payment apart: it was built into the monthly basic pay (2,5 % from July
//   2009, 2,44 % from January 2012), so the rule says so without an amount and line 19 stays 0 in
//   November and December;
// - line 9: the federal general allowance is part of line 8, the table has no amount for it;
// - line 13, "Zulage 12,5 % aus A4 Stufe 8" (option 90): 2.716,73 x 12,5 % = 339,59125 -> 339,59, which
//   line 13 shows once the case chooses it.
// TV-L in Sachsen, E11 step 2 (case 2): § 20 (2) TV-L, the 2020 percentages those of 2018 (East as West),
// E9a to E11 75,31 %; the base is the average of July to September, 3.742,20 each, so November's line 19
// is 3.742,20 x 75,31 % x 12 / 12 = 2.818,25082 -> 2.818,25. The table holds no structural allowance and,
// TV-L having no family allowance under these rules, no such rows.
TEST(CliList, ThePayTableHoldsTheLookupsAmountsAndTheSpecialPaymentRuleAsTheRunTakesThem) {
    const Office office;
    const Json federal = office.json(76, {"--month", "11", "--case", "5"})["tables"][0];
    const Json sheet = office.sheet(5, 11);
    bool basicPay = false;
    bool family = false;
    for (const Json& row : federal["rows"].array) {
        if (text(row, 0) == "A9") basicPay = cents(federal, row, "Stufe 3") == lineCents(sheet, 8);
        if (text(row, 0) == "Stufe 2 (verheiratet, 1 Kind)") family = cents(federal, row, "Stufe 1") == 27702;
    }
    EXPECT_EQ(lineCents(sheet, 8), 314239);
    EXPECT_EQ(lineCents(sheet, 10), 27702);
    EXPECT_TRUE(basicPay);
    EXPECT_TRUE(family);
    EXPECT_EQ(cellUnder(federal, "Sonderzahlung Bund", "in die monatlichen Bezüge eingebaut"), "kein Betrag");
    EXPECT_EQ(lineCents(sheet, 19), 0);
    EXPECT_EQ(lineCents(office.sheet(5, 12), 19), 0);
    EXPECT_EQ(cellUnder(federal, "Zeile 9 (A9)", "Allg.Stellenzul. (in Zeile 8 enth.)"), "kein Betrag");
    EXPECT_EQ(cellUnder(federal, "Zeilen 13 bis 15 (A9)", "Zulage 12,5 % aus A4 Stufe 8"), "33959");
    std::vector<std::string> set = varemo::test::caseMonthArgs(office.dir.path(), "set", 2020, 11, "REAL", 5);
    set.insert(set.end(), {"--line", "13=90"});
    ASSERT_EQ(runCli(set).status, 0);
    EXPECT_EQ(lineCents(office.sheet(5, 11), 13), 33959);

    const Json tvl = office.json(76, {"--month", "11", "--case", "2"})["tables"][0];
    EXPECT_EQ(cellUnder(tvl, "Jahressonderzahlung TV-L (Ost)", "E10 bis E11"), "75,31 %");
    EXPECT_EQ(lineCents(office.sheet(2, 9), 8), 374220);
    EXPECT_EQ(lineCents(office.sheet(2, 11), 19), 281825);
    EXPECT_EQ(cellUnder(tvl, "Zeile 9 (E11)", "Strukturausgleich"), "kein Betrag");
    const CliResult csv = office.list(76, {"--month", "11", "--case", "2", "--csv"});
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.out.find("Grundgehalt (Ost) in Euro"), std::string::npos);
    EXPECT_EQ(csv.out.find("Familienzuschlag"), std::string::npos);
    EXPECT_EQ(office.list(76, {"--month", "11", "--csv"}).status, 2); // the case is missing
}

TEST(CliList, ListingWritesNothingAndWrongArgumentsAreRefused) {
    const Office office;
    const auto before = varemo::test::filesBelow(office.dir.path());
    for (int kind : {43, 50, 51, 53})
        EXPECT_EQ(office.list(kind, {"--month", "11", "--json"}).status, 0) << kind;
    EXPECT_EQ(office.list(44, {"--case", "1", "--csv"}).status, 0);
    EXPECT_EQ(office.list(57, {"--text"}).status, 0);
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(office.dir.path())),
              std::vector<std::string>{});

    EXPECT_EQ(office.list(50, {"--text"}).status, 2);                          // the month is missing
    EXPECT_EQ(office.list(44, {"--text"}).status, 2);                          // the case is missing
    EXPECT_EQ(office.list(57, {"--month", "3", "--text"}).status, 2);          // no month for a year's list
    EXPECT_EQ(office.list(45, {"--month", "3", "--text"}).status, 2);          // no such list
    EXPECT_EQ(office.list(50, {"--month", "3", "--text", "--csv"}).status, 2); // two outputs
    const CliResult missing = office.list(44, {"--case", "9", "--text"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Den Personalfall 9 gibt es im Jahr 2020 in REAL nicht."), std::string::npos)
        << missing.err;
    EXPECT_TRUE(missing.out.empty());
}

TEST(CliList, APdfCarriesTheCaptions) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const Office office;
    const fs::path pdf = office.dir.path() / "beitrag.pdf";
    const CliResult r = office.list(50, {"--month", "11", "--pdf", pdf.string()});
    if (r.status == 2 && r.err.find("VAREMO_BUILD_UI") != std::string::npos)
        GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(r.status, 0) << r.err;
    const fs::path txt = office.dir.path() / "beitrag.txt";
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf.string() + "' '" + txt.string() + "'").c_str()), 0);
    const std::string content = varemo::test::fileBytes(txt);
    // pdftotext joins the letter-spaced captions ("E N T G E L T" reads "ENTGELT").
    for (const char* caption :
         {"B E I T R A G S N A C H W E I S", "November 2020", "Techniker Krankenkasse", "ENTGELT",
          "KRANKENVERS.", "PFLEGEVERS.", "RENTENVERS.", "ARBEITSL.-VERS.", "AN-Zusatz", "Quersumme", "SUMME",
          "Zusammenstellung:", "1000 =", "0001 =", "U2 =", "Gesamtsumme:", "6.285,60", "Pflege-Versicherung"})
        EXPECT_NE(content.find(caption), std::string::npos) << caption << "\n" << content;
}

// The wage-tax and supplementary-pension lists of November hold each case's withholdings as its sheet
// does: wage tax, surcharge and church tax of lines 34 to 36 (the church tax in the column of the
// denomination of line 29), the employee's levy share of line 42 and capital contribution of line 41.
TEST(CliList, TheWageTaxAndPensionListsHoldTheSheetsWithholdings) {
    const Office office;
    const Json tax = office.json(43, {"--month", "11"})["tables"][0];
    const std::map<long long, std::string> church = {
        {1, "ev.KiStr."}, {2, "rk.KiStr."}, {3, "vd.KiStr."}, {5, "ev.KiStr."}};
    int taxed = 0;
    for (const Json& row : tax["rows"].array) {
        if (row["kind"].string != "values" || text(row, 0) != "Steuern auf das ENTGELT") continue;
        const long long caseNumber = row["case"].integer();
        const Json sheet = office.sheet(static_cast<int>(caseNumber), 11);
        EXPECT_EQ(cents(tax, row, "Lohnstr."), -lineCents(sheet, 34)) << caseNumber;
        EXPECT_EQ(cents(tax, row, "Sol.Zus."), -lineCents(sheet, 35)) << caseNumber;
        EXPECT_EQ(cents(tax, row, church.at(caseNumber)), -lineCents(sheet, 36)) << caseNumber;
        ++taxed;
    }
    EXPECT_EQ(taxed, 4); // all but the mini-job with the uniform flat tax
    const Json pension = office.json(53, {"--month", "11"})["tables"][0];
    int insured = 0;
    for (const Json& row : pension["rows"].array) {
        if (row["kind"].string != "values") continue;
        const Json sheet = office.sheet(static_cast<int>(row["case"].integer()), 11);
        EXPECT_EQ(cents(pension, row, "N O R M A L U M L A G E AN-Anteil"), -lineCents(sheet, 42));
        EXPECT_EQ(cents(pension, row, "K A P I T A L B E I T R A G AN-Anteil"), -lineCents(sheet, 41));
        ++insured;
    }
    EXPECT_EQ(insured, 3);
}
