// The views of the panel window over the last calculation of the shown case-month.

#include "presentation/navigation.h"
#include "presentation/panel_views.h"
#include "session/line_input.h"
#include "support/session.h"

#include <gtest/gtest.h>

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
