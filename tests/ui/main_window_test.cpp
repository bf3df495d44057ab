// The main window on the offscreen platform: keyboard codes, line input through the window, the year
// salary, the option list, flags, calculator, panel key filter, reminder, placement and failures of
// the engine.
#include "base/error.h"
#include "persistence/month_record.h"
#include "presentation/navigation.h"
#include "presentation/sheet_view.h"
#include "session/case_load.h"
#include "session/case_memo.h"
#include "session/line_input.h"
#include "support/session.h"
#include "ui/amount_field.h"
#include "ui/calculator_widget.h"
#include "ui/engine_call.h"
#include "ui/main_window.h"
#include "ui/option_grid.h"
#include "ui/panel_key_filter_qt.h"
#include "ui/qt_prompter.h"
#include "ui/share_panel.h"
#include "ui/sheet_cell.h"
#include "ui/tablett.h"
#include "ui/window_geometry_store.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace varemo;
using varemo::test::TestSession;
using varemo::ui::MainWindow;

namespace {

// A window on a fresh case of 2020 (REAL, case 1) in the given month.
struct WindowFixture {
    explicit WindowFixture(int month = 1) : s(2020, DataSet::Real, 1, month) {
        ShowSelection(s.g);
        window = std::make_unique<MainWindow>(s.g);
        window->setWritesWindowRecord(false);
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }
    // Types keys on the element that has the focus in the window (the line text of line 1 by default).
    void type(const QString& keys) {
        for (QChar c : keys) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window->lineText(1);
            if (!window->isAncestorOf(target)) target = window->lineText(1);
            QTest::keyClick(target, c.toLatin1());
        }
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window->lineText(1);
        QTest::keyClick(target, k, m);
    }
    // Types into a field and confirms with Enter.
    void enter(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    std::vector<std::string> messages() const { return s.messageTexts(); }
    std::string lastMessage() const {
        auto m = messages();
        return m.empty() ? "" : m.back();
    }
    Case stored(int month) {
        Case c;
        unpackMonthRecord(s.g.files.readMonth(month, s.g.caseNumber), c);
        return c;
    }
    QString amountText(int line) const { return window->amountField(line)->text(); }

    TestSession s;
    std::unique_ptr<MainWindow> window;
};

const std::string kYearSalarySorry =
    "Sorry: Das Jahresgehalt kann nur durch Änderung von Monaten geändert werden.";

} // namespace

TEST(KeyCodes, M13ShowsTheYearSalaryAndAYearCodeIsThenRefused) {
    WindowFixture f;
    f.type("m1");
    EXPECT_EQ(f.window->keyStateLabel()->text(), "m1");
    f.type("3");
    EXPECT_TRUE(f.s.g.showsYearSalary());
    EXPECT_TRUE(f.window->monthButtonWidget(13)->isChecked());
    EXPECT_TRUE(f.window->windowTitle().endsWith("REAL Jahresgehalt 2020"));
    EXPECT_EQ(f.window->keyStateLabel()->text(), "");
    f.type("j19");
    EXPECT_EQ(f.s.g.year, 2020);
    EXPECT_EQ(f.lastMessage(),
              "Sorry: Ein Jahreswechsel ist nur möglich, wenn ein Monatsgehalt eingestellt ist.");
    // back to a month, the year can change
    f.type("m02j19");
    EXPECT_EQ(f.s.g.year, 2019);
    EXPECT_EQ(f.s.g.month(), 2);
    EXPECT_TRUE(f.window->yearButtonWidget(2019)->isChecked());
}

TEST(KeyCodes, YThenAOpensTheMenuGroupWithoutDigits) {
    WindowFixture f;
    f.type("y");
    EXPECT_FALSE(f.window->menuGroup('a')->isVisible());
    f.type("a");
    EXPECT_TRUE(f.window->menuGroup('a')->isVisible());
    EXPECT_EQ(f.window->keyCodes().state(), 103);
    f.key(Qt::Key_Escape);
    EXPECT_FALSE(f.window->menuGroup('a')->isVisible());
    f.type("yb");
    EXPECT_TRUE(f.window->menuGroup('b')->isVisible());
}

TEST(KeyCodes, EscapeAfterF0LeavesNoCodePendingAndF21StartsTheTransfer) {
    WindowFixture f;
    f.type("f0");
    EXPECT_EQ(f.window->keyCodes().state(), 2);
    f.key(Qt::Key_Escape);
    EXPECT_EQ(f.window->keyCodes().state(), 0);
    EXPECT_EQ(f.window->keyStateLabel()->text(), "");
    EXPECT_TRUE(f.window->lineText(1)->hasFocus() || !f.window->isActiveWindow());
    f.type("f21");
    auto m = f.s.prompter.messages();
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m.back().title, "Von 2020 nach 2021"); // the transfer asks first; the script says no
}

