// The calculators' windows on the offscreen platform: each opened by its code, typed into by keys, its
// transfer changing the case as the command line's --transfer does, and its inputs there again after the
// window has been closed and the program started anew.
#include "calculators/calculator_files.h"
#include "presentation/navigation.h"
#include "print/recording_surface.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/line_input.h"
#include "support/cli_runner.h"
#include "support/session.h"
#include "ui/calculator_windows.h"
#include "ui/main_window.h"
#include "ui/print_preview.h"
#include "ui/sheet_cell.h"
#include "ui/tablett.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include <gtest/gtest.h>

#include <algorithm>

using namespace varemo;
using ui::CalculatorDialog;
namespace fs = std::filesystem;

namespace {

struct Fixture {
    explicit Fixture(int year = 2020) : s(year, DataSet::Real, 1, 3) {
        test::copyShippedFiles(s.dir.path()); // the pay tables of the step calculators
        OpenYearFiles(s.g);
        LoadCaseMonth(s.g);
        ShowSelection(s.g);
        start();
    }
    // A federal civil servant (line 4 "Beamte", line 2 "Bund").
    void civilServant() {
        EXPECT_TRUE(ChooseOption(s.g, 4, 0));
        EXPECT_TRUE(ChooseOption(s.g, 2, 0));
        window->redisplay();
    }
    void start() {
        window = std::make_unique<ui::MainWindow>(s.g);
        window->setWritesWindowRecord(false);
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }
    // Closing the window stores what the calculator holds; a new window reads the files again.
    void restart() {
        window->close();
        window.reset();
        start();
    }
    void type(const QString& keys) {
        for (QChar c : keys)
            QTest::keyClick(window->lineText(1), c.toLatin1());
    }
    CalculatorDialog* calc() const { return window->calculatorWindow(); }
    // Types into a field of the calculator and confirms with Enter.
    void enter(const QString& name, const QString& text) {
        QLineEdit* f = calc()->field(name);
        ASSERT_NE(f, nullptr) << name.toStdString();
        f->setFocus();
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Backspace);
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }
    void click(const QString& caption) {
        QPushButton* b = calc()->button(caption);
        ASSERT_NE(b, nullptr) << caption.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }
    bool shows(const QString& text) const { return calc()->resultText().contains(text); }
    std::string lastTitle() const {
        return s.prompter.messages().empty() ? "" : s.prompter.messages().back().title;
    }

    test::TestSession s;
    std::unique_ptr<ui::MainWindow> window;
};

} // namespace

