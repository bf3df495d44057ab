#include "persistence/month_record.h"
#include "presentation/cost_centre_overview.h"
#include "presentation/navigation.h"
#include "presentation/year_view.h"
#include "session/case_load.h"
#include "session/line_input.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;

namespace {

const TableRow& rowNamed(const ReportTable& t, const std::string& caption, size_t column = 0) {
    for (const TableRow& r : t.rows)
        if (r.cells.size() > column && r.cells[column].text == caption) return r;
    throw std::runtime_error("no row " + caption);
}

Money cents(int64_t c) {
    return Money::fromCents(c);
}

} // namespace

// A case whose cost centre changes in July: 1.000,00 in line 13 from January, 1.200,00 from July.
class YearFiguresTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadCaseMonth(s.g);
        ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1000"));
        ASSERT_TRUE(ChooseOption(s.g, 28, 1));
        ASSERT_TRUE(SelectMonth(s.g, 7));
        ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1200"));
        ASSERT_TRUE(ChooseOption(s.g, 28, 2));
        ASSERT_TRUE(SelectMonth(s.g, 5));
    }
    TestSession s;
};

TEST_F(YearFiguresTest, TheSessionKeepsItsMonthAndTheOverviewSplitsTheYearByCostCentre) {
    const Case shown = s.g.workingCase;
    const Sheet sheet = s.g.sheet;
    const EmployerCost employer = s.g.pension.employer;
    const std::vector<CaseYearFigures> cases = CalculateAllCases(s.g);
    // What the window shows is as before: the views ran other months through the session.
    EXPECT_EQ(s.g.month(), 5);
    EXPECT_EQ(s.g.caseNumber, 1);
    EXPECT_EQ(s.g.workingCase, shown);
    EXPECT_EQ(s.g.pension.employer, employer);
    EXPECT_EQ(s.g.sheet.line(23).amountCents, sheet.line(23).amountCents);

    ASSERT_EQ(cases.size(), 1u);
    const ReportTable salaries = buildYearView(cases[0], 2020, {YearViewKind::Salaries, false});
    const TableRow& gross = rowNamed(salaries, "B R U T T O G E H A L T");
    EXPECT_EQ(gross.cells[1].amount, cents(100000));
    EXPECT_EQ(gross.cells[7].amount, cents(120000));
    // 6 × 1.000,00 + 6 × 1.200,00
    EXPECT_EQ(gross.cells[13].amount, cents(1320000));
    const TableRow& centre = rowNamed(salaries, "Kostenstelle");
    EXPECT_EQ(centre.cells[13].text, centre.cells[1].text + "; ab Juli: " + centre.cells[7].text);

    // January to June under the first cost centre, July to December under the second.
    const auto tables = buildCostCentreOverview(cases, 2020, DataSet::Real, {});
    const ReportTable& upper = tables[0];
    ASSERT_EQ(upper.rows.size(), 5u);
    const std::string first = centre.cells[1].text;
    const std::string second = centre.cells[7].text;
    EXPECT_EQ(upper.rows[0].cells[1].text, first);
    EXPECT_EQ(upper.rows[1].caseNumber, 1);
    EXPECT_EQ(upper.rows[2].cells[1].text, second);
    EXPECT_EQ(upper.rows[3].caseNumber, 1);
    EXPECT_EQ(upper.rows[0].cells[3].amount, cents(600000)); // "Angest.- verg."
    EXPECT_EQ(upper.rows[2].cells[3].amount, cents(720000));
    EXPECT_EQ(rowNamed(upper, kGrandTotal, 1).cells[3].amount, cents(1320000));
    // One cost centre with empty lines: its heading, its case, the empty row, the total; --month 8 alone.
    CostCentreOptions options;
    options.emptyLines = true;
    options.choice = {CostCentreChoice::Kind::One, 2};
    const ReportTable one = buildCostCentreOverview(cases, 2020, DataSet::Real, options)[0];
    ASSERT_EQ(one.rows.size(), 4u);
    EXPECT_EQ(one.rows[2].kind, RowKind::Empty);
    EXPECT_EQ(one.rows[3].cells[3].amount, cents(720000));
    // The performance pay of the second cost centre: its months only, the others empty, the total as
    // the overview's column "Leistungs- entgelt".
    const ReportTable performance = buildPerformancePayTable(cases, 2020, DataSet::Real, options.choice);
    ASSERT_EQ(performance.rows.size(), 2u);
    EXPECT_EQ(performance.rows[0].cells[2], TableCell::label(""));
    EXPECT_EQ(performance.rows[0].cells[8].kind, TableCell::Kind::Amount);
    EXPECT_EQ(performance.rows[0].cells[14].amount, one.rows[1].cells[12].amount);
    EXPECT_EQ(performance.rows[1].cells[1].text, kGrandTotal);
    options.month = 8;
    EXPECT_EQ(buildCostCentreOverview(cases, 2020, DataSet::Real, options)[0].rows[3].cells[3].amount,
              cents(120000));
}