TEST(KeyCodes, A04OpensLineFoursListAndTwoDigitsChooseAnEntry) {
    WindowFixture f;
    f.type("a04");
    ASSERT_TRUE(f.window->optionGrid()->isVisible());
    EXPECT_EQ(f.window->optionGrid()->line(), 4);
    EXPECT_GE(f.window->optionGrid()->entryCount(), 27);
    f.type("11"); // entry 11 is position 10, TVöD Bund
    EXPECT_FALSE(f.window->optionGrid()->isVisible());
    EXPECT_EQ(f.s.g.workingCase.serviceRelationship(), 10);
    EXPECT_EQ(f.window->lineText(4)->text().toStdString(), f.s.g.sheet.line(4).text);
    EXPECT_EQ(f.stored(12).serviceRelationship(), 10); // recalculated into the following months
    EXPECT_EQ(f.window->payStructureButton()->text(), "EGO TVöD-Bund");
}

TEST(KeyCodes, TwoDigitsChooseInAListOpenedByMouseAndG04OpensThePayGroup) {
    WindowFixture f;
    QTest::mouseClick(f.window->lineText(4), Qt::LeftButton);
    ASSERT_TRUE(f.window->optionGrid()->isVisible());
    f.type("11"); // as after a04: entry 11 is TVöD Bund
    EXPECT_FALSE(f.window->optionGrid()->isVisible());
    EXPECT_EQ(f.s.g.workingCase.serviceRelationship(), 10);
    f.type("g04");
    ASSERT_TRUE(f.window->optionGrid()->isVisible());
    EXPECT_TRUE(f.window->optionGrid()->isPayGroup());
    f.type("03");
    EXPECT_FALSE(f.window->optionGrid()->isVisible());
    EXPECT_EQ(f.s.g.workingCase.payGroup(), 2);
    // after a click on an entry, digits choose nothing any more
    QTest::mouseClick(f.window->payGroupButton(), Qt::LeftButton);
    QListWidget* list = f.window->optionGrid()->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    EXPECT_EQ(f.s.g.workingCase.payGroup(), 4);
    EXPECT_EQ(f.window->keyStateLabel()->text(), "");
}

TEST(KeyCodes, DataSetAndCopyCodesPressTheirButtonsAndIToRCopiesTheCase) {
    WindowFixture f;
    f.type("d01");
    EXPECT_EQ(f.s.g.dataSet, DataSet::Info);
    EXPECT_TRUE(f.window->dataSetButton(DataSet::Info)->hasFocus());
    f.enter(f.window->amountField(13), "321,50");
    const int32_t infoAmount = f.s.g.workingCase.amount(AmountSlot::Allowance1);
    EXPECT_EQ(infoAmount, 32150);
    f.window->lineText(1)->setFocus(); // codes are no typing in an amount field
    f.type("d03");
    EXPECT_EQ(f.s.g.dataSet, DataSet::Real);
    EXPECT_NE(f.s.g.workingCase.amount(AmountSlot::Allowance1), infoAmount);
    auto* iToR = f.window->findChild<QPushButton*>(QStringLiteral("kopier4"));
    ASSERT_NE(iToR, nullptr);
    EXPECT_EQ(iToR->text(), "I→R");
    // REAL holds the case: the copy asks first ("Nein" preselected), "Ja" copies.
    f.s.prompter.queue(PromptAnswer::Yes);
    QTest::mouseClick(iToR, Qt::LeftButton);
    EXPECT_EQ(f.s.prompter.messages().back().title, "Von INFO nach REAL");
    EXPECT_EQ(f.s.g.dataSet, DataSet::Real);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), infoAmount);
    EXPECT_EQ(f.stored(12).amount(AmountSlot::Allowance1), infoAmount);
    // k06 copies back from REAL to INFO; with its code the button keeps the focus
    f.s.prompter.queue(PromptAnswer::Yes);
    f.type("k06");
    EXPECT_TRUE(f.window->findChild<QPushButton*>(QStringLiteral("kopier5"))->hasFocus());
    for (const auto& m : f.s.prompter.messages())
        if (m.title.rfind("Von ", 0) != 0) ADD_FAILURE() << m.text();
}

TEST(KeyCodes, CtrlShortcutsTextFieldsAndFocusChangesEndAPendingCode) {
    WindowFixture f;
    // Ctrl, Ctrl+A, Ctrl+C and Ctrl+Plus in an amount field: no "y" is left behind for the next digits.
    ui::AmountField* field = f.window->amountField(13);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Control);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(f.window->keyCodes().state(), 0);
    QTest::keyClick(field, Qt::Key_Escape);
    f.type("66"); // on line 1: would be the question to delete 2020 after a pending "y"
    EXPECT_TRUE(f.messages().empty());
    EXPECT_EQ(f.window->keyStateLabel()->text(), "");

    // Ctrl alone on the sheet begins a code; a Ctrl shortcut ends it.
    f.key(Qt::Key_Control);
    EXPECT_EQ(f.window->keyCodes().state(), 1);
    f.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(f.window->keyCodes().state(), 0);

    // A code begun on line 1 ends when the focus moves, and the digits typed then are no code.
    f.type("y");
    EXPECT_EQ(f.window->keyStateLabel()->text(), "y");
    f.window->lineText(4)->setFocus();
    EXPECT_EQ(f.window->keyCodes().state(), 0);
    EXPECT_EQ(f.window->keyStateLabel()->text(), "");
    f.type("66");
    EXPECT_TRUE(f.messages().empty());

    // A code typed in one go still works.
    f.type("y66");
    ASSERT_FALSE(f.messages().empty());
    EXPECT_EQ(f.s.prompter.messages().back().title, "W A R N U N G !");
}