// The BDA worked by hand in the calculators' tests: born 15.05.1980, appointed 01.10.2016, two years of
// pay in the half phase (threshold 31: 15.05.2011 to 14.05.2015) → postponed by 4 months from the regular
// BDA 01.05.2001 to 01.09.2002; the transfer makes it line 6's date, and step 6 follows in 03/2020.
TEST(CalculatorWindows, ServiceAgeByKeysTransfersAndKeepsItsInputs) {
    Fixture f;
    f.civilServant();
    f.type("i06");
    ASSERT_NE(f.calc(), nullptr);
    EXPECT_EQ(f.calc()->kind(), CalculatorWindow::ServiceAge);
    EXPECT_TRUE(
        f.calc()->windowTitle().startsWith("Berechnung des Besoldungsdienstalters nach § 28 BBesG für "));
    f.enter("Datum0", "15.05.1980");
    EXPECT_EQ(f.calc()->focusWidget(), f.calc()->field("Datum1")); // Enter moves on
    f.enter("Datum1", "01.10.2016");
    f.enter("Datum6", "01.09.2012");
    f.enter("Datum7", "31.08.2014");
    EXPECT_TRUE(f.shows("Das Besoldungsdienstalter beginnt am 01.09.2002"))
        << f.calc()->resultText().toStdString();
    // A period before the phase is refused with its message and does not count.
    f.enter("Datum8", "01.01.2005");
    f.enter("Datum9", "31.12.2005");
    EXPECT_EQ(f.lastTitle(), "Bitte korrigieren");
    EXPECT_TRUE(f.shows("liegt   v o r   der hier zu prüfenden Zeitspanne vom 15.05.2011 bis 14.05.2015"));
    f.enter("Datum8", "");
    f.enter("Datum9", "");

    // The legal-remedy paragraph of the notice, edited in its own window and printed with "$" as line ends.
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        auto* text = editor->findChild<QPlainTextEdit*>("Text");
        text->setPlainText("Gegen diesen Bescheid\nist Widerspruch zulässig.");
        EXPECT_EQ(editor->findChild<QLabel*>("Zeichen")->text(), "47 von möglichen 1400 Zeichen");
        for (auto* b : editor->findChildren<QPushButton*>())
            if (b->text() == "Speichern") b->click();
    });
    f.click("Rechtsmittel");
    EXPECT_EQ(LoadRemedyText(f.s.g), "Gegen diesen Bescheid$ist Widerspruch zulässig.");
    f.click("Bescheid");
    ASSERT_NE(f.window->preview(), nullptr);
    EXPECT_EQ(f.window->preview()->printKind(), 59);
    print::RecordingSurface notice;
    print::runPrintKind(59, f.s.g, notice, {"07.12.2020"});
    EXPECT_NE(notice.readingOrder().find(
                  "Rechtsbehelfsbelehrung\nGegen diesen Bescheid\nist Widerspruch zulässig.\n"),
              std::string::npos)
        << notice.readingOrder();
    f.click("Übertrag");
    EXPECT_FALSE(f.calc()->isVisible());
    EXPECT_EQ(f.s.g.workingCase.dateText, "01.09.2002");
    EXPECT_EQ(f.s.g.workingCase.key(KeySlot::Step), 5);

    f.restart();
    f.type("i06");
    EXPECT_EQ(f.calc()->field("Datum6")->text(), "01.09.2012");
    EXPECT_TRUE(f.shows("Das Besoldungsdienstalter beginnt am 01.09.2002"));

    // Another case shown in the main window: the inputs stay with case 1 and the window closes.
    f.enter("Datum7", "31.08.2013");
    f.window->engineCall([&] { ASSERT_EQ(NewCase(f.s.g), 2); });
    ASSERT_EQ(f.s.g.caseNumber, 2);
    EXPECT_FALSE(f.calc()->isVisible());
    EXPECT_EQ(readServiceAgeRecord(f.s.g.userFolder, "bda.001", 2020).dates[7], "31.08.2013");
    EXPECT_TRUE(readServiceAgeRecord(f.s.g.userFolder, "bda.002", 2020).empty());
}

// Step duration from 01.09.2002, shortened by 6 months: steps 7 (+39,25) and 8 (+39,28) come half a
// year earlier, 6 × 78,53 = 471,18; the transfer moves line 6 to 01.03.2002. Experience periods before
// an appointment on 01.08.2018: 2015 in full (12 months) and 18 months at half time (272 days, a started
// month counts: 10) → 22 months, so step 1 runs from 01.10.2016.
TEST(CalculatorWindows, StepDurationAndExperiencePeriodsTransferIntoLineSix) {
    Fixture f;
    f.civilServant();
    ASSERT_TRUE(EnterDate(f.s.g, "01.09.2002"));
    f.type("i08");
    ASSERT_NE(f.calc(), nullptr);
    EXPECT_EQ(f.calc()->kind(), CalculatorWindow::StepDuration);
    f.enter("Monate", "-6");
    EXPECT_TRUE(f.shows("bis zum Erreichen der Endstufe auf 471,18 Euro."))
        << f.calc()->resultText().toStdString();
    f.click("Bescheid");
    EXPECT_EQ(f.window->preview()->printKind(), 56);
    f.click("Übertragen");
    EXPECT_EQ(f.s.g.workingCase.dateText, "01.03.2002");

    f.restart();
    f.type("i08");
    EXPECT_EQ(f.calc()->field("Monate")->text(), "-6");
    f.click("Erfahrungszeiten");
    ASSERT_EQ(f.calc()->kind(), CalculatorWindow::Experience);
    f.enter("Ernennung", "01.08.2018");
    f.enter("von0", "01.01.2015");
    f.enter("bis0", "31.12.2015");
    f.enter("von1", "01.01.2016");
    f.enter("bis1", "30.06.2017");
    f.enter("Prozent1", "50");
    EXPECT_TRUE(f.shows("Anzurechnende Vormonate: 22")) << f.calc()->resultText().toStdString();
    f.click("Übertragen");
    EXPECT_EQ(f.s.g.workingCase.dateText, "01.10.2016");
    f.restart();
    f.type("i08");
    f.click("Erfahrungszeiten");
    EXPECT_EQ(f.calc()->field("Prozent1")->text(), "50");
}

