// The print layer on the recording surface: number formats, right alignment, the free-text block, the
// continuation onto the next sheet, the PrintKind table and the printouts of a case-month whose pay was
// typed (service relationship "Entgelt lt. Eingabe"), checked against the sheet.
#include "presentation/navigation.h"
#include "presentation/year_view.h"
#include "print/number_format.h"
#include "print/print_kind.h"
#include "print/print_rows.h"
#include "print/recording_surface.h"
#include "print/salary_printout.h"
#include "session/line_input.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using namespace varemo::print;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const RecordedText* find(const RecordingSurface& s, const std::string& text) {
    for (const RecordedText& t : s.texts())
        if (t.text == text) return &t;
    return nullptr;
}

// Case 1 of 2020 as a new case is made, with 2.500,00 typed on line 13 and 300,00 on line 14.
struct TypedCase : test::TestSession {
    explicit TypedCase(int month = 3) : TestSession(2020, DataSet::Real, 1, month) {
        ShowSelection(g);
        EXPECT_TRUE(RenameCase(g, "Karl Beispiel"));
        EXPECT_TRUE(EnterAmount(g, AmountSlot::Allowance1, "2500"));
        EXPECT_TRUE(EnterAmount(g, AmountSlot::Allowance2, "300"));
    }
    PrintOptions options() const { return {"07.12.2020", false}; }
    std::string print(int kind, bool secondSheet = false) {
        RecordingSurface s;
        // The year views print the table their window built from the case's months.
        EXPECT_TRUE(
            runPrintKind(kind, g, s, {"07.12.2020", secondSheet, yearViewPrintTable(g, kind, false)}));
        pages = s.pages();
        return s.readingOrder();
    }
    int pages = 0;
};

} // namespace

TEST(NumberFormat, AmountsFactorsPercentagesAndDatesInGermanStyle) {
    EXPECT_EQ(amountText(Money::fromCents(123456)), "1.234,56");
    EXPECT_EQ(amountText(Money::fromCents(-5)), "-0,05");
    EXPECT_EQ(amountText(Money::fromCents(1234567890)), "12.345.678,90");
    // A factor of exactly 1 is "  1"; others have five decimals, rounded half up.
    EXPECT_EQ(factorText(1.0f), "  1");
    EXPECT_EQ(factorText(30, 30), "  1");
    EXPECT_EQ(factorText(1950000, 3900000), "0,50000");
    EXPECT_EQ(factorText(2, 3), "0,66667");
    EXPECT_EQ(factorText(0.75f), "0,75000");
    EXPECT_EQ(percentText(645), "6,45");
    EXPECT_EQ(longDate("07.03.2020"), "07. März 2020");
    EXPECT_EQ(longDate("__.__.____"), "__.__.____");
    EXPECT_EQ(monthOfYear(13, 2020), "Jahresgehalt 2020");
}

TEST(PrintSurface, RightAlignedAmountsEndAtTheColumnEdgeSoTheirCommasLineUp) {
    RecordingSurface s;
    s.setScaleMode(ScaleMode::Inches);
    s.printRight(5.0, "1.234,56", true);
    s.printRight(5.0, "7,30", true);
    const RecordedText* wide = find(s, "1.234,56");
    const RecordedText* narrow = find(s, "7,30");
    ASSERT_TRUE(wide && narrow);
    // The width model: half the font size per character (10 pt: 5/72 inch).
    EXPECT_NEAR(wide->x + 8 * 5.0 / 72, 5.0, 1e-9);
    EXPECT_NEAR(narrow->x + 4 * 5.0 / 72, 5.0, 1e-9);
    EXPECT_GT(narrow->y, wide->y); // the line end moved down
    // Twips and inches name the same place.
    s.setScaleMode(ScaleMode::Twips);
    s.setCurrentX(1440);
    s.setScaleMode(ScaleMode::Inches);
    EXPECT_DOUBLE_EQ(s.currentX(), 1.0);
}