TEST(KeyCodes, ClickOnALineTextOpensItsListAndAnEntryClickChoosesIt) {
    WindowFixture f;
    QTest::mouseClick(f.window->lineText(47), Qt::LeftButton);
    ASSERT_TRUE(f.window->optionGrid()->isVisible());
    QListWidget* list = f.window->optionGrid()->list();
    ASSERT_EQ(list->count(), 2);
    QRect r = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(f.s.g.workingCase.key(KeySlot::Payout), 1);
    EXPECT_EQ(f.window->lineText(47)->text(), "N E T T O G E H A L T ");
}

TEST(LineInput, AnAmountInLineThirteenUpdatesGrossAndNet) {
    WindowFixture f;
    f.enter(f.window->amountField(13), "1234,5");
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 123450);
    EXPECT_EQ(f.amountText(13), "1.234,50");
    EXPECT_EQ(f.amountText(23).toStdString(),
              Money::fromCents(f.s.g.workingCase.amount(AmountSlot::Gross)).toDisplay());
    EXPECT_EQ(f.amountText(47).toStdString(),
              Money::fromCents(f.s.g.workingCase.amount(AmountSlot::NetPay)).toDisplay());
    EXPECT_GE(f.s.g.workingCase.amount(AmountSlot::Gross), 123450);
    EXPECT_NE(f.s.g.workingCase.amount(AmountSlot::NetPay), 0);
    // leaving an empty field stores 0
    f.enter(f.window->amountField(13), "");
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 0);
    EXPECT_EQ(f.amountText(13), "0,00");
    // white fields cannot be typed into
    EXPECT_TRUE(f.window->amountField(23)->isReadOnly());
    EXPECT_FALSE(f.window->amountField(13)->isReadOnly());
}

TEST(LineInput, ClosingTheWindowKeepsAnAmountTypedButNotConfirmed) {
    WindowFixture f;
    ui::AmountField* field = f.window->amountField(14);
    field->setFocus(); // selects the amount shown: typing replaces it
    QTest::keyClicks(field, "77");
    f.window->close();
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance2), 7700);
    EXPECT_EQ(f.stored(1).amount(AmountSlot::Allowance2), 7700);
    f.window.reset(); // no field reaches the window while it is destroyed
}

TEST(LineInput, TwoHundredFiftyInTheTariffFactorShowsTwoHundredAndSetsFactorTwo) {
    WindowFixture f;
    f.enter(f.window->extraField(AmountSlot::TariffFactor), "250");
    EXPECT_EQ(f.window->extraField(AmountSlot::TariffFactor)->text(), "200,00");
    EXPECT_FLOAT_EQ(f.s.g.tariffFactor, 2.0f);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::TariffFactor), 20000);
}

TEST(LineInput, TheClassFourFactorFieldStandsBesideLine34ForClassFourOnly) {
    WindowFixture f;
    EXPECT_FALSE(f.window->extraField(AmountSlot::ClassIVFactor)->isVisibleTo(f.window.get())); // class I
    ASSERT_TRUE(SetKey(f.s.g, KeySlot::TaxClass, 36)); // class IV, 1 child allowance
    f.window->redisplay();
    ui::AmountField* factor = f.window->extraField(AmountSlot::ClassIVFactor);
    ASSERT_TRUE(factor->isVisibleTo(f.window.get()));
    EXPECT_TRUE(f.window->classIVCaptionLabel()->isVisibleTo(f.window.get()));
    EXPECT_EQ(f.window->classIVCaptionLabel()->text(), "Faktor für StKl. IV:");
    EXPECT_EQ(factor->text(), "1,000");
    f.enter(factor, "0,950");
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::ClassIVFactor), 950);
    EXPECT_EQ(f.window->extraField(AmountSlot::ClassIVFactor)->text(), "0,950");
}

TEST(LineInput, CtrlPlusAddsToTheAmountOfTheField) {
    WindowFixture f;
    f.enter(f.window->amountField(44), "-50");
    ui::AmountField* field = f.window->amountField(44);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(field->pendingOperation(), '+');
    QTest::keyClicks(field, "20,25");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Deduction1), -2975);
    EXPECT_EQ(field->text(), "-29,75");
}