// The step calculator (i07) of a TV-L case (Niedersachsen, E7) whose step 1 began on 01.03.2015: by
// § 16 (3) TV-L step 2 follows after 1 year (01.03.2016), step 3 after 2 more (01.03.2018), step 4 after
// 3 more (01.03.2021) and is in force in March 2021, yellow; step 5 after 4 more (01.03.2025), lengthened
// by 6 months 01.09.2025. A movement out of range is refused and named.
TEST(CalculatorWindows, StepCalculatorMarksTheStepInForceAndMovesTheLaterSteps) {
    Fixture f(2021);
    ASSERT_TRUE(ChooseOption(f.s.g, 4, 11));
    ASSERT_TRUE(ChooseOption(f.s.g, 2, 9));
    ASSERT_TRUE(SetKey(f.s.g, KeySlot::PayGroup, 6));
    ASSERT_TRUE(EnterDate(f.s.g, "01.03.2015"));
    f.window->redisplay();
    f.type("i07");
    ui::Tablett* panel = f.window->panel();
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->content(), 273);
    EXPECT_EQ(panel->titleLine()->text(), "Stufenrechner");
    auto* table = panel->body()->findChild<QTableWidget*>("Grundgehaltsstufen");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->item(3, 2)->text(), "01.03.2021");
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(table->item(row, 0)->background().color(), QColor(row == 3 ? Qt::yellow : Qt::white))
            << row;
    EXPECT_EQ(table->item(5, 1)->text(), "Endstufe");

    auto* movement = panel->body()->findChild<QLineEdit*>("Text2");
    auto retype = [&](const QString& text) {
        movement->setFocus();
        movement->selectAll();
        QTest::keyClick(movement, Qt::Key_Backspace);
        QTest::keyClicks(movement, text);
        QTest::keyClick(movement, Qt::Key_Return);
    };
    retype("6");
    EXPECT_EQ(table->item(4, 2)->text(), "01.03.2025");
    EXPECT_EQ(table->item(4, 3)->text(), "01.09.2025");
    EXPECT_TRUE(panel->body()
                    ->findChild<QLabel*>("Ergebnis")
                    ->text()
                    .contains("Im März 2021 gilt Stufe 4 (seit 01.03.2021).\nNächster Stufenaufstieg: Stufe "
                              "5 am 01.09.2025."));
    retype("700");
    EXPECT_EQ(f.lastTitle(), "Bitte korrigieren");
    EXPECT_EQ(f.s.prompter.messages().back().lines.front(), "Die Monate reichen von -600 bis 600.");
}

// An NRW civil servant in A13: the pay table has no amount below step 5, so the note beside
// "Eingangsamt" says that step 1 begins 4 × 24 = 96 months before the appointment; "Grundgehälter" opens
// the pay table (76) in the preview and "Hilfe" the topic of the pay seniority from the shipped texts.
TEST(CalculatorWindows, ServiceAgeShowsTheEntryOfficeNoteThePayTableAndItsHelp) {
    Fixture f(2021);
    ASSERT_TRUE(ChooseOption(f.s.g, 4, 0));
    ASSERT_TRUE(ChooseOption(f.s.g, 2, 10));
    ASSERT_TRUE(SetKey(f.s.g, KeySlot::PayGroup, 12));
    f.window->redisplay();
    f.type("i06");
    ASSERT_NE(f.calc(), nullptr);
    auto* note = f.calc()->findChild<QLabel*>("EingangsamtHinweis");
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().startsWith(
        "Ist A13 das Eingangsamt, beginnt die Stufenlaufzeit 96 Monate vor der Einstellung. Anfangsstufe "
        "ist dann Stufe 5."))
        << note->text().toStdString();
    f.click("Grundgehälter");
    ASSERT_NE(f.window->preview(), nullptr);
    EXPECT_EQ(f.window->preview()->printKind(), 76);
    f.click("Hilfe");
    EXPECT_EQ(f.lastTitle(), "Hilfe");
    const auto& lines = f.s.prompter.messages().back().lines;
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "Besoldungsdienstalter (§ 28 BBesG in den Fassungen, die vom 21. Lebensjahr an rechnen)"),
        lines.end());
}