TEST(PrintSurface, TheFreeTextBlockPrintsOneLinePerDollarAtHalfAnInch) {
    RecordingSurface s;
    s.setScaleMode(ScaleMode::Inches);
    druckschleifeneu(s, "  Erste Zeile$Zweite Zeile$Rest  ");
    EXPECT_EQ(s.readingOrder(), "Erste Zeile\nZweite Zeile\nRest\n");
    EXPECT_DOUBLE_EQ(s.texts().front().x, 0.5);
    RecordingSurface one;
    druckschleifeneu(one, "Ohne Trenner");
    EXPECT_EQ(one.readingOrder(), "Ohne Trenner\n");
    RecordingSurface empty;
    druckschleifeneu(empty, "   ");
    EXPECT_TRUE(empty.texts().empty());
}

TEST(PrintSurface, ARowBelowThePageContinuesOnTheNextSheet) {
    RecordingSurface s;
    s.setScaleMode(ScaleMode::Inches);
    rows::body(s);
    for (int i = 0; i < 80; ++i) {
        s.printAt(0.7, "Zeile " + std::to_string(i));
        rows::next(s);
    }
    EXPECT_EQ(s.pages(), 2);
    const std::string text = s.readingOrder();
    EXPECT_TRUE(contains(text, "Fortsetzung auf Blatt 2\n--- Blatt 2 ---\n")) << text;
    for (const RecordedText& t : s.texts())
        EXPECT_LE(t.y, rows::kPageBottom + 0.6) << t.text;
}

TEST(PrintKinds, TheTableIsOrderedAndAKindWithoutEntryDrawsNothing) {
    int last = 0;
    for (const PrintKindEntry& e : printKinds()) {
        EXPECT_GT(e.kind, last);
        // 11 to 61 the previewable printouts, 70 to 79 the sheets of the payroll office.
        EXPECT_TRUE((e.kind >= 11 && e.kind <= 61) || (e.kind >= 70 && e.kind <= 79)) << e.kind;
        last = e.kind;
    }
    TypedCase c;
    RecordingSurface s;
    s.setScaleMode(ScaleMode::Inches);
    EXPECT_FALSE(runPrintKind(14, c.g, s, c.options()));
    EXPECT_TRUE(s.texts().empty());
    // The preview's print button ends the empty document all the same, and the unit is twips again.
    s.endDocument();
    EXPECT_EQ(s.documents(), 1);
    EXPECT_EQ(s.scaleMode(), ScaleMode::Twips);
}

TEST(SalaryCalculation, TheFiguresAreTheSheetsAndTheKindsLeaveOutOrMoveTheirParts) {
    TypedCase c;
    const Case& w = c.g.workingCase;
    ASSERT_EQ(w.amount(AmountSlot::Gross), 280000);
    const std::string gross = amountText(Money::fromCents(w.amount(AmountSlot::Gross)));
    const std::string net = amountText(Money::fromCents(w.amount(AmountSlot::NetPay)));
    const std::string employer = amountText(c.g.pension.employer.total);

    const std::string both = c.print(12);
    EXPECT_TRUE(contains(both, "Gehaltsberechnung März 2020\nKarl Beispiel\n")) << both;
    EXPECT_TRUE(contains(both, "Bruttogehalt  " + gross));
    EXPECT_TRUE(contains(both, "A U S Z A H L U N G    " + net));
    EXPECT_TRUE(contains(both, "Personalkosten insgesamt:  " + employer));
    // Each deduction of lines 34 to 40 appears with the sheet's amount (line 37 split into the general
    // and the additional contribution); their sum is net less gross.
    for (AmountSlot slot : slotsFrom(AmountSlot::WageTax, AmountSlot::UnemploymentInsurance))
        if (w.amount(slot) != 0 && slot != AmountSlot::HealthInsurance) {
            EXPECT_TRUE(contains(both, amountText(Money::fromCents(w.amount(slot)))));
        }
    const SocialInsuranceWorksheet& sv = c.g.social.worksheet;
    EXPECT_EQ((sv.kv.lineAmount() + sv.kvAdditional.lineAmount()).toCents(),
              w.amount(AmountSlot::HealthInsurance));
    EXPECT_TRUE(contains(both, amountText(sv.kv.lineAmount())));
    EXPECT_TRUE(contains(both, amountText(sv.kvAdditional.lineAmount())));
    EXPECT_TRUE(contains(both, "Summe der Abzüge und sonstigen Zahlungen:  " +
                                   amountText(Money::fromCents(w.amount(AmountSlot::NetPay) - 280000))));
    // A full month in full time shows the full-time column only.
    EXPECT_EQ(combozahlen(c.g), "--V");
    EXPECT_TRUE(contains(both, "BRUTTO-  Vollzeit  L  S  Z\nGEHALT  EURO\n"));

    const std::string netOnly = c.print(11);
    EXPECT_TRUE(contains(netOnly, "A U S Z A H L U N G"));
    EXPECT_FALSE(contains(netOnly, "Personalnebenkosten"));
    const std::string grossOnly = c.print(16);
    EXPECT_FALSE(contains(grossOnly, "A U S Z A H L U N G"));
    EXPECT_TRUE(contains(grossOnly, "Personalkosten insgesamt:  " + employer));

    // Asked for, the employer's cost goes to a second sheet.
    const std::string twoSheets = c.print(12, true);
    EXPECT_EQ(c.pages, 2);
    EXPECT_TRUE(contains(twoSheets, "Fortsetzung auf Blatt 2\n--- Blatt 2 ---\nBlatt 2 der Gehaltsberechnung "
                                    "für Karl Beispiel\nPersonalnebenkosten\n"))
        << twoSheets;
}

