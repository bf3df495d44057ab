// The command print end to end. Golden printouts: each folder of tests/data/cases holds a case's inputs
// as commands (edits.txt, support/cli_runner.h: `set` edits, or another command on the case-month such as a
// calculator's --save) and the expected text of its printouts (kind-K.txt, `print --kind K --text` of the
// last edited month). VAREMO_UPDATE_GOLDEN=1 writes the expected files anew instead of comparing.
#include "support/program_folder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;
using varemo::test::CliResult;
using varemo::test::Json;
using varemo::test::runCli;

namespace {

const char* const kToday = "07.12.2020";

struct ProgramFolder : varemo::test::ProgramFolder {
    varemo::test::Args args(const std::string& command, int year, int m,
                            const varemo::test::Args& more = {}) const {
        return month(command, year, m, more);
    }
    varemo::test::Args print(int kind, int year, int m, const varemo::test::Args& more) const {
        varemo::test::Args a = month("print", year, m, {"--kind", std::to_string(kind), "--today", kToday});
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }
};

bool hasPdfToText() {
    return std::system("command -v pdftotext >/dev/null 2>&1") == 0;
}

// The text pdftotext reads from a PDF ("" when it fails).
std::string pdfText(const fs::path& pdf) {
    const fs::path txt = fs::path(pdf).replace_extension(".txt");
    if (std::system(("pdftotext -layout '" + pdf.string() + "' '" + txt.string() + "'").c_str()) != 0)
        return "";
    return varemo::test::fileBytes(txt);
}

// The case of the README: TVöD VKA in Nordrhein-Westfalen, E9b step 3, class III, church tax 9 %,
// BARMER, VBL VKA, March 2020 (or from another month on).
void setUpReadmeCase(const ProgramFolder& folder, int year = 2020, int month = 3) {
    CliResult r = runCli(
        folder.args("set", year, month,
                    {"--name", "Petra Sommer", "--line", "2=10",       "--line", "4=12",  "--key",  "5=9",
                     "--line", "6=1",          "--date", "01.04.2016", "--line", "34=23", "--line", "29=0",
                     "--line", "36=1",         "--line", "33=1",       "--line", "27=2"}));
    ASSERT_EQ(r.status, 0) << r.err;
}

std::string euros(int64_t cents) {
    const bool negative = cents < 0;
    uint64_t v = negative ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
    std::string whole = std::to_string(v / 100);
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
        whole.insert(static_cast<size_t>(i), ".");
    char frac[4];
    std::snprintf(frac, sizeof frac, "%02u", static_cast<unsigned>(v % 100));
    return (negative ? "-" : "") + whole + "," + frac;
}

} // namespace

TEST(CliPrint, TheReferenceCasesPrintAsRecorded) {
    const fs::path root = fs::path(VAREMO_TEST_DATA) / "cases";
    const bool update = std::getenv("VAREMO_UPDATE_GOLDEN") != nullptr;
    int printouts = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
        SCOPED_TRACE(entry.path().filename().string());
        bool hasPrintouts = false;
        for (const auto& file : fs::directory_iterator(entry.path()))
            hasPrintouts = hasPrintouts || file.path().filename().string().rfind("kind-", 0) == 0;
        if (!hasPrintouts) continue; // the cases of the payroll lists (cli_list_test.cpp)
        ProgramFolder folder;
        const varemo::test::ReferenceEdits edits =
            varemo::test::applyReferenceEdits(entry.path(), folder.dir.path());
        ASSERT_EQ(edits.failure, "");
        const int year = edits.year, month = edits.month;
        for (const auto& file : fs::directory_iterator(entry.path())) {
            const std::string name = file.path().filename().string();
            if (name.rfind("kind-", 0) != 0) continue;
            const int kind = std::stoi(name.substr(5));
            CliResult r = runCli(folder.print(kind, year, month, {"--text"}));
            ASSERT_EQ(r.status, 0) << name << "\n" << r.err;
            if (update)
                std::ofstream(file.path(), std::ios::binary) << r.out;
            else
                EXPECT_EQ(r.out, varemo::test::fileBytes(file.path())) << name;
            ++printouts;
        }
    }
    EXPECT_GE(printouts, 8);
}