// § 17 (4) TV-L as it stood until 2018: E7 step 4 (2.952,29 €) to E8 step 3 (2.964,19 €) is 11,90 € more,
// below the guaranteed 80 € of groups 4 to 6 (TV-L West): 68,10 € on line 9, written only after "Ja".
TEST(CalculatorWindows, PromotionAsksBeforeItWritesGroupStepAndGuarantee) {
    Fixture f(2018);
    ASSERT_TRUE(ChooseOption(f.s.g, 4, 11));
    ASSERT_TRUE(ChooseOption(f.s.g, 2, 9));
    ASSERT_TRUE(SetKey(f.s.g, KeySlot::PayGroup, 6));
    ASSERT_TRUE(EnterDate(f.s.g, "01.06.2011"));
    f.window->redisplay();
    f.type("i04");
    ASSERT_NE(f.calc(), nullptr);
    EXPECT_EQ(f.calc()->kind(), CalculatorWindow::Promotion);
    EXPECT_TRUE(f.shows("68,10 Euro *)")) << f.calc()->resultText().toStdString();
    f.enter("ZulageA", "25,00");
    f.click("Drucken");
    EXPECT_EQ(f.window->preview()->printKind(), 52);
    const Case before = f.s.g.workingCase;
    f.click("Übertragen"); // answered "Nein"
    EXPECT_EQ(f.lastTitle(), "Übertrag in die Gehaltsberechnung");
    EXPECT_EQ(f.s.prompter.messages().back().lines.front(), "Folgendes wird nach März 2018 übertragen:");
    EXPECT_EQ(f.s.g.workingCase, before);
    f.s.prompter.queue(PromptAnswer::Yes);
    f.click("Übertragen");
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::StructuralAllowance), 6810);
    EXPECT_EQ(f.s.g.workingCase.dateText, "01.03.2021");
    f.restart();
    f.type("i04");
    EXPECT_EQ(f.calc()->field("ZulageA")->text(), "25,00");
}

// Jubilee: pay with us from 01.09.2016 and two years elsewhere before → JDA 01.09.2014, 25 years on
// 01.09.2039. Vacation: 29 days below 55 (born 1980), 12 taken → 17 left. Both kept across a restart.
TEST(CalculatorWindows, JubileeAndVacationKeepTheirInputsAcrossARestart) {
    Fixture f;
    f.civilServant();
    f.type("f17");
    ASSERT_NE(f.calc(), nullptr);
    EXPECT_EQ(f.calc()->kind(), CalculatorWindow::Jubilee);
    EXPECT_EQ(f.calc()->windowTitle().toStdString(),
              "Wann erhält  " + f.s.g.workingCase.name + "  eine Jubiläumszuwendung?");
    f.enter("Datum0", "15.05.1980");
    f.enter("Datum1", "01.09.2016");
    f.enter("Datum3", "01.09.2012");
    f.enter("Datum4", "31.08.2014");
    EXPECT_TRUE(f.shows("(JDA): 01.09.2014")) << f.calc()->resultText().toStdString();
    EXPECT_TRUE(f.shows("25-jähriges Dienstjubiläum  01.09.2039"));
    f.click("Bescheid");
    EXPECT_EQ(f.window->preview()->printKind(), 47);

    f.type("f16");
    ASSERT_EQ(f.calc()->kind(), CalculatorWindow::Vacation);
    f.enter("Geburtstag", "15.05.1980");
    f.enter("Verbraucht", "12");
    EXPECT_TRUE(f.shows("19. Resturlaub  17")) << f.calc()->resultText().toStdString();
    // Three days a week from July (§ 26 (1) TVöD): 130 + 78 = 208 working days, 29 × 208 / 260 = 23,2 →
    // 23, less 12 taken → 11.
    const std::pair<const char*, const char*> periods[] = {{"Von1", "01.01.2020"}, {"Bis1", "30.06.2020"},
                                                           {"Tage1", "130"},       {"Von2", "01.07.2020"},
                                                           {"Bis2", "31.12.2020"}, {"Tage2", "78"}};
    for (const auto& [name, value] : periods)
        f.enter(name, value);
    EXPECT_TRUE(f.shows("6.  nach Zeiträumen 208 Arb.Tage")) << f.calc()->resultText().toStdString();
    EXPECT_TRUE(f.shows("19. Resturlaub  11"));
    f.click("Drucken");
    EXPECT_EQ(f.window->preview()->printKind(), 46);
    QTest::keyClick(f.calc()->field("Verbraucht"), Qt::Key_Escape);
    EXPECT_FALSE(f.calc()->isVisible());

    f.restart();
    f.type("f17");
    EXPECT_EQ(f.calc()->field("Datum4")->text(), "31.08.2014");
    f.type("f16");
    EXPECT_EQ(f.calc()->field("Verbraucht")->text(), "12");
    EXPECT_EQ(f.calc()->field("Bis2")->text(), "31.12.2020");
    EXPECT_EQ(f.calc()->field("Tage2")->text(), "78");
}

