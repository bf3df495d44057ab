// The year view and the cost-centre overview read the months as their sheets show them, add them up to
// the cent, export the same figures as CSV and JSON, and change no file.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;
using varemo::test::Json;

varemo::test::CliResult cli(const varemo::test::TempDir& dir, const Args& args) {
    Args all = {"--program-dir", dir.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return varemo::test::runCli(all);
}

Json cliJson(const varemo::test::TempDir& dir, const Args& args) {
    const varemo::test::CliResult r = cli(dir, args);
    EXPECT_EQ(r.status, 0) << r.err;
    return varemo::test::parseJson(r.out);
}

Args yearView(int caseNumber, const std::string& view, const Args& extra = {}) {
    Args a = {"year-view", "--year", "2021", "--set", "REAL", "--case", std::to_string(caseNumber),
              "--view",    view};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

Args setMonth(int caseNumber, int month, const Args& edits) {
    Args a = {"set", "--year", "2021", "--set", "REAL", "--case", std::to_string(caseNumber), "--month"};
    a.push_back(std::to_string(month));
    a.insert(a.end(), edits.begin(), edits.end());
    return a;
}

// The row of a table whose first cell (or, with column 1, second cell) is caption.
const Json& row(const Json& table, const std::string& caption, size_t column = 0) {
    for (const Json& r : table["rows"].array)
        if (r["cells"][column].kind == Json::String && r["cells"][column].string == caption) return r;
    ADD_FAILURE() << "no row " << caption;
    static const Json none;
    return none;
}

long long cents(const Json& cell) {
    return cell["cents"].integer();
}

// A CSV reader as spreadsheet programs read the export: optional byte-order mark, ";" between fields,
// quoted fields with doubled quotes, CRLF line ends.
std::vector<std::vector<std::string>> readCsv(std::string text) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (quoted) {
            if (ch == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                rows.back().back() += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                rows.back().back() += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ';') {
            rows.back().emplace_back();
        } else if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += ch;
        }
    }
    rows.pop_back(); // after the last line end
    return rows;
}

// "-1234,56" as whole cents.
long long csvCents(const std::string& text) {
    const size_t comma = text.find(',');
    EXPECT_NE(comma, std::string::npos) << text;
    EXPECT_EQ(text.size(), comma + 3) << text;
    const bool negative = text[0] == '-';
    const long long euros = std::stoll(text.substr(negative ? 1 : 0, comma - (negative ? 1 : 0)));
    const long long c = euros * 100 + std::stoll(text.substr(comma + 1));
    return negative ? -c : c;
}

class YearViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        varemo::test::copyShippedFiles(dir.path());
        ASSERT_EQ(cli(dir, {"new-case", "--year", "2021", "--count", "2"}).status, 0);
        // Case 1: an employee with cost centre 1, a pay rise in April, a one-time payment in July;
        // the edits run the following months as well.
        ASSERT_EQ(cli(dir, setMonth(1, 1, {"--line", "28=1", "--amount", "13=250"})).status, 0);
        ASSERT_EQ(cli(dir, setMonth(1, 4, {"--amount", "13=400"})).status, 0);
        ASSERT_EQ(cli(dir, setMonth(1, 7, {"--amount", "20=1500"})).status, 0);
        ASSERT_EQ(cli(dir, setMonth(1, 8, {"--amount", "20=0"})).status, 0);
        // Case 2: a civil servant without a cost centre.
        ASSERT_EQ(cli(dir, setMonth(2, 1, {"--line", "4=0"})).status, 0);
    }
    // The year views of a case against the sheet of each month.
    void expectSheetFigures(int caseNumber) {
        const Json salaries = cliJson(dir, yearView(caseNumber, "40", {"--json"}))["tables"][0];
        const Json employer = cliJson(dir, yearView(caseNumber, "41", {"--json"}))["tables"][0];
        const Json combined = cliJson(dir, yearView(caseNumber, "39", {"--json"}))["tables"][0];
        for (int m = 1; m <= 12; ++m) {
            SCOPED_TRACE("case " + std::to_string(caseNumber) + ", month " + std::to_string(m));
            const Json sheet =
                cliJson(dir, {"sheet", "--year", "2021", "--set", "REAL", "--case",
                              std::to_string(caseNumber), "--month", std::to_string(m), "--json"});
            const size_t col = static_cast<size_t>(m);
            EXPECT_EQ(cents(row(salaries, "B R U T T O G E H A L T")["cells"][col]),
                      sheet["lines"][22]["amountCents"].integer());
            EXPECT_EQ(cents(row(salaries, "Zeile 34 Lohnsteuer")["cells"][col]),
                      sheet["lines"][33]["amountCents"].integer());
            EXPECT_EQ(cents(row(salaries, "A U S Z A H L U N G")["cells"][col]),
                      sheet["lines"][46]["amountCents"].integer());
            for (size_t i = 0; i < sheet["employerCost"].array.size(); ++i)
                EXPECT_EQ(cents(employer["rows"][i]["cells"][col]),
                          sheet["employerCost"][i]["cents"].integer())
                    << sheet["employerCost"][i]["label"].string;
            EXPECT_EQ(cents(row(employer, "G E S A M T K O S T E N")["cells"][col]),
                      sheet["employerTotalCents"].integer());
            // The combined sheet: a row per month, net pay and total cost of the post as on the sheet.
            const Json& monthRow = combined["rows"][col - 1];
            EXPECT_EQ(monthRow["month"].integer(), m);
            EXPECT_EQ(cents(monthRow["cells"][16]), sheet["lines"][46]["amountCents"].integer());
            EXPECT_EQ(cents(monthRow["cells"][27]), sheet["employerTotalCents"].integer());
        }
    }
    varemo::test::TempDir dir;
};