TEST_F(YearFiguresTest, ShortCodesFactorsTheAccumulatedSummaryAndTheMiniJobNote) {
    // May: married with two children, 19,5 of 39 weekly hours and 20 of 31 days paid.
    ASSERT_TRUE(ChooseOption(s.g, 10, 3));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::RegularHours, "39"));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::AgreedHours, "19,5"));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::MonthDays, "31"));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::PaidDays, "20"));
    // December: a mini-job whose employee tops up the employer's flat pension contribution.
    ASSERT_TRUE(SelectMonth(s.g, 12));
    ASSERT_TRUE(SetKey(s.g, KeySlot::PensionKind, 3));
    const CaseYearFigures figures = CalculateCaseYear(s.g, 1);

    const ReportTable listing = buildSettingsListing(figures, 2020);
    EXPECT_EQ(rowNamed(listing, "Teilzeitfaktor", 1).cells[2].text, "1,00000");  // January
    EXPECT_EQ(rowNamed(listing, "Teilzeitfaktor", 1).cells[6].text, "0,50000");  // May: 19,5 / 39
    EXPECT_EQ(rowNamed(listing, "Bruchteilfaktor", 1).cells[6].text, "0,64516"); // 20 / 31 = 0,645161..
    // Statutory pension insurance: the general table (§ 39b (2) sentence 5 No. 3 EStG).
    EXPECT_EQ(rowNamed(listing, "Lohnsteuertabelle", 1).cells[2].text, "Tabelle A");

    const ReportTable single = buildYearView(figures, 2020, {YearViewKind::Salaries, false});
    EXPECT_EQ(rowNamed(single, "Besitzstand für Kinder").cells[5].text, "vh. 2K");
    EXPECT_EQ(rowNamed(single, "Besitzstand für Kinder").cells[4].text, "ledig");
    EXPECT_EQ(single.rows[0].cells[0].text, "Bezügedaten");
    const ReportTable summed = buildYearView(figures, 2020, {YearViewKind::Salaries, true});
    EXPECT_TRUE(single.headings.empty());
    EXPECT_EQ(summed.headings, (std::vector<std::string>{"A U F S U M M I E R U N G    D E R   J A H R E S G "
                                                         "E H Ä L T E R   2 0 20   für " +
                                                         figures.name}));
    EXPECT_EQ(summed.rows[0].cells[0].text, "Bezügedaten"); // the exported rows stay as they are
    EXPECT_TRUE(summed.notes.empty());

    // The employer's view: the personnel cost is the total cost without the levies U1 to U3, and the
    // mini-job's note names the minimum base of § 163 (8) SGB VI, 175,00 Euro.
    const ReportTable employer = buildYearView(figures, 2020, {YearViewKind::EmployerCost, true});
    const TableRow& staff = rowNamed(employer, "P E R S O N A L K O S T E N");
    for (size_t m = 1; m <= 13; ++m)
        EXPECT_EQ(staff.cells[m].amount, rowNamed(employer, "G E S A M T K O S T E N").cells[m].amount -
                                             rowNamed(employer, "Umlagen (U1, U2, U3)").cells[m].amount)
            << m;
    EXPECT_EQ(rowNamed(employer, "davon Leistungsentgelt").cells[13].amount, Money());
    ASSERT_EQ(employer.notes.size(), 1u);
    EXPECT_NE(employer.notes[0].find("mindestens aus 175,00 Euro  (Mindestbeitragsbemessungsgrundlage bei "
                                     "Minijobs)."),
              std::string::npos)
        << employer.notes[0];
}