// 08:00 to 12:30 on 5 March at 14,50 € an hour: 4:30 hours, 65,25 €. Emptying the month asks first and
// starts on "Nein".
TEST(CalculatorWindows, WorkingTimeRecorderKeepsTheMonthAndEmptiesItOnlyWhenConfirmed) {
    Fixture f;
    f.type("f16");
    f.click("Arbeitszeit");
    ASSERT_EQ(f.calc()->kind(), CalculatorWindow::WorkingTime);
    f.enter("Satz", "14,50");
    auto* table = f.calc()->findChild<QTableWidget*>("Tabelle");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 31);
    EXPECT_EQ(table->item(4, 0)->text(), "5. Donnerstag");
    table->item(4, 1)->setText("08:00"); // shown as 8:00
    table->item(4, 2)->setText("12:30");
    EXPECT_TRUE(f.shows("1 Tage, 4:30 Std., 65,25 €")) << f.calc()->resultText().toStdString();
    table->item(5, 1)->setText("25:00");
    EXPECT_EQ(f.lastTitle(), "Bitte korrigieren");
    EXPECT_TRUE(table->item(5, 1)->text().isEmpty());

    f.restart();
    f.type("f16");
    f.click("Arbeitszeit");
    table = f.calc()->findChild<QTableWidget*>("Tabelle");
    EXPECT_EQ(table->item(4, 2)->text(), "12:30");
    f.click("Drucken");
    EXPECT_EQ(f.window->preview()->printKind(), 61);
    f.click("leeren");
    EXPECT_EQ(f.lastTitle(), "Tabelle für März 2020 löschen");
    EXPECT_TRUE(f.s.prompter.messages().back().refusalIsDefault);
    EXPECT_EQ(table->item(4, 2)->text(), "12:30");
    f.s.prompter.queue(PromptAnswer::Yes);
    f.click("leeren");
    EXPECT_TRUE(table->item(4, 2)->text().isEmpty());
}

// The recorder goes from month to month: the times typed for March (8:00 to 12:30 at 14,50 €: 4:30 hours,
// 65,25 €) are stored when April is shown; April, only looked at, is not written; Ctrl+Bild auf goes
// back to March with its times.
TEST(CalculatorWindows, WorkingTimeRecorderSwitchesMonthsAndStoresOnlyTheMonthChanged) {
    Fixture f;
    f.type("f16");
    f.click("Arbeitszeit");
    ASSERT_EQ(f.calc()->kind(), CalculatorWindow::WorkingTime);
    auto* table = f.calc()->findChild<QTableWidget*>("Tabelle");
    f.enter("Satz", "14,50");
    table->item(4, 1)->setText("08:00");
    table->item(4, 2)->setText("12:30");
    const fs::path file = f.s.g.userFolder / "Arbeitszeit.020";
    EXPECT_FALSE(fs::exists(file));

    QTest::mouseClick(f.calc()->findChild<QPushButton*>("Monat4"), Qt::LeftButton);
    EXPECT_TRUE(f.calc()->windowTitle().startsWith("Arbeitszeiten im April 2020"));
    EXPECT_TRUE(f.calc()->findChild<QPushButton*>("Monat4")->isChecked());
    EXPECT_EQ(table->rowCount(), 30);
    EXPECT_TRUE(table->item(4, 2)->text().isEmpty());
    EXPECT_EQ(f.calc()->field("Satz")->text(), "0,00");
    const WorkingTimeRecord march = readWorkingTimeRecord(f.s.g.userFolder, 2020, 1, 3);
    EXPECT_EQ(march.blocks[4][0], (std::pair<int16_t, int16_t>{480, 750}));
    EXPECT_EQ(march.hourlyRateCents, 1450);
    EXPECT_EQ(fs::file_size(file), 3 * kWorkingTimeRecordLength); // April's record was never written

    QTest::keyClick(table, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_TRUE(f.calc()->windowTitle().startsWith("Arbeitszeiten im März 2020"));
    EXPECT_EQ(table->item(4, 2)->text(), "12:30");
    EXPECT_TRUE(f.shows("1 Tage, 4:30 Std., 65,25 €")) << f.calc()->resultText().toStdString();
    f.calc()->close();
    EXPECT_EQ(fs::file_size(file), 3 * kWorkingTimeRecordLength);
    EXPECT_EQ(f.s.g.month(), 3); // the main window's month stays
}