// The printout shows the sheet's figures to the cent; refusals and wrong arguments print nothing.
TEST(CliPrint, ThePrintoutShowsTheSheetsFiguresToTheCentAndRefusalsPrintNothing) {
    ProgramFolder folder;
    setUpReadmeCase(folder);
    Json sheet = folder.sheet(2020, 3);
    CliResult r = runCli(folder.print(12, 2020, 3, {"--text"}));
    ASSERT_EQ(r.status, 0) << r.err;
    auto cents = [&](int line) {
        return sheet["lines"][static_cast<size_t>(line - 1)]["amountCents"].integer();
    };
    EXPECT_NE(r.out.find("Bruttogehalt  " + euros(cents(23))), std::string::npos) << r.out;
    for (int line : {34, 36, 38, 39, 40, 42})
        EXPECT_NE(r.out.find(euros(cents(line))), std::string::npos) << line << "\n" << r.out;
    EXPECT_NE(r.out.find("A U S Z A H L U N G    " + euros(cents(47))), std::string::npos);
    EXPECT_NE(r.out.find("Personalkosten insgesamt:  " + euros(sheet["employerTotalCents"].integer())),
              std::string::npos);

    // The annex and the pay statement are for single months only.
    CliResult annex = runCli(folder.print(21, 2020, 13, {"--text"}));
    EXPECT_EQ(annex.status, 1);
    EXPECT_NE(
        annex.err.find("[Nicht für das Jahresgehalt] Nicht für das Jahresgehalt.\nDiese Funktion steht nur "
                       "für die einzelnen Monate zur Verfügung."),
        std::string::npos)
        << annex.err;
    EXPECT_TRUE(annex.out.empty());
    CliResult statement = runCli(folder.print(22, 2020, 13, {"--text"}));
    EXPECT_EQ(statement.status, 1);
    EXPECT_NE(statement.err.find("Die Entgeltbescheinigung steht nur für Monatsgehälter zur Verfügung."),
              std::string::npos);
    EXPECT_EQ(runCli(folder.print(14, 2020, 3, {"--text"})).status, 2);                   // no such printout
    EXPECT_EQ(runCli(folder.print(12, 2020, 3, {})).status, 2);                           // neither target
    EXPECT_EQ(runCli(folder.print(12, 2020, 3, {"--text", "--pdf", "x.pdf"})).status, 2); // both
    CliResult missing = runCli(folder.args("print", 2020, 3, {"--kind", "12", "--text", "--case", "7"}));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Den Personalfall 7 gibt es im Jahr 2020 nicht."), std::string::npos);
}

TEST(CliPrint, PdfsCarryTheCaptionsAndAmountsAndAreWrittenQuickly) {
    if (!hasPdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    ProgramFolder folder;
    setUpReadmeCase(folder);
    const fs::path pdf = folder.dir.path() / "gehalt.pdf";
    const auto start = std::chrono::steady_clock::now();
    CliResult r = runCli(folder.print(12, 2020, 3, {"--pdf", pdf.string()}));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (r.status == 2 && r.err.find("VAREMO_BUILD_UI") != std::string::npos)
        GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_LT(elapsed, std::chrono::seconds(1));
    const std::string content = pdfText(pdf);
    for (const char* caption : {"Gehaltsberechnung März 2020", "Petra Sommer", "BRUTTO-", "Vollzeit",
                                "Abzüge und sonstige Zahlungen:", "Summe der Abzüge und sonstigen Zahlungen:",
                                "Personalnebenkosten", "Personalkosten insgesamt:", "3.450,00", "2.401,05",
                                "4.400,55", "-253,00", "-339,03"})
        EXPECT_NE(content.find(caption), std::string::npos) << caption << "\n" << content;

    // A file that cannot be written is named, and nothing is left behind.
    const fs::path blocked = folder.dir.path() / "no-such-folder" / "x.pdf";
    CliResult bad = runCli(folder.print(12, 2020, 3, {"--pdf", blocked.string()}));
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find("kann nicht geschrieben werden"), std::string::npos) << bad.err;
    EXPECT_FALSE(fs::exists(blocked));

    // The certificate as a PDF carries the form's captions.
    const fs::path certificate = folder.dir.path() / "lstb.pdf";
    r = runCli(folder.print(45, 2020, 3, {"--pdf", certificate.string()}));
    ASSERT_EQ(r.status, 0) << r.err;
    // pdftotext may join letter-spaced capitals; the captions are compared without blanks.
    auto withoutBlanks = [](std::string t) {
        t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
        return t;
    };
    const std::string form = withoutBlanks(pdfText(certificate));
    for (const char* caption :
         {"L O H N S T E U E R B E S C H E I N I G U N G", "Steuer-Nr.", "Pers.Nr.", "Steuer-ID",
          "Geburtstag", "Steuerkl.", "Ki.Freib.", "Rel.Bek.", "Steuerfreier Jahresbetrag",
          "Jahreshinzurechnungsbetrag", "Dauer des Dienstverhältnisses", "Tage von 366 Tagen",
          "Zeiträume ohne Anspruch auf Arbeitslohn", "Bruttoarbeitslohn einschl. Sachbezüge ohne 9. und 10.",
          "Ausgezahltes Kindergeld"})
        EXPECT_NE(form.find(withoutBlanks(caption)), std::string::npos) << caption << "\n" << form;
}