TEST(LineInput, EscapeRestoresWhatWasTypedAndStoresNothing) {
    WindowFixture f(3);
    ui::AmountField* field = f.window->amountField(13);
    f.enter(field, "100");
    const QString shown = field->text();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "777");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(field->text(), shown);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    EXPECT_EQ(f.stored(12).amount(AmountSlot::Allowance1), 10000);
    // a quick addition begun is dropped the same way
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClicks(field, "5");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(field->text(), shown);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 10000);

    QLineEdit* name = f.window->caseNameField();
    const std::string oldName = f.s.g.workingCase.name;
    name->setFocus();
    QTest::keyClicks(name, "Meier");
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(f.s.g.workingCase.name, oldName);
    EXPECT_EQ(name->text().toStdString(), oldName);

    QLineEdit* date = f.window->dateField();
    const QString oldDate = date->text();
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, "01.02.2020");
    QTest::keyClick(date, Qt::Key_Escape);
    EXPECT_EQ(date->text(), oldDate);
    EXPECT_EQ(f.s.g.workingCase.dateText, oldDate.toStdString());
    EXPECT_TRUE(f.messages().empty());
}

TEST(Undo, CtrlZTakesBackTheConfirmedEditsOfTheMonthOneByOne) {
    WindowFixture f(3);
    ui::AmountField* field = f.window->amountField(13);
    const QString empty = field->text();
    f.enter(field, "100");
    const QString at100 = field->text();
    const QString grossAt100 = f.amountText(23);
    f.enter(field, "250");
    QTest::mouseClick(f.window->flagCell(13, FlagColumn::WageTax), Qt::LeftButton);
    const bool taxed = f.s.g.workingCase.grossLine(13).flag(LineFlag::WageTax);
    EXPECT_EQ(f.window->editHistory().steps(f.s.g), 3u);

    // On the sheet and in a field without unconfirmed typing, Ctrl+Z undoes.
    f.window->lineText(1)->setFocus();
    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.s.g.workingCase.grossLine(13).flag(LineFlag::WageTax), !taxed);
    EXPECT_EQ(f.window->keyCodes().state(), 0); // the Ctrl of Ctrl+Z begins no code
    field->setFocus();
    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    EXPECT_EQ(field->text(), at100);
    EXPECT_EQ(f.amountText(23), grossAt100);
    EXPECT_EQ(f.stored(12).amount(AmountSlot::Allowance1), 10000);

    // Unconfirmed typing is the field's own to take back.
    QTest::keyClicks(field, "9");
    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    QTest::keyClick(field, Qt::Key_Escape);

    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 0);
    EXPECT_EQ(field->text(), empty);
    EXPECT_EQ(f.stored(12).amount(AmountSlot::Allowance1), 0);
    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.window->hintLine()->text(),
              "In diesem Monat gibt es keine Eingabe, die rückgängig gemacht werden kann.");
    EXPECT_TRUE(f.messages().empty());
}

TEST(LineInput, AnEditInDecemberRunsNoFollowingMonths) {
    WindowFixture f(12);
    f.enter(f.window->amountField(13), "700");
    EXPECT_EQ(f.stored(12).amount(AmountSlot::Allowance1), 70000);
    EXPECT_EQ(f.stored(11).amount(AmountSlot::Allowance1), 0);
    WindowFixture g(11);
    g.enter(g.window->amountField(13), "300");
    EXPECT_EQ(g.stored(12).amount(AmountSlot::Allowance1), 30000);
}

TEST(YearSalary, AClickOnALineTextShowsTheSorryMessageAndChangesNothing) {
    WindowFixture f;
    f.enter(f.window->amountField(13), "100");
    QTest::mouseClick(f.window->monthButtonWidget(13), Qt::LeftButton);
    ASSERT_TRUE(f.s.g.showsYearSalary());
    EXPECT_EQ(f.amountText(13), "1.200,00");
    EXPECT_TRUE(f.window->amountField(13)->isReadOnly());
    Case before = f.s.g.workingCase;
    QTest::mouseClick(f.window->lineText(4), Qt::LeftButton);
    EXPECT_FALSE(f.window->optionGrid()->isVisible());
    EXPECT_EQ(f.lastMessage(), kYearSalarySorry);
    QTest::mouseClick(f.window->flagCell(13, FlagColumn::WageTax), Qt::LeftButton);
    EXPECT_EQ(f.lastMessage(), kYearSalarySorry);
    f.window->functionButton(24);
    EXPECT_EQ(f.lastMessage(),
              "Nicht für das Jahresgehalt: Die Entgeltbescheinigung steht nur für Monatsgehälter zur "
              "Verfügung.");
    f.window->functionButton(21);
    EXPECT_EQ(f.lastMessage(), "Jahresgehalt ändern: Während das JAHRESGEHALT eingestellt ist, können keine "
                               "Änderungen vorgenommen werden. Bitte stellen Sie ein Monatsgehalt ein.");
    EXPECT_EQ(f.s.g.workingCase, before);
}

TEST(Flags, AClickTogglesTheCellAndTheCase) {
    WindowFixture f;
    ui::SheetCell* cell = f.window->flagCell(13, FlagColumn::WageTax);
    EXPECT_EQ(cell->text(), "x");
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(cell->text(), "-");
    EXPECT_FALSE(f.s.g.workingCase.grossLine(13).flag(LineFlag::WageTax));
    f.type("b08"); // a new case's pay lines start in category "A"; a click moves on to the next
    EXPECT_EQ(f.window->flagCell(8, FlagColumn::PartialRetirement)->text(), "B");
    f.type("z13");
    EXPECT_EQ(f.window->flagCell(13, FlagColumn::SupplementaryPension)->text(), "-");
}