TEST(SalaryCalculation, TheHeaderNamesContributionGroupAndSpouseAndMarkedRowsSayWhy) {
    TypedCase c;
    // The employer bears the unemployment contribution alone (§ 20 (3) SGB IV): 2.800,00 × 2,40 % = 67,20,
    // the employee's line 40 stays 0. Line 43: a partial-retirement top-up of 150,00, free of tax
    // (§ 3 Nr. 28 EStG) but under the progression proviso (§ 32b (1) Nr. 1 g EStG).
    ASSERT_TRUE(SetKey(c.g, KeySlot::UnemploymentKind, 6));
    ASSERT_TRUE(ChooseOption(c.g, 43, 3));
    ASSERT_TRUE(EnterAmount(c.g, AmountSlot::ChildBenefit, "150"));
    ASSERT_EQ(c.g.workingCase.amount(AmountSlot::UnemploymentInsurance), 0);
    ASSERT_EQ(*c.g.sheet.line(43).amountCents, 15000);
    const std::string employee = c.print(12);
    EXPECT_TRUE(contains(employee, "SV-Schl.  1111")) << employee; // all four branches, general rate
    EXPECT_FALSE(contains(employee, "Eheg.öD"));
    EXPECT_TRUE(contains(employee, "\nATZ-Aufstockung lt. Eingabe (mit Progressionsvorbehalt)  150,00\n"));
    EXPECT_TRUE(contains(employee, "\n+ AG-Anteil + AN-Anteil: Arbeitslosenversicherung 2,40 % *)  67,20\n"));
    EXPECT_TRUE(contains(employee, "\n*) Der Arbeitgeber trägt den Beitrag allein (§ 20 Abs. 3 SGB IV).\n"));
    EXPECT_FALSE(contains(c.print(11), "*)")); // without the employer's cost nothing is marked

    // A married federal civil servant whose spouse is in the public service as well (line 7: half the
    // married part, § 40 (4) BBesG); civil servants have no contribution group.
    ASSERT_TRUE(ChooseOption(c.g, 4, 0));
    ASSERT_TRUE(ChooseOption(c.g, 10, 1));
    ASSERT_TRUE(ChooseOption(c.g, 7, 1));
    const std::string civil = c.print(11);
    EXPECT_TRUE(contains(civil, "Eheg.öD  JA")) << civil;
    EXPECT_FALSE(contains(civil, "SV-Schl."));
}