// The wage-tax certificate (§ 41b Abs. 1 EStG) of the README's case for the whole of 2021: each row is the
// sum of the twelve months as their sheets show them. Row 3 (Nr. 3, the taxable gross pay) adds up step
// "10. = STEUERPFL. ENTGELT" of the tax worksheet; rows 4 to 6 (Nr. 4) lines 34 to 36, which hold no
// flat-rate tax here; row 23 a (Nr. 11: the employee's share of pension insurance) line 39; rows 25 to 27
// (Nr. 13 and 14: health with its additional contribution, care, unemployment) lines 37, 38 and 40.
TEST(CliPrint, TheCertificateOfAYearIsTheSumOfItsMonths) {
    ProgramFolder folder;
    setUpReadmeCase(folder, 2021, 1);
    std::map<int, int64_t> lines;
    int64_t taxable = 0;
    for (int month = 1; month <= 12; ++month) {
        Json sheet = folder.sheet(2021, month);
        for (int line : {34, 35, 36, 37, 38, 39, 40})
            lines[line] -= sheet["lines"][static_cast<size_t>(line - 1)]["amountCents"].integer();
        Json tax = folder.monthJson("sheet", 2021, month, {"--detail", "tax"});
        taxable += std::llround(tax["steps"][9]["amount"].number * 100);
    }
    // Printing looks at the twelve months and writes none of them.
    const varemo::test::FolderFiles before = varemo::test::filesBelow(folder.dir.path());
    CliResult r = runCli(folder.print(45, 2021, 12, {"--text"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(folder.dir.path())),
              std::vector<std::string>{});
    const std::pair<std::string, int64_t> rows[] = {
        {"3.  Bruttoarbeitslohn einschl. Sachbezüge ohne 9. und 10.  ", taxable},
        {"4.  Einbehaltene Lohnsteuer von 3.  ", lines[34]},
        {"5.  Einbehaltener Solidaritätszuschlag von 3.  ", lines[35]},
        {"6.  Einbehaltene Kirchensteuer des Arbeitnehmers von 3.  ", lines[36]},
        {"a) zur gesetzlichen Rentenversicherung  ", lines[39]},
        {"25.  Arbeitnehmerbeiträge zur gesetzlichen Krankenversicherung  ", lines[37]},
        {"26.  Arbeitnehmerbeiträge zur sozialen Pflegeversicherung  ", lines[38]},
        {"27.  Arbeitnehmerbeiträge zur Arbeitslosenversicherung  ", lines[40]}};
    for (const auto& [caption, cents] : rows)
        EXPECT_NE(r.out.find(caption + euros(cents) + "\n"), std::string::npos) << caption << "\n" << r.out;
    EXPECT_NE(r.out.find("01.01.2021 - 31.12.2021  365 Tage von 365 Tagen"), std::string::npos) << r.out;
    // The export of the list command carries the same rows.
    std::map<std::string, int64_t> exportedRows;
    const Json certificate =
        folder.json({"list", "--kind", "45", "--year", "2021", "--set", "REAL", "--case", "1"});
    for (const Json& row : certificate["tables"][0]["rows"].array)
        if (row["cells"][2].kind == Json::Object)
            exportedRows[row["cells"][0].string] = row["cells"][2]["cents"].integer();
    EXPECT_EQ(exportedRows["3."], taxable);
    EXPECT_EQ(exportedRows["4."], lines[34]);
    EXPECT_EQ(exportedRows["25."], lines[37]);

    // 2020 is a leap year.
    ASSERT_EQ(runCli(folder.args("set", 2020, 1, {"--name", "Petra Sommer"})).status, 0);
    CliResult leap = runCli(folder.print(45, 2020, 1, {"--text"}));
    EXPECT_NE(leap.out.find("366 Tage von 366 Tagen"), std::string::npos) << leap.out;
}