TEST(Visibility, CivilServantsHideTheContributionLinesAndColumns) {
    WindowFixture f;
    f.type("a0401"); // position 0: a civil servant
    ASSERT_EQ(f.s.g.workingCase.serviceRelationship(), 0);
    EXPECT_FALSE(f.window->lineText(39)->isVisible());
    EXPECT_FALSE(f.window->amountField(42)->isVisible());
    EXPECT_TRUE(f.window->lineText(38)->isVisible());
    EXPECT_FALSE(f.window->flagCell(8, FlagColumn::SocialInsurance)->isVisible());
    EXPECT_TRUE(f.window->flagCell(8, FlagColumn::WageTax)->isVisible());
    EXPECT_TRUE(f.window->lawLinkButton()->isVisible());
}

TEST(Renaming, FirstEntriesAreRenamedAndTheCostCentreIsProtected) {
    WindowFixture f;
    f.type("n13");
    ASSERT_TRUE(f.window->renameEditor()->isVisible());
    f.enter(f.window->renameEditor(), "Erschwerniszulage");
    EXPECT_EQ(f.window->lineText(13)->text(), "Erschwerniszulage");
    EXPECT_FALSE(f.window->renameEditor()->isVisible());
    f.type("n28");
    EXPECT_EQ(f.lastMessage(), "Geschützter Datensatz: Die 1. Position der Liste (Keine Kostenstelle)\n"
                               "kann nicht verändert werden.");
}

TEST(CaseName, TheHintCountsTheLettersAndEnterRenamesTheCase) {
    WindowFixture f;
    QLineEdit* name = f.window->caseNameField();
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, "Meier");
    EXPECT_EQ(f.window->hintLine()->text(), "5 Buchstaben von maximal 35.");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(f.s.g.workingCase.name, "Meier");
    EXPECT_EQ(f.window->lineText(1)->text(), "Meier");
    EXPECT_EQ(name->maxLength(), 35);
}

TEST(Memo, KeptWithTheCaseItWasTypedFor) {
    WindowFixture f;
    f.window->functionButton(22);
    QLineEdit* memo = f.window->memoField();
    ASSERT_TRUE(memo->isVisible());
    f.enter(memo, "1.234,56");
    EXPECT_EQ(shownCaseMemo(f.s.g), "1.234,56");

    // Typed and left without Enter, then another case: the memo stays with case 1.
    memo->setFocus();
    QTest::keyClicks(memo, " offen");
    f.window->lineText(1)->setFocus();
    f.type("a01");
    f.type("02");
    ASSERT_EQ(f.s.g.caseNumber, 2);
    EXPECT_EQ(memo->text(), "");
    f.type("a01");
    f.type("01");
    EXPECT_EQ(memo->text(), "1.234,56 offen");

    // Escape takes back what was typed.
    memo->setFocus();
    QTest::keyClicks(memo, "x");
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_EQ(memo->text(), "1.234,56 offen");
}

TEST(CaseList, TheEntryAfterTheLastCaseCreatesANewCase) {
    WindowFixture f;
    f.type("a01");
    ASSERT_TRUE(f.window->optionGrid()->isVisible());
    int entries = f.window->optionGrid()->entryCount();
    ASSERT_EQ(entries, 2);
    f.type("02");
    EXPECT_EQ(f.s.g.caseNumber, 2);
    EXPECT_EQ(f.window->lineText(1)->text(), "Personalfall 2");
    EXPECT_EQ(f.window->caseNumberField()->value(), 2);
}

TEST(Calculator, ResultGoesIntoTheFieldThatHadTheFocus) {
    WindowFixture f;
    f.type("f11");
    ui::CalculatorWidget* calc = f.window->calculator();
    ASSERT_TRUE(calc->isVisible());
    f.window->amountField(14)->setFocus();
    for (QChar k : QStringLiteral("1000/8="))
        calc->press(k);
    EXPECT_EQ(calc->readout(), "125");
    QTest::mouseClick(calc->transferButton(), Qt::LeftButton);
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance2), 12500);
    for (QChar k : QStringLiteral("1/0="))
        calc->press(k);
    EXPECT_EQ(f.lastMessage(), "Rechner: Division durch Null ist nicht möglich");
    f.type("f11");
    EXPECT_FALSE(calc->isVisible());
}

TEST(Calculator, TypedKeysCalculateBackspaceTakesBackAndEscapeClosesIt) {
    WindowFixture f;
    f.type("f11");
    ui::CalculatorWidget* calc = f.window->calculator();
    ASSERT_TRUE(calc->isVisible());
    ASSERT_TRUE(calc->hasFocus());
    QTest::keyClicks(calc, "12,55");
    f.key(Qt::Key_Backspace);
    QTest::keyClicks(calc, "*4-0.2");
    f.key(Qt::Key_Return);
    EXPECT_EQ(calc->readout(), "49,8"); // 12,5 × 4 − 0,2
    QTest::keyClicks(calc, "/8=");
    EXPECT_EQ(calc->readout(), "6,225");
    f.key(Qt::Key_8, Qt::KeypadModifier);
    f.key(Qt::Key_Plus, Qt::KeypadModifier);
    f.key(Qt::Key_1, Qt::KeypadModifier);
    f.key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(calc->readout(), "9");
    f.key(Qt::Key_Escape);
    EXPECT_FALSE(calc->isVisible());
    EXPECT_TRUE(f.messages().empty());
}

