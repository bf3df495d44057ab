// The panel contents for the employer texts of the printouts and the colours of the window areas, and
// the ways into the tariff multipliers and the family allowance, on the offscreen platform.
#include "panel_window_fixture.h"
#include "persistence/window_record.h"
#include "presentation/colour_panel.h"
#include "presentation/menu_dispatch.h"
#include "presentation/navigation.h"
#include "session/master_data.h"
#include "session/year_settings_ops.h"
#include "support/cli_runner.h"
#include "support/session.h"
#include "ui/main_window.h"
#include "ui/sheet_cell.h"
#include "ui/tablett.h"
#include "ui/tariff_editor_window.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace varemo;
using varemo::test::TestSession;
using varemo::ui::MainWindow;
using varemo::ui::Tablett;

namespace {

struct Fixture : varemo::test::PanelWindowFixture {
    QColor background() const { return window->centralWidget()->palette().color(QPalette::Window); }
};

} // namespace

TEST(MorePanels, EmployerTextsAreSavedIntoTheRecordAndATooLongTextIsRefused) {
    Fixture f;
    f.type("y05");
    ASSERT_EQ(f.panel()->content(), panel::kEmployerData);
    auto* line1 = f.element<QLineEdit>("Text1");
    auto* town = f.element<QLineEdit>("Text9");
    ASSERT_TRUE(line1 && town);

    line1->setText("Stadtverwaltung Überall");
    town->setText("Überall");
    f.click("Änderungen speichern");
    EXPECT_EQ(f.s.g.storage.window.employerText(EmployerText::Line1), "Stadtverwaltung Überall");
    EXPECT_EQ(readWindowRecord(f.s.g.userFolder).employerText(EmployerText::Line1),
              "Stadtverwaltung Überall");
    EXPECT_EQ(readWindowRecord(f.s.g.userFolder).employerText(EmployerText::Town), "Überall");

    // The first line keeps 35 characters: a longer one is refused by name, and nothing is stored.
    const size_t before = f.s.prompter.messages().size();
    line1->setText(QString(36, QLatin1Char('x')));
    f.click("Änderungen speichern");
    ASSERT_GT(f.s.prompter.messages().size(), before);
    EXPECT_EQ(f.s.prompter.messages().back().lines.front(),
              "Der Text \"" + std::string(36, 'x') +
                  "\" für \"Arbeitgeber, 1. Zeile\" ist ungültig. Erlaubt sind höchstens 35 Zeichen.");
    EXPECT_EQ(line1->text(), "Stadtverwaltung Überall");
    EXPECT_EQ(readWindowRecord(f.s.g.userFolder).employerText(EmployerText::Line1),
              "Stadtverwaltung Überall");

    // Reopened, the panel shows the stored texts.
    f.panel()->leave();
    f.type("y05");
    EXPECT_EQ(f.element<QLineEdit>("Text9")->text(), "Überall");
}

TEST(MorePanels, OptionTextsAreTypedSavedShownOnTheSheetAndReopened) {
    Fixture f;
    varemo::test::copyShippedFiles(f.s.g.programDir);
    const int region = f.s.g.workingCase.key(KeySlot::Region);
    auto typeRegionName = [&f, region](const QString& name) {
        f.type("y08");
        ASSERT_EQ(f.panel()->content(), panel::kOptionTexts);
        auto* table = f.element<QTableWidget>("Texte");
        ASSERT_EQ(table->rowCount(), 18); // the list of line 2 first
        table->setCurrentCell(region, 0);
        auto* text = f.element<QLineEdit>("Text");
        text->selectAll();
        QTest::keyClicks(text, name);
        QTest::keyClick(text, Qt::Key_Return);
        EXPECT_EQ(table->item(region, 2)->text(), "geändert");
    };
    typeRegionName("Zweckverband Nord");
    // Escape asks about the change, starting on "Nein"; the scripted "Nein" keeps the file.
    QTest::keyClick(f.panel(), Qt::Key_Escape);
    EXPECT_EQ(f.s.prompter.messages().back().title, "Änderungen speichern?");
    EXPECT_TRUE(f.s.prompter.messages().back().refusalIsDefault);
    EXPECT_EQ(f.panel()->content(), 0);

    typeRegionName("Zweckverband Nord");
    f.click("Änderungen speichern");
    EXPECT_EQ(f.window->lineText(2)->text(), "Zweckverband Nord");
    f.panel()->leave();
    f.type("y08");
    EXPECT_EQ(f.element<QTableWidget>("Texte")->item(region, 1)->text(), "Zweckverband Nord");
}

