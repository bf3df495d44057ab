// The views of the panel window over the last calculation of the shown case-month.

#include "persistence/case_files.h"
#include "persistence/year_record.h"
#include "presentation/navigation.h"
#include "presentation/panel_views.h"
#include "session/line_input.h"
#include "support/session.h"
#include "tariffs/tariff_file.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace varemo;
using varemo::test::TestSession;

TEST(PanelViews, WorksheetsShowTheLastRunAndNameWhatIsMissing) {
    TestSession s(2020, DataSet::Real, 1, 3);
    ShowSelection(s.g);
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "150"));

    PanelTable tax = taxWorksheetTable(s.g);
    EXPECT_EQ(tax.title, "Berechnung der Steuern");
    ASSERT_EQ(tax.rows.size(), 33u); // 32 steps and the heading of the one-time payment
    EXPECT_EQ(tax.rows[21], (std::vector<std::string>{"Steuerberechnung aus der Einmalzahlung", ""}));
    EXPECT_EQ(tax.rows[0][1], s.g.tax.worksheet.amount(1).toDisplay());

    // A worksheet the run did not fill says so instead of showing zeros.
    s.g.social.worksheet.computed = false;
    PanelTable sv = socialInsuranceTable(s.g);
    EXPECT_TRUE(sv.rows.empty());
    EXPECT_EQ(sv.notes.back(), "Für diesen Monat wurden keine Sozialversicherungsbeiträge berechnet.");

    // Annual earnings (§ 6 (1) Nr. 1 SGB V): the typed additional annual amount counts once, the typed pay
    // with other employers replaces line 24 × 12: total = rows before + 1.000,00 + 5.000,00.
    AnnualEarningsInput in = annualEarningsDefaults(s.g);
    const AnnualEarningsCheck plain = annualEarningsCheck(s.g, in);
    in.additionalAnnual = Money::fromEuros(1000);
    in.otherEmployers = Money::fromEuros(5000);
    const AnnualEarningsCheck typed = annualEarningsCheck(s.g, in);
    EXPECT_EQ(typed.total, plain.total + Money::fromEuros(6000));
    PanelTable t = annualEarningsTable(typed);
    EXPECT_EQ(t.headers,
              (std::vector<std::string>{"Zeile", "Bezeichnung", "Betrag", "Multiplikator", "Jahresbetrag"}));
    EXPECT_EQ(t.rows[t.rows.size() - 2],
              (std::vector<std::string>{"", typed.totalText, "", "", typed.total.toDisplay()}));
    EXPECT_EQ(t.rows.back()[1], "Jahresarbeitsentgeltgrenze 2020");
    EXPECT_EQ(t.rows.back()[4], "62.550,00");
    EXPECT_EQ(t.notes.front(), typed.verdict);
    EXPECT_EQ(t.notes.back(), "§ 6 SGB V");
}

TEST(PanelViews, TheTariffOverviewShowsTheRecordsTheCaseReadsOrSaysWhyNone) {
    TestSession s(2020, DataSet::Real, 1, 3);
    ShowSelection(s.g);
    // Without tariff files the overview names what is missing.
    PanelTable none = tariffOverviewTable(s.g);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.notes.back(), "Für 2020 sind keine Tariftabellen vorhanden.");
    EXPECT_EQ(none.headers.size(), 28u); // "Gruppe" and the entries 0 to 26

    // Region 0, service relationship 10, group 2 in March: record 0 * 440 + 160 + 2 = 162 of 20203.ttt.
    std::filesystem::create_directories(s.g.programDir / "Tarife");
    for (int m = 1; m <= 12; ++m) {
        TariffFile file(tariffFilePath(s.g.programDir, 2020, m));
        TariffRow row;
        row.fill(kTariffNoAmount);
        row[0] = 250000; // 2.500,00
        file.write(162, row);
    }
    s.g.workingCase.setKey(KeySlot::Region, 0);
    s.g.workingCase.setKey(KeySlot::ServiceRelationship, 10);
    s.g.tariffs = TariffYear(s.g.programDir, 2020);
    PanelTable t = tariffOverviewTable(s.g);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0][1], "2.500,00");
    EXPECT_EQ(t.rows[0][2], "-");
    EXPECT_EQ(t.notes.front().substr(0, 18), "Tarife/20203.ttt: ");
}

TEST(PanelViews, TheComparisonSetsTheYearsSideBySideAndNamesMissingOnes) {
    TestSession s(2020, DataSet::Real, 1, 3);
    {
        CaseFiles files;
        files.open(s.g.userFolder, 2019, DataSet::Real);
        YearRecord y;
        y.setName("Muster, Erika");
        y.setMonthValue(0, 2, 0, 300000); // January, REAL, gross 3.000,00
        y.setMonthValue(0, 2, 1, 200000); //                 net   2.000,00
        y.setMonthValue(11, 2, 0, 310000);
        y.setMonthValue(0, 1, 0, 999900); // PLAN is another column of the record
        files.writeYear(1, y);
    }
    PanelTable t = yearComparisonTable(s.g);
    ASSERT_EQ(t.headers.size(), 11u);
    EXPECT_EQ(t.headers[5], "Brutto 2019");
    ASSERT_EQ(t.rows.size(), 14u); // name, twelve months, sum
    EXPECT_EQ(t.rows[0][5], "Muster, Erika");
    EXPECT_EQ(t.rows[1][5], "3.000,00");
    EXPECT_EQ(t.rows[1][6], "2.000,00");
    EXPECT_EQ(t.rows[13][5], "6.100,00"); // 3.000,00 + 3.100,00
    EXPECT_EQ(t.rows[1][1], "-");         // 2017 holds no case 1
    EXPECT_EQ(t.notes[1], "2017: kein Personalfall 1 in REAL");
}

TEST(PanelViews, TheClassificationFormJudgesSeveralMiniJobsTogether) {
    TestSession s(2020, DataSet::Real, 1, 3);
    ShowSelection(s.g);
    // Two mini-jobs of 300,00 and 200,00 without a main employment: 500,00 together exceed the limit
    // of 450,00 (§ 8 (2) SGB IV adds them up), so both are judged by the total, which lies in the
    // low-wage zone of 450,01 to 850,00 (§ 20 (2) SGB IV).
    SvFormInput in = svFormDefaults(s.g);
    in.hasMainEmployment = false;
    in.miniJobPays = {Money::fromEuros(300), Money::fromEuros(200)};
    PanelTable t = svClassificationTable(s.g, in);
    EXPECT_EQ(t.rows[0], (std::vector<std::string>{"Geringfügige Beschäftigung 1", "300,00", "Gleitzone"}));
    EXPECT_EQ(t.rows[1][2], "Gleitzone");
    EXPECT_EQ(t.rows[2], (std::vector<std::string>{"Maßgebendes Entgelt", "500,00", ""}));
    EXPECT_EQ(t.rows[3][0], "Zeile 37");
    ASSERT_EQ(t.notes.size(), 1u);
    EXPECT_NE(t.notes[0].find("überschreiten zusammen die Grenze von 450 €."), std::string::npos);

    // A single mini-job of 450,00 beside no main employment stays a mini-job, with its flat-rate kinds.
    in.miniJobPays = {Money::fromEuros(450)};
    t = svClassificationTable(s.g, in);
    EXPECT_EQ(t.rows[0][2], "entgeltgeringfügig (Minijob)");
    EXPECT_TRUE(t.notes.empty());
    EXPECT_EQ(t.rows.size(), 6u); // the job, the deciding pay, lines 37 to 40
}