TEST(Hints, TooltipsShowTheHintWithItsCodeAndTheMenuGroupsHaveDistinctAltLetters) {
    WindowFixture f;
    auto* iToR = f.window->findChild<QPushButton*>(QStringLiteral("kopier4"));
    ASSERT_NE(iToR, nullptr);
    EXPECT_EQ(iToR->toolTip(), "Kopiert den Personalfall (Januar bis Dezember) von INFO nach REAL.   (k05)");
    EXPECT_TRUE(f.window->dataSetButton(DataSet::Plan)->toolTip().endsWith("(d02)"));
    EXPECT_TRUE(f.window->payGroupButton()->toolTip().endsWith("(g04)"));
    EXPECT_TRUE(f.window->monthButtonWidget(13)->toolTip().startsWith("Ruft das Jahresgehalt auf"));
    QSet<QChar> letters;
    for (QAction* a : f.window->menuBar()->actions()) {
        const QString text = a->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << text.toStdString();
        letters.insert(text.at(amp + 1).toUpper());
    }
    EXPECT_EQ(letters.size(), f.window->menuBar()->actions().size());
    EXPECT_EQ(f.window->menuBar()->actions().first()->text(), "&Start/Beenden");
}

namespace {

// Asks through the message box and answers with Enter; returns the answer and the labels and default
// button the box showed.
struct BoxSeen {
    PromptAnswer answer = PromptAnswer::Ok;
    QStringList labels;
    QString defaultLabel;
};
BoxSeen askWithEnter(const PromptMessage& m) {
    ui::QtPrompter prompter;
    BoxSeen seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            seen.labels << b->text();
        seen.labels.sort();
        seen.defaultLabel = box->defaultButton() ? box->defaultButton()->text() : QString();
        QTest::keyClick(box, Qt::Key_Return);
    });
    seen.answer = prompter.ask(m);
    return seen;
}

} // namespace

TEST(Prompter, ButtonsAreGermanAndADestructiveQuestionStartsOnItsRefusal) {
    PromptMessage q{PromptIcon::Question, "Frage", {"Weiter?"}, PromptButtons::YesNo};
    BoxSeen seen = askWithEnter(q);
    EXPECT_EQ(seen.labels, QStringList({"Ja", "Nein"}));
    EXPECT_EQ(seen.answer, PromptAnswer::Yes);
    q.refusalIsDefault = true;
    seen = askWithEnter(q);
    EXPECT_EQ(seen.defaultLabel, "Nein");
    EXPECT_EQ(seen.answer, PromptAnswer::No);

    PromptMessage w{PromptIcon::Warning, "W A R N U N G !", {"Löschen?"}, PromptButtons::OkCancel, true};
    seen = askWithEnter(w);
    EXPECT_EQ(seen.labels, QStringList({"Abbrechen", "OK"}));
    EXPECT_EQ(seen.defaultLabel, "Abbrechen");
    EXPECT_EQ(seen.answer, PromptAnswer::Cancel);

    // Letter-spaced words stay whole; the wider gaps around them may break.
    const QChar nb(0x00A0);
    EXPECT_EQ(ui::withUnbreakableLetterSpacing("werden   a l l e  bisher\nA U S Z A H L U N G"),
              QString("werden   a%1l%1l%1e  bisher\nA%1U%1S%1Z%1A%1H%1L%1U%1N%1G").arg(nb));
    EXPECT_EQ(ui::withUnbreakableLetterSpacing("Zeile 6 - Datum"), "Zeile 6 - Datum");
}

TEST(Menu, UnbuiltFunctionsAnswerWithTheirMessage) {
    WindowFixture f;
    f.type("f10");
    EXPECT_EQ(f.lastMessage(),
              "Interesse?: Diese Funktion sollte entwickelt werden, wenn genügend Interesse daran "
              "bekundet wird. Dies war bisher nicht der Fall.");
    f.type("i05"); // the info button of a line that has none
    EXPECT_EQ(f.lastMessage(),
              "Sorry: Die nun benötigte Funktion funktioniert noch nicht gefahrlos\nund wurde "
              "deshalb noch nicht ins Programm aufgenommen.\nBitte gedulden Sie sich noch etwas.");
    f.type("yb22"); // the group opens, the digits choose its item
    ASSERT_TRUE(f.window->panel());
    EXPECT_EQ(f.window->panel()->titleLine()->text(), "Sonderzahlung der Beamten im Jahr 2020");
    f.window->panel()->leave();
    f.type("h08");
    EXPECT_EQ(f.messages().back().substr(0, 10), "Interesse?");
    f.type("f20");
    EXPECT_FALSE(f.s.g.followingMonthsOn);
    f.type("f20");
    EXPECT_TRUE(f.s.g.followingMonthsOn);
}