TEST(MorePanels, ASavedColourShowsAtOnceAndComesBackFromTheYearsSettings) {
    Fixture f;
    const QColor before = f.background();
    f.type("y06");
    ASSERT_EQ(f.panel()->content(), panel::kColours);
    EXPECT_EQ(f.panel()->titleLine()->text(), "Farben der Fensterbereiche im Jahr 2020");

    // The window background (first area) chosen in the colour dialog.
    auto* body = f.panel()->body();
    QTimer::singleShot(0, body, [body] {
        auto* dialog = body->findChild<QColorDialog*>(QStringLiteral("Farbauswahl"));
        ASSERT_TRUE(dialog);
        dialog->setCurrentColor(QColor(10, 120, 200));
        dialog->accept();
    });
    f.element<QPushButton>("Farbe1")->click();
    EXPECT_EQ(f.element<QPushButton>("Farbe1")->text(), "10, 120, 200");
    EXPECT_EQ(f.background(), before); // not before it is saved
    f.click("Änderungen speichern");
    EXPECT_EQ(f.background(), QColor(10, 120, 200));

    LoadYearSettings(f.s.g); // from the file of the year
    EXPECT_EQ(colourOf(yearColours(f.s.g), ColourArea::Window), (Rgb{10, 120, 200}));

    // "Vorgabewerte" saved: the program's colours again, in the file and on the screen.
    f.click("Vorgabewerte");
    f.click("Änderungen speichern");
    LoadYearSettings(f.s.g);
    EXPECT_FALSE(f.s.g.colours);
    EXPECT_EQ(f.background(), before);
}

TEST(MorePanels, TariffMultipliersAndFamilyAllowanceAreReachable) {
    Fixture f;
    f.window->openPanel(panel::kTariffOverview);
    f.click("Multiplikatoren");
    EXPECT_EQ(f.panel()->content(), panel::kTariffMultipliers);
    f.panel()->leave();
    auto* info = f.window->findChild<ui::SheetCell*>(QStringLiteral("extra10"));
    ASSERT_TRUE(info);
    info->click();
    EXPECT_EQ(f.panel()->content(), panel::kFamilyAllowance);
}