// The view holds the case across its twelve runs; an edit between two views must show in the second,
// in the month edited and in the months after it that look back at it (contribution ceilings, special
// payment): every month's figures are those its stored record gives after the edit's recalculation.
TEST_F(YearFiguresTest, AnEditShowsInTheNextViewOfTheYear) {
    const auto storedAmounts = [this](int month) {
        Case c;
        unpackMonthRecord(s.g.files.readMonth(month, 1), c);
        return c.amounts;
    };
    const CaseYearFigures before = CalculateCaseYear(s.g, 1);
    EXPECT_EQ(before.months[2].workingCase.amount(AmountSlot::Gross), 100000);
    ASSERT_TRUE(SelectMonth(s.g, 3));
    ASSERT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1500"));
    const CaseYearFigures after = CalculateCaseYear(s.g, 1);
    EXPECT_EQ(after.months[2].workingCase.amount(AmountSlot::Gross), 150000);
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(after.months[static_cast<size_t>(month - 1)].workingCase.amounts, storedAmounts(month))
            << month;
}

TEST_F(YearFiguresTest, ADamagedMonthIsNamedNotCountedAsZeroAndNotRepaired) {
    RecordBuffer march = s.g.files.readMonth(3, 1);
    march.setI16(month_record::keyOffset(KeySlot::Region), 99);
    s.g.files.writeMonth(3, 1, march);
    const RecordBuffer before = s.g.files.readMonth(3, 1);

    const CaseYearFigures figures = CalculateCaseYear(s.g, 1);
    EXPECT_EQ(s.g.files.readMonth(3, 1).bytes(), before.bytes());
    EXPECT_FALSE(figures.months[2].available());
    for (bool accumulated : {false, true}) {
        SCOPED_TRACE(accumulated);
        const ReportTable t = buildYearView(figures, 2020, {YearViewKind::EmployerCost, accumulated});
        const TableRow& total = rowNamed(t, "G E S A M T K O S T E N");
        EXPECT_EQ(total.cells[2].kind, TableCell::Kind::Amount);
        EXPECT_EQ(total.cells[3].kind, TableCell::Kind::Missing);
        EXPECT_EQ(total.cells[4].kind, accumulated ? TableCell::Kind::Missing : TableCell::Kind::Amount);
        EXPECT_EQ(total.cells[13].kind, TableCell::Kind::Missing);
        ASSERT_EQ(t.notes.size(), 1u);
        EXPECT_EQ(t.notes[0].rfind("MÄRZ ", 0), 0u) << t.notes[0];
    }
    const auto overview = buildCostCentreOverview({figures}, 2020, DataSet::Real, {});
    ASSERT_EQ(overview[0].notes.size(), 1u);
    EXPECT_NE(overview[0].notes[0].find("MÄRZ"), std::string::npos);
}

TEST(ReportTableExport, CsvQuotesSeparatorsAndKeepsFormulaLikeTextsAsText) {
    ReportTable t;
    t.name = "t";
    t.title = "Titel";
    t.columns = {"Name", "= BRUTTO"};
    TableRow r;
    r.cells = {TableCell::label("Meier; \"Hans\""), TableCell::money(cents(-123456789))};
    t.rows.push_back(r);
    r.cells = {TableCell::label("=1+1"), TableCell::missing()};
    t.rows.push_back(r);
    EXPECT_EQ(
        toCsv({t}),
        "\xEF\xBB\xBFTitel\r\nName;'= BRUTTO\r\n\"Meier; \"\"Hans\"\"\";-1234567,89\r\n'=1+1;fehlt\r\n");
    EXPECT_EQ(
        toJson({t}),
        "{\"tables\":[{\"name\":\"t\",\"title\":\"Titel\",\"columns\":[\"Name\",\"= BRUTTO\"],\"rows\":["
        "{\"kind\":\"values\",\"cells\":[\"Meier; \\\"Hans\\\"\",{\"cents\":-123456789}]},"
        "{\"kind\":\"values\",\"cells\":[\"=1+1\",null]}],\"notes\":[]}]}\n");
}