TEST(PanelKeyFilter, DateFieldRefusesWrongKeysWithTheirMessages) {
    WindowFixture f;
    QLineEdit* date = f.window->dateField();
    date->setFocus();
    QTest::keyClick(date, '4');
    EXPECT_EQ(date->text(), "");
    EXPECT_EQ(f.lastMessage(),
              "Nummer des Tages im Geburtsmonat: An dieser Stelle ist nur 0, 1,2 oder 3 erlaubt");
    QTest::keyClicks(date, "1");
    QTest::keyClick(date, '/');
    EXPECT_EQ(date->text(), "1");
    EXPECT_EQ(f.lastMessage(), "Format: Das Datum ist in folgendem Format einzugeben: TT.MM.JJJJ");
    QTest::keyClicks(date, "5.03.2019");
    EXPECT_EQ(date->text(), "15.03.2019");
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(f.s.g.workingCase.dateText, "15.03.2019");

    QLineEdit digits;
    ui::PanelKeyFilter::install(&digits, PanelFieldKind::Digits, f.s.prompter);
    QTest::keyClicks(&digits, "12a3");
    EXPECT_EQ(digits.text(), "123");
    EXPECT_EQ(f.lastMessage(), "Format: Hier sind nur die Ziffern 0 bis 9 zulässig.");
}

TEST(Display, SharePanelsReminderAndHints) {
    WindowFixture f;
    EXPECT_EQ(f.window->sharePanel(0)->caption(), "Steuer 0%");
    EXPECT_EQ(f.window->sharePanel(2)->percent(), 0);
    f.enter(f.window->amountField(13), "3000");
    EXPECT_EQ(f.window->sharePanel(2)->caption().toStdString(), sheetCaptions(f.s.g).netShare);
    EXPECT_GT(f.window->sharePanel(2)->percent(), 0);

    EXPECT_FALSE(f.window->reminderTimer().isActive());
    f.window->showReminder(std::string("Sonderzahlung nicht vergessen: 400 €"));
    EXPECT_TRUE(f.window->reminderTimer().isActive());
    bool shown = f.window->reminderLabel()->isVisible();
    QTest::qWait(f.window->reminderTimer().interval() + 100);
    EXPECT_NE(f.window->reminderLabel()->isVisible(), shown); // it blinks
    f.window->showReminder(std::nullopt);
    EXPECT_FALSE(f.window->reminderTimer().isActive());
    EXPECT_FALSE(f.window->reminderLabel()->isVisible());

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(f.window->amountField(23), &enter);
    EXPECT_TRUE(
        f.window->hintLine()->text().startsWith("Weißes Währungsfeld. Der Betrag im Betragsfeld wurde vom "
                                                "Programm errechnet und kann nicht verändert werden."));
    QApplication::sendEvent(f.window->amountField(13), &enter);
    EXPECT_TRUE(
        f.window->hintLine()->text().contains("Über Strg+Plus/Minus lässt sich ein Betrag schnell addieren "
                                              "bzw. subtrahieren."));
    QApplication::sendEvent(f.window->monthButtonWidget(13), &enter);
    EXPECT_TRUE(f.window->hintLine()->text().startsWith("Ruft das Jahresgehalt auf"));
}

TEST(Placement, AStoredPlaceOutsideTheScreenIsBroughtBack) {
    WindowFixture f;
    ui::MemoryGeometryStore store;
    store.save(WindowRect{50000, 40000, 900, 700});
    f.window->restorePlacement(&store);
    QRect screen = f.window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(f.window->frameGeometry().topLeft()) ||
                screen.contains(f.window->geometry().topLeft()));
    EXPECT_LE(f.window->width(), screen.width());
}

TEST(Placement, TheWindowRecordKeepsThePlaceInTwipsWithinItsFields) {
    TestSession s;
    ui::WindowRecordGeometry record(s.g);
    EXPECT_FALSE(record.load());
    record.save(WindowRect{100, 40, 1124, 752});
    EXPECT_EQ(s.g.storage.window.mainGeometry(), (std::array<int32_t, 4>{1500, 600, 11280, 16860}));
    EXPECT_EQ(record.load(), (WindowRect{100, 40, 1124, 752}));
    record.save(WindowRect{3000, -2500, 1124, 752}); // far right on a second screen, far above
    EXPECT_EQ(record.load()->x, 32767 / 15);
    EXPECT_EQ(record.load()->y, -32768 / 15);
}