// Y22: a rule of a Land typed into the table, saved with the reminder that stored cases keep their
// figures, and handed to the run; "Vorgabewerte" brings back the shipped rule.
TEST(MorePanels, CivilServantRulesAreTypedIntoTheTableAndSaved) {
    Fixture f;
    f.type("y22");
    ASSERT_EQ(f.panel()->content(), panel::kCivilServantRules);
    auto* table = f.element<QTableWidget>(QStringLiteral("MSFlexGrid1"));
    ASSERT_TRUE(table);
    const auto rows = table->findItems(QStringLiteral("beamte-sz.2.1.prozent"), Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    QTableWidgetItem* value = table->item(rows.front()->row(), 2);
    EXPECT_EQ(value->text(), "70,00");
    value->setText(QStringLiteral("75,5"));
    f.click(QStringLiteral("Änderungen speichern"));
    EXPECT_EQ(f.s.g.extras.civilRules[2].rules[0].percentMilli, 75500);
    EXPECT_EQ(f.s.prompter.messages().back().lines.front(),
              "Die Regeln gelten für die Monate, die von jetzt an berechnet werden.");
    f.click(QStringLiteral("Vorgabewerte"));
    EXPECT_EQ(value->text(), "70,00");
    f.click(QStringLiteral("Änderungen speichern"));
    EXPECT_EQ(f.s.g.extras.civilRules[2].rules[0].percentMilli, 70000);
}

// The info button of line 1 opens the person's master data; a tax ID with a wrong check digit
// (§ 139b AO: 12345678995 is valid) is refused and stores nothing.
TEST(MorePanels, MasterDataAreSavedAndAWrongTaxIdIsRefused) {
    Fixture f;
    f.type("i01");
    ASSERT_EQ(f.panel()->content(), panel::kMasterData);
    auto* taxId = f.element<QLineEdit>("Text2");
    auto* iban = f.element<QLineEdit>("Text6");
    ASSERT_TRUE(taxId && iban);
    taxId->setText("12345678995");
    iban->setText("DE89 3704 0044 0532 0130 00");
    f.click("Änderungen speichern");
    EXPECT_EQ(caseMasterData(f.s.g, f.s.g.caseNumber).iban, "DE89370400440532013000");

    taxId->setText("12345678990");
    f.click("Änderungen speichern");
    EXPECT_EQ(f.s.prompter.messages().back().lines.front(),
              "Die Steuer-ID 12345678990 ist ungültig: die Prüfziffer stimmt nicht.");
    EXPECT_EQ(caseMasterData(f.s.g, f.s.g.caseNumber).taxId, "12345678995");
}

// The overview's "Tabelle bearbeiten" opens the editor on the case's table: a typed amount that is no
// amount is refused, a raise is previewed and taken into the window, "Speichern" writes it and the
// session reads it; Escape with unsaved changes asks, and "Abbrechen" keeps the window open.
TEST(MorePanels, TheTariffEditorEditsRaisesSavesAndAsksBeforeDroppingChanges) {
    Fixture f;
    varemo::test::copyShippedFiles(f.s.g.programDir);
    f.s.g.tariffs = TariffYear(f.s.g.programDir, 2020);
    f.window->openPanel(panel::kTariffOverview);
    f.click("Tabelle bearbeiten");
    QPointer<ui::TariffEditorWindow> editor = f.window->findChild<ui::TariffEditorWindow*>();
    ASSERT_TRUE(editor);
    auto* region = editor->findChild<QComboBox*>(QStringLiteral("Region"));
    auto* relationship = editor->findChild<QComboBox*>(QStringLiteral("Dienstverhaeltnis"));
    region->setCurrentIndex(region->findData(0));
    relationship->setCurrentIndex(relationship->findData(0)); // Besoldungsordnung A of the Bund
    int a9 = -1;
    for (int r = 0; r < editor->grid()->rowCount(); ++r)
        if (editor->grid()->item(r, 1)->text() == "9") a9 = r; // record 9: A9
    ASSERT_GE(a9, 0);
    QTableWidgetItem* step3 = editor->grid()->item(a9, 2 + 2);
    EXPECT_EQ(step3->text(), "3.142,39"); // bbesg_bund_a.csv "2020-03,A9,3,3142.39"
    step3->setText("drei");
    EXPECT_EQ(f.s.prompter.messages().back().title, "Eingabe");
    EXPECT_EQ(editor->grid()->item(a9, 4)->text(), "3.142,39");
    EXPECT_FALSE(editor->edit()->hasChanges());

    editor->percentField()->setText("3,2");
    editor->raiseFromBox()->setCurrentIndex(6); // July
    f.s.prompter.queue(PromptAnswer::Yes);
    editor->button(QStringLiteral("Erhoehen"))->click();
    EXPECT_EQ(editor->edit()->changedMonths(), (std::vector<int>{7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(f.s.g.tariffs.readRecord(7, 9).amount(2), 314239); // nothing written yet

    f.s.prompter.queue(PromptAnswer::Cancel);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(editor && editor->isVisible()); // "Abbrechen": the window stays with its changes
    EXPECT_EQ(f.s.prompter.messages().back().lines.front(),
              "Die Änderungen der Tariftabellen 2020 sind noch nicht gespeichert.");
    editor->button(QStringLiteral("Speichern"))->click();
    EXPECT_FALSE(editor->edit()->hasChanges());
    EXPECT_EQ(f.s.g.tariffs.readRecord(7, 9).amount(2), 324295); // 3.142,39 x 1,032, half up
    EXPECT_EQ(f.s.g.tariffs.readRecord(6, 9).amount(2), 314239);
    QTest::keyClick(editor, Qt::Key_Escape); // nothing unsaved: closes without a question
    QTest::qWait(20);
    EXPECT_TRUE(!editor || !editor->isVisible());
}