TEST_F(YearViewTest, ViewsShowEachMonthsSheetAndChangeNoFileNorMakeAMissingCase) {
    const auto before = varemo::test::filesBelow(dir.path());
    const Json salaries = cliJson(dir, yearView(1, "40", {"--json"}))["tables"][0];
    const Json employer = cliJson(dir, yearView(1, "41", {"--json"}))["tables"][0];
    const Json combined = cliJson(dir, yearView(1, "39", {"--json"}))["tables"][0];
    const Json accumulated = cliJson(dir, yearView(1, "40", {"--accumulated", "--json"}))["tables"][0];
    const Json accumulatedCombined =
        cliJson(dir, yearView(1, "39", {"--accumulated", "--json"}))["tables"][0];
    const varemo::test::CliResult csv = cli(dir, yearView(1, "41", {"--csv"}));
    ASSERT_EQ(csv.status, 0);
    EXPECT_EQ(cliJson(dir, yearView(1, "40", {"--settings", "--json"}))["tables"][0]["name"].string,
              "settings");
    ASSERT_EQ(cli(dir, {"cost-centres", "--year", "2021", "--set", "REAL", "--json"}).status, 0);
    // A case that does not exist is named.
    const varemo::test::CliResult missing = cli(dir, yearView(7, "40", {"--json"}));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Den Personalfall 7 gibt es im Jahr 2021 in REAL nicht."), std::string::npos)
        << missing.err;
    EXPECT_EQ(cli(dir, yearView(1, "42", {"--json"})).status, 2);
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(dir.path())), Args{});

    // Every figure is the figure of the month's sheet (the views never calculate a case differently):
    // the employee of case 1 and the civil servant of case 2.
    ASSERT_EQ(salaries["columns"].array.size(), 14u);
    EXPECT_EQ(salaries["columns"][1].string, "JAN.");
    EXPECT_EQ(salaries["columns"][13].string, "JAHR");
    for (int caseNumber : {1, 2})
        expectSheetFigures(caseNumber);
    // The pay rise shows from April.
    EXPECT_NE(cents(row(salaries, "B R U T T O G E H A L T")["cells"][3]),
              cents(row(salaries, "B R U T T O G E H A L T")["cells"][4]));
    EXPECT_EQ(row(salaries, "Kostenstelle")["cells"][13].string,
              row(salaries, "Kostenstelle")["cells"][1].string);

    // Accumulated: January as it is, each month the sum from January, December the year's total.
    for (const Json& single : salaries["rows"].array) {
        if (single["cells"][1].kind != Json::Object) continue;
        const std::string& caption = single["cells"][0].string;
        SCOPED_TRACE(caption);
        const Json& acc = row(accumulated, caption);
        long long sum = 0;
        for (size_t m = 1; m <= 12; ++m) {
            sum += cents(single["cells"][m]);
            EXPECT_EQ(cents(acc["cells"][m]), sum) << "month " << m;
        }
        EXPECT_EQ(cents(single["cells"][13]), sum);
        EXPECT_EQ(cents(acc["cells"][1]), cents(single["cells"][1]));
    }
    for (size_t c = 1; c + 1 < combined["columns"].array.size(); ++c) {
        long long sum = 0;
        for (size_t m = 0; m < 12; ++m)
            sum += cents(combined["rows"][m]["cells"][c]);
        EXPECT_EQ(cents(accumulatedCombined["rows"][11]["cells"][c]), sum) << combined["columns"][c].string;
        EXPECT_EQ(cents(combined["rows"][12]["cells"][c]), sum) << combined["columns"][c].string;
    }

    // The CSV holds the JSON's figures: title, header, then the rows in the same order.
    const auto lines = readCsv(csv.out);
    ASSERT_EQ(lines.size(), employer["rows"].array.size() + 2);
    EXPECT_EQ(lines[1][1], "JAN.");
    for (size_t r = 0; r < employer["rows"].array.size(); ++r) {
        const Json& jr = employer["rows"][r];
        ASSERT_EQ(lines[r + 2].size(), 14u);
        EXPECT_EQ(lines[r + 2][0], jr["cells"][0].string);
        for (size_t c = 1; c < 14; ++c)
            EXPECT_EQ(csvCents(lines[r + 2][c]), cents(jr["cells"][c])) << jr["cells"][0].string << " " << c;
    }
}