// The panel window's place goes into its fields of the window record (518, 554) and the panel opens there
// again, as after a restart that read the record.
TEST(Placement, ThePanelWindowOpensWhereItWasLeft) {
    WindowFixture f;
    ui::WindowRecordGeometry record(f.s.g, ui::WindowRecordGeometry::Window::Panel);
    f.window->setPanelPlacement(&record);
    f.window->menuItem(9); // the backups: a panel small enough for every screen
    ASSERT_NE(f.window->panel(), nullptr);
    f.window->panel()->move(30, 40);
    const QSize size = f.window->panel()->size();
    f.window->panel()->leave();
    EXPECT_EQ(f.s.g.storage.window.panelGeometry(),
              (std::array<int32_t, 4>{450, 600, size.height() * 15, size.width() * 15}));
    EXPECT_EQ(f.s.g.storage.window.mainGeometry()[0], 0) << "the main window's fields stay";

    f.window->panel()->move(400, 300); // hidden: not remembered
    f.window->menuItem(9);
    EXPECT_EQ(f.window->panel()->pos(), QPoint(30, 40));
}

TEST(EngineFaults, WhatAnEngineCallThrowsIsShownAsFehlerAndTheWindowGoesOn) {
    test::ScriptedPrompter p;
    EXPECT_TRUE(ui::callEngine(p, [] {}));
    EXPECT_FALSE(ui::callEngine(p, [] { throw Error("Die Monatsdatei ist beschädigt."); }));
    EXPECT_FALSE(ui::callEngine(p, [] { throw std::out_of_range("month 14"); }));
    EXPECT_FALSE(ui::callEngine(p, [] { throw 14; }));
    ASSERT_EQ(p.messages().size(), 3u);
    for (const PromptMessage& m : p.messages()) {
        EXPECT_EQ(m.title, "Fehler");
        EXPECT_EQ(m.icon, PromptIcon::Critical);
        EXPECT_FALSE(m.text().empty());
    }
    EXPECT_EQ(p.messages()[0].text(), "Die Monatsdatei ist beschädigt.");
    EXPECT_EQ(p.messages()[1].text(), userMessage(std::out_of_range("month 14")));

    // Through the window: the user folder lies below a file, so that opening another data set fails.
    WindowFixture f;
    const std::filesystem::path folder = f.s.g.userFolder;
    std::ofstream(f.s.g.programDir / "blocked") << "x";
    f.s.g.userFolder = f.s.g.programDir / "blocked" / "User001";
    size_t before = f.s.prompter.messages().size();
    QTest::mouseClick(f.window->dataSetButton(DataSet::Info), Qt::LeftButton);
    ASSERT_GT(f.s.prompter.messages().size(), before);
    EXPECT_EQ(f.s.prompter.messages().back().title, "Fehler");
    f.s.g.userFolder = folder;
    QTest::mouseClick(f.window->dataSetButton(DataSet::Real), Qt::LeftButton);
    EXPECT_TRUE(f.window->dataSetButton(DataSet::Real)->isChecked());
    f.enter(f.window->amountField(13), "100");
    EXPECT_EQ(f.s.g.workingCase.amount(AmountSlot::Allowance1), 10000);
    EXPECT_EQ(f.amountText(13), "100,00");
}

TEST(Layout, TheSheetFitsA1280By800ScreenAndSpreadsWithTheWindow) {
    WindowFixture f;
    auto* scroll = qobject_cast<QScrollArea*>(f.window->centralWidget());
    ASSERT_NE(scroll, nullptr);
    auto settle = [&](int w, int h) {
        f.window->resize(w, h);
        QApplication::processEvents();
    };
    // A screen of 1280 × 800 with a task bar and a title bar leaves about 1272 × 730 inside the window.
    for (QSize inside : {QSize(1280, 800), QSize(1272, 730)}) {
        settle(inside.width(), inside.height());
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << inside.width() << "×" << inside.height();
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()) << inside.width() << "×" << inside.height();
        // no empty band: the net side's amounts and buttons reach the right part of the window
        EXPECT_GT(f.window->amountField(47)->geometry().right(), scroll->viewport()->width() - 120);
        EXPECT_LE(f.window->amountField(47)->geometry().right(), scroll->viewport()->width());
    }
    settle(1124, 752);
    const int text = f.window->lineText(8)->width();
    const int amount = f.window->amountField(8)->width();
    const int netAmount = f.window->amountField(34)->width();
    const QRect line47 = f.window->amountField(47)->geometry();
    settle(1524, 852);
    // 400 more: each side 200, three quarters to the texts and a quarter to the amounts
    EXPECT_EQ(f.window->lineText(8)->width(), text + 150);
    EXPECT_EQ(f.window->amountField(8)->width(), amount + 50);
    EXPECT_EQ(f.window->amountField(34)->width(), netAmount + 50);
    EXPECT_GT(f.window->amountField(47)->geometry().top(), line47.top()); // the rows part
    EXPECT_EQ(f.window->amountField(47)->height(), line47.height());      // cells keep their height
    EXPECT_LT(f.window->lineText(24)->geometry().left(), f.window->amountField(34)->geometry().left());
    // the sides do not overlap and the line 8 amount stays left of its flag cells
    EXPECT_LT(f.window->amountField(8)->geometry().right(),
              f.window->flagCell(8, FlagColumn::WageTax)->geometry().left());
    EXPECT_LT(f.window->flagCell(8, FlagColumn::PartialRetirement)->geometry().right(),
              f.window->lineNumber(24)->geometry().left());
}
