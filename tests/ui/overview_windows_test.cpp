// The year view, the cost-centre overview and serial printing on the offscreen platform: what the grids
// show, the mode button, the chart, clicks on a month or a case, the menu entries that open them, and the
// choices, ranges and files of serial printing.
#include "presentation/navigation.h"
#include "print/recording_surface.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/line_input.h"
#include "support/cli_runner.h"
#include "support/session.h"
#include "ui/cost_centre_window.h"
#include "ui/main_window.h"
#include "ui/print_preview.h"
#include "ui/serial_print_window.h"
#include "ui/year_view_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace varemo;
using varemo::test::TestSession;

namespace {

// 1.000,00 in line 13 from January, 1.200,00 from July, cost centre 1; the window shows March.
struct Fixture {
    Fixture() {
        // The shipped option texts name the cost centres and pay groups.
        varemo::test::copyShippedFiles(s.dir.path());
        OpenYearFiles(s.g);
        LoadCaseMonth(s.g);
        EXPECT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1000"));
        EXPECT_TRUE(ChooseOption(s.g, 28, 1));
        EXPECT_TRUE(SelectMonth(s.g, 7));
        EXPECT_TRUE(EnterAmount(s.g, AmountSlot::Allowance1, "1200"));
        EXPECT_TRUE(SelectMonth(s.g, 3));
    }
    TestSession s;
};

int rowOf(const QTableWidget* grid, const QString& caption, int column = 0) {
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, column) && grid->item(r, column)->text() == caption) return r;
    return -1;
}

} // namespace

TEST(YearViewWindow, ShowsTheMonthsAccumulatesOnRequestAndOpensAClickedMonth) {
    Fixture f;
    ui::YearViewWindow w(f.s.g, 1, YearViewKind::Salaries, false);
    w.show();
    EXPECT_EQ(f.s.g.month(), 3);
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral("(Monate einzeln) in EURO 2020")))
        << w.windowTitle().toStdString();
    EXPECT_EQ(w.modeButton()->text(), QStringLiteral("akkumulieren"));
    const int gross = rowOf(w.grid(), QStringLiteral("B R U T T O G E H A L T"));
    ASSERT_GE(gross, 0);
    EXPECT_EQ(w.grid()->item(gross, 1)->text(), QStringLiteral("1.000,00"));
    EXPECT_EQ(w.grid()->item(gross, 7)->text(), QStringLiteral("1.200,00"));
    EXPECT_EQ(w.grid()->item(gross, 13)->text(), QStringLiteral("13.200,00"));
    EXPECT_EQ(w.chart()->gross()[0], 100000);
    EXPECT_EQ(w.chart()->gross()[11], 120000);

    if (const QByteArray picture = qgetenv("VAREMO_YEAR_VIEW_PICTURE"); !picture.isEmpty())
        w.grab().save(QString::fromLocal8Bit(picture));

    w.modeButton()->click();
    EXPECT_EQ(w.modeButton()->text(), QStringLiteral("Monate einzeln"));
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("(akkumuliert) in EURO")));
    EXPECT_TRUE(
        w.findChild<QLabel*>(QStringLiteral("heading"))
            ->text()
            .startsWith(QStringLiteral("A U F S U M M I E R U N G    D E R   J A H R E S G E H Ä L T E R")));
    EXPECT_EQ(w.grid()->item(gross, 1)->text(), QStringLiteral("1.000,00"));
    EXPECT_EQ(w.grid()->item(gross, 12)->text(), QStringLiteral("13.200,00"));

    QSignalSpy chosen(&w, &ui::YearViewWindow::monthChosen);
    w.clickCell(gross, 0); // the caption column is no month
    EXPECT_EQ(chosen.count(), 0);
    w.clickCell(gross, 7);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 7);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.printRequested());
}

TEST(YearViewWindow, DruckenClosesTheViewAndThePreviewPrintsTheTableShown) {
    Fixture f;
    ui::YearViewWindow view(f.s.g, 1, YearViewKind::EmployerCost, false);
    view.show();
    view.modeButton()->click();
    view.findChild<QPushButton*>(QStringLiteral("SSCommand3"))->click();
    ASSERT_TRUE(view.printRequested());
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(view.printKind(), 41);

    ui::MainWindow window(f.s.g);
    window.setWritesWindowRecord(false);
    print::PrintOptions shown;
    shown.table = std::make_shared<const ReportTable>(view.table());
    window.showPrintout(view.printKind(), shown);
    ASSERT_NE(window.preview(), nullptr);
    EXPECT_TRUE(window.preview()->isVisible());
    EXPECT_EQ(window.preview()->printKind(), 41);
    EXPECT_GE(window.preview()->pageCount(), 1);
    // Without a table the preview builds the view (single months) from the case's months itself.
    window.showPrintout(49);
    EXPECT_EQ(window.preview()->printKind(), 49);
    EXPECT_GE(window.preview()->pageCount(), 1);
    EXPECT_EQ(f.s.g.month(), 3);
}