TEST_F(YearViewTest, CostCentresGroupTheCasesAndAddUpToTheEmployersCost) {
    const Json overview = cliJson(dir, {"cost-centres", "--year", "2021", "--set", "REAL", "--json"});
    const Json& upper = overview["tables"][0];
    const Json& months = overview["tables"][1];
    ASSERT_EQ(upper["columns"].array.size(), 13u);

    // Case 1 under its cost centre, case 2 under "Alle ohne Kostenstelle", listed last.
    std::vector<std::string> order;
    for (const Json& r : upper["rows"].array)
        order.push_back(r["kind"].string + ":" + r["cells"][0].string + ":" + r["cells"][1].string);
    EXPECT_EQ(order,
              (Args{"heading::Kostenstelle 1", "values:1:Personalfall 1", "heading::Alle ohne Kostenstelle",
                    "values:2:Personalfall 2", "total::GESAMTSUMME"}));

    // Each case's "Summe Personalkosten" + "Sachbezüge" + "ATZ-Aufst." + "Sonstiges" is the total cost
    // of its year view; the pay of the civil servant stands in "Beamtenbezüge", the employee's in
    // "Angest.-verg.".
    for (int caseNumber : {1, 2}) {
        SCOPED_TRACE(caseNumber);
        const Json employer = cliJson(dir, yearView(caseNumber, "41", {"--json"}))["tables"][0];
        const Json& r = row(upper, std::to_string(caseNumber));
        EXPECT_EQ(cents(r["cells"][8]) + cents(r["cells"][9]) + cents(r["cells"][10]) + cents(r["cells"][11]),
                  cents(row(employer, "G E S A M T K O S T E N")["cells"][13]));
        const long long gross = cents(row(employer, "Bruttogehalt")["cells"][13]);
        EXPECT_GT(gross, 0);
        EXPECT_EQ(cents(r["cells"][caseNumber == 2 ? 2 : 3]), gross);
        EXPECT_EQ(cents(r["cells"][caseNumber == 2 ? 3 : 2]), 0);
    }
    // GESAMTSUMME = the cost centres' totals = the month table's "Summe"; accumulated December the same.
    const Json accumulated =
        cliJson(dir, {"cost-centres", "--year", "2021", "--set", "REAL", "--accumulated", "--json"});
    for (size_t c = 2; c < 13; ++c) {
        const long long total = cents(row(upper, "GESAMTSUMME", 1)["cells"][c]);
        EXPECT_EQ(cents(row(upper, "Kostenstelle 1", 1)["cells"][c]) +
                      cents(row(upper, "Alle ohne Kostenstelle", 1)["cells"][c]),
                  total);
        EXPECT_EQ(cents(months["rows"][12]["cells"][c]), total);
        EXPECT_EQ(cents(accumulated["tables"][1]["rows"][11]["cells"][c]), total);
    }

    // The selection of the cases without cost centre lists case 2 alone.
    const Json without =
        cliJson(dir, {"cost-centres", "--year", "2021", "--set", "REAL", "--centre", "none", "--json"});
    ASSERT_EQ(without["tables"][0]["rows"].array.size(), 3u);
    EXPECT_EQ(without["tables"][0]["rows"][1]["case"].integer(), 2);
}

} // namespace