TEST(SalaryCalculation, PartTimeAndAPartMonthShowThreeColumnsWithTheirFactors) {
    TypedCase c;
    // 19,5 of 39 weekly hours; 15 of 30 days paid.
    ASSERT_TRUE(EnterAmount(c.g, AmountSlot::RegularHours, "39"));
    ASSERT_TRUE(EnterAmount(c.g, AmountSlot::AgreedHours, "19,5"));
    ASSERT_TRUE(EnterAmount(c.g, AmountSlot::MonthDays, "30"));
    ASSERT_TRUE(EnterAmount(c.g, AmountSlot::PaidDays, "15"));
    ASSERT_EQ(combozahlen(c.g), "VTB");
    const std::string text = c.print(11);
    EXPECT_TRUE(contains(text, "Vollzeit  Teilzeit  Teilmonat  L  S  Z  T  B")) << text;
    EXPECT_TRUE(contains(text, "Teilzeitfaktor 0,50000 für 19,50 Wochenstunden von 39,00")) << text;
    EXPECT_TRUE(contains(text, "Teilmonatsfaktor 0,50000 für 15,00 von 30,00 Tagen")) << text;
    // 2.500,00 × 0,5 = 1.250,00 part time, × 15/30 = 625,00 paid; the sum row is lines 21 to 23.
    EXPECT_TRUE(contains(text, "Zulage lt. Eingabe  2.500,00  1.250,00  625,00")) << text;
    EXPECT_TRUE(contains(text, "Bruttogehalt  2.800,00  1.400,00  700,00")) << text;
}

TEST(PrintKinds, OneSurfaceTakesThePrintoutsOfManyCases) {
    TypedCase c;
    RecordingSurface s;
    for (int month : {3, 4}) {
        ASSERT_TRUE(SelectMonth(c.g, month));
        if (month > 3) s.newPage();
        runPrintKind(12, c.g, s, c.options());
    }
    s.endDocument();
    EXPECT_EQ(s.documents(), 1);
    const std::string text = s.readingOrder();
    EXPECT_TRUE(contains(text, "Gehaltsberechnung März 2020"));
    EXPECT_TRUE(contains(text, "--- Blatt 2 ---\nerstellt am 07. Dezember 2020\n"));
    EXPECT_TRUE(contains(text, "Gehaltsberechnung April 2020"));
}

TEST(PrintKinds, TheAnnexAndThePayStatementAreRefusedForTheYearSalary) {
    TypedCase c;
    EXPECT_FALSE(yearSalaryRefusal(c.g, 21));
    ASSERT_TRUE(SelectMonth(c.g, 13));
    ASSERT_TRUE(yearSalaryRefusal(c.g, 21));
    EXPECT_EQ(
        yearSalaryRefusal(c.g, 21)->text(),
        "Nicht für das Jahresgehalt.\nDiese Funktion steht nur für die einzelnen Monate zur Verfügung.");
    EXPECT_EQ(yearSalaryRefusal(c.g, 22)->text(),
              "Die Entgeltbescheinigung steht nur für Monatsgehälter zur Verfügung.");
    // The employer's cost needs the month's worksheets; gross and net print the year's totals.
    EXPECT_TRUE(yearSalaryRefusal(c.g, 12));
    EXPECT_FALSE(yearSalaryRefusal(c.g, 11));
    const std::string year = c.print(11);
    EXPECT_TRUE(contains(year, "Gehaltsberechnung Jahresgehalt 2020")) << year;
    EXPECT_TRUE(contains(year, "Zulage lt. Eingabe  " +
                                   amountText(Money::fromCents(*c.g.sheet.line(13).amountCents))))
        << year;
    EXPECT_TRUE(contains(year, "Jahresbruttogehalt  " +
                                   amountText(Money::fromCents(*c.g.sheet.line(23).amountCents))));
}

TEST(PrintKinds, PrintingChangesNothing) {
    TypedCase c;
    const Case before = c.g.workingCase;
    for (const PrintKindEntry& e : printKinds())
        c.print(e.kind);
    EXPECT_EQ(c.g.workingCase, before);
}