TEST(CostCentreWindow, ListsTheCaseUnderItsCostCentreAndOpensAClickedCase) {
    Fixture f;
    ui::CostCentreWindow w(f.s.g);
    ASSERT_TRUE(w.loaded());
    ASSERT_EQ(w.selection()->count(), 3);
    EXPECT_EQ(w.selection()->itemText(1), QStringLiteral("Alle ohne Kostenstelle"));
    const int total = rowOf(w.overviewGrid(), QStringLiteral("GESAMTSUMME"), 1);
    ASSERT_EQ(total, 2);
    EXPECT_EQ(w.overviewGrid()->item(total, 3)->text(), QStringLiteral("13.200,00")); // Angest.-verg.
    EXPECT_EQ(w.monthGrid()->item(12, 3)->text(), QStringLiteral("13.200,00"));

    w.accumulateOption()->setChecked(true);
    EXPECT_EQ(w.monthGrid()->item(11, 3)->text(), QStringLiteral("13.200,00"));
    w.selection()->setCurrentIndex(1); // no case is without a cost centre
    EXPECT_EQ(w.overviewGrid()->rowCount(), 1);
    w.selection()->setCurrentIndex(2);
    ASSERT_EQ(w.overviewGrid()->rowCount(), 3);

    QSignalSpy chosen(&w, &ui::CostCentreWindow::caseChosen);
    w.clickCase(1, 1); // the name is no link
    EXPECT_EQ(chosen.count(), 0);
    w.clickCase(1, 0);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 1);
}

TEST(OverviewMenu, TheMenuEntriesAndF09OpenTheirWindows) {
    Fixture f;
    ui::MainWindow window(f.s.g);
    window.setWritesWindowRecord(false);
    // Runs the entry and closes the window it opens modally (the overview first calculates the cases).
    auto opened = [&window](const std::function<void()>& entry) {
        QString name;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&name] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName().isEmpty()) return;
            name = dialog->objectName();
            dialog->reject();
        });
        closer.start();
        entry();
        return name;
    };
    for (int code : {kMenuYearSalaries, kMenuYearEmployerCost, kMenuYearCombined, kMenuYearSettings})
        EXPECT_EQ(opened([&] { window.menuItem(code); }), QStringLiteral("Form3")) << code;
    EXPECT_EQ(opened([&] { window.menuItem(kMenuCostCentres); }), QStringLiteral("Form2"));
    EXPECT_EQ(opened([&] { window.functionButton(9); }), QStringLiteral("Seriendruck"));
    EXPECT_EQ(f.s.g.month(), 3);
}

TEST(SerialPrintWindow, HighlightsTheChoiceKeepsTheRangesInOrderAndPrintsIntoPdfFiles) {
    Fixture f;
    QPrinter printer;
    ui::SerialPrintWindow w(f.s.g, printer);
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("   Auswahlmenü für den Druck von Gehaltsberechnungen in Serie"));
    // "AG-Sicht, Monate akkumuliert", then "Brutto": only "Brutto" stands out.
    w.option(10)->click();
    w.option(0)->click();
    EXPECT_EQ(w.choice(), 0);
    for (int code : {0, 1, 2, 3, 4, 6, 8, 10, 12, 13, 14, 15})
        EXPECT_EQ(w.option(code)->styleSheet().contains(QStringLiteral("bold")), code == 0) << code;

    // The last case beyond the list becomes the last case; month 13 is the year salary.
    w.lastCase()->setValue(40);
    emit w.lastCase()->editingFinished();
    EXPECT_EQ(w.lastCase()->value(), 1);
    EXPECT_EQ(w.firstName()->text(), QString::fromStdString(f.s.g.workingCase.name) + "  ");
    w.firstMonth()->setValue(13);
    emit w.firstMonth()->editingFinished();
    EXPECT_EQ(w.firstMonth()->value(), 12);
    w.lastMonth()->setValue(13);
    emit w.lastMonth()->editingFinished();
    w.firstMonth()->setValue(13);
    emit w.firstMonth()->editingFinished();
    EXPECT_EQ(w.firstMonthName()->text(), QStringLiteral("2020  JAHRESGEHALT "));

    // Months 12 and 13 of "Brutto und Netto" as one file, then the year view of the case as a file of
    // its own per case.
    w.firstMonth()->setValue(12);
    emit w.firstMonth()->editingFinished();
    w.option(13)->click();
    w.target()->setCurrentIndex(1);
    const QString file = QString::fromStdString((f.s.dir.path() / "serie.pdf").string());
    const print::SerialPrintResult months = w.printOrder(file);
    EXPECT_EQ(months.printed, 2);
    EXPECT_GT(QFileInfo(file).size(), 0);
    w.option(6)->click();
    w.target()->setCurrentIndex(2);
    EXPECT_EQ(w.printOrder(file).printed, 1);
    EXPECT_GT(QFileInfo(QString::fromStdString((f.s.dir.path() / "serie-1.pdf").string())).size(), 0);
}

TEST(CostCentreWindow, PrintsEachCostCentreThenAllCasesWithTheCasesWithoutOneUnderTheirOwnTitle) {
    Fixture f;
    ASSERT_EQ(NewCase(f.s.g), 2); // from the model case: no cost centre
    ui::CostCentreWindow w(f.s.g);
    for (bool pagePerCentre : {true, false}) {
        SCOPED_TRACE(pagePerCentre);
        print::RecordingSurface s;
        w.printTo(s, pagePerCentre);
        s.endDocument();
        const std::string text = s.readingOrder();
        const size_t centre = text.find("F Ü R   Kostenstelle 1");
        const size_t without = text.find("P E R S O N A L F Ä L L E   O H N E   K O S T E N S T E L L E");
        const size_t all = text.find("A L L E    P E R S O N A L F Ä L L E");
        ASSERT_NE(centre, std::string::npos) << text;
        EXPECT_LT(centre, without);
        EXPECT_LT(without, all);
        EXPECT_NE(text.find("M O N A T S G E H Ä L T E R   2 0 20 (Monate einzeln)"), std::string::npos);
        EXPECT_NE(text.find("SUMME"), std::string::npos);
        EXPECT_NE(text.find("GESAMTSUMME"), std::string::npos);
        // Without page breaks the tables follow each other.
        if (pagePerCentre)
            EXPECT_EQ(s.pages(), 3);
        else
            EXPECT_LT(s.pages(), 3);
    }
}
