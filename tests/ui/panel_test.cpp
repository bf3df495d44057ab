// The panel window and what the menu reaches through it, on the offscreen platform: the common
// buttons and keys, closing on focus loss, saving and reopening, a destructive action that starts on
// "Nein", the window "Sonderregelungen", the recalculation of all cases and the configured links.
#include "panel_window_fixture.h"
#include "persistence/month_record.h"
#include "persistence/settings_file.h"
#include "persistence/user_files.h"
#include "presentation/menu_dispatch.h"
#include "presentation/navigation.h"
#include "presentation/settings_panel.h"
#include "session/case_operations.h"
#include "session/recalculate.h"
#include "session/startup.h"
#include "session/users.h"
#include "session/year_settings_ops.h"
#include "support/session.h"
#include "ui/calculator_windows.h"
#include "ui/main_window.h"
#include "ui/panel_key_filter_qt.h"
#include "ui/print_preview.h"
#include "ui/sheet_cell.h"
#include "ui/special_rules_dialog.h"
#include "ui/tablett.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace varemo;
using varemo::test::TestSession;
using varemo::ui::MainWindow;
using varemo::ui::Tablett;

namespace {

using PanelFixture = varemo::test::PanelWindowFixture;

// Receives the addresses the program hands to the system browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace

TEST(Tablett, CommonButtonsKeyFilterDefaultsAndEscape) {
    PanelFixture f;
    f.window->openPanel(panel::kAnnualEarnings);
    ASSERT_EQ(f.panel()->content(), 432);
    EXPECT_TRUE(f.panel()->titleLine()->text().startsWith("Berechnung des Jahresarbeitsentgelts für "));
    QStringList captions;
    for (int n = 1; f.panel()->button(n); ++n) {
        captions << f.panel()->button(n)->text();
        // Enter never presses a button that was not chosen.
        EXPECT_FALSE(f.panel()->button(n)->isDefault());
        EXPECT_FALSE(f.panel()->button(n)->autoDefault());
    }
    EXPECT_EQ(captions, QStringList({"Berechnen", "Vorgabewerte", "Hilfe", "Drucken", "Schließen"}));
    EXPECT_EQ(f.panel()->button(5)->objectName(), "SSCommand5");
    for (QLineEdit* field : f.panel()->body()->findChildren<QLineEdit*>())
        EXPECT_TRUE(field->findChild<ui::PanelKeyFilter*>()) << field->objectName().toStdString();

    // The key filter of an amount field: a letter is dropped, an amount above 50000 refused.
    auto* special = f.element<QLineEdit>("Text1");
    special->setFocus();
    special->selectAll();
    QTest::keyClicks(special, "4x0000");
    EXPECT_EQ(special->text(), "40000");
    QTest::keyClick(special, '1');
    EXPECT_EQ(f.lastMessage(), "Fehler: Ein Betrag über 50.000 ist sicher falsch.");
    EXPECT_EQ(special->text(), "40000");

    // An additional annual amount of 1.000,00 raises the annual earnings by exactly that (§ 6 (1) Nr. 1
    // SGB V counts the expected regular pay of the year; the panel adds the typed amount once).
    auto total = [&f] {
        auto* grid = f.element<QTableWidget>("MSFlexGrid1");
        return grid->item(grid->rowCount() - 2, 4)->text();
    };
    f.button("Vorgabewerte")->click();
    const QString before = total();
    auto* additional = f.element<QLineEdit>("Text3");
    additional->setText("1000");
    QTest::keyClick(additional, Qt::Key_Return);
    auto cents = [](const QString& t) {
        QString plain = t;
        plain.remove('.');
        plain.replace(',', '.');
        return Money::parse(plain.toStdString());
    };
    EXPECT_EQ(cents(total()), cents(before) + Money::fromEuros(1000));
    f.button("Vorgabewerte")->click();
    EXPECT_EQ(additional->text(), "0,00");
    EXPECT_EQ(total(), before);

    f.button("Hilfe")->click();
    EXPECT_EQ(f.lastMessage().substr(0, 6), "Hilfe:");
    // "Drucken" opens the health-insurance obligation sheet in the preview.
    f.button("Drucken")->click();
    ASSERT_TRUE(f.window->preview());
    EXPECT_EQ(f.window->preview()->printKind(), 73);
    EXPECT_TRUE(f.window->preview()->isVisible());
    f.window->preview()->hide();

    QTest::keyClick(f.panel(), Qt::Key_Escape);
    EXPECT_EQ(f.panel()->content(), 0);
    EXPECT_FALSE(f.panel()->isVisible());
}

TEST(Tablett, ListedContentsCloseWhenTheMainWindowTakesTheFocus) {
    PanelFixture f;
    f.type("i00"); // the search of a case
    ASSERT_TRUE(f.panel());
    EXPECT_EQ(f.panel()->content(), 22);
    EXPECT_EQ(f.panel()->titleLine()->text(), "Suche eines Personalfalles");
    (void)QTest::qWaitForWindowActive(f.panel());
    f.activateMain();
    QTRY_COMPARE(f.panel()->content(), 0);
    EXPECT_FALSE(f.panel()->isVisible());

    f.type("y09"); // the backups stay open until "Schließen"
    EXPECT_EQ(f.panel()->content(), 1234);
    (void)QTest::qWaitForWindowActive(f.panel());
    f.activateMain();
    EXPECT_EQ(f.panel()->content(), 1234);
    EXPECT_TRUE(f.panel()->isVisible());
    f.button("Schließen")->click();
    EXPECT_EQ(f.panel()->content(), 0);
}

TEST(Tablett, AWorksheetLeadsToTheNextOneInTheSamePanel) {
    PanelFixture f;
    f.type("i34"); // the tax worksheet of line 34
    ASSERT_EQ(f.panel()->content(), 6);
    EXPECT_EQ(f.panel()->titleLine()->text(), "Berechnung der Steuern");
    EXPECT_EQ(f.element<QTableWidget>("MSFlexGrid1")->rowCount(), 33);
    f.button("Sozialversicherung")->click();
    ASSERT_EQ(f.panel()->content(), 29);
    EXPECT_EQ(f.panel()->titleLine()->text(), "Berechnung der Sozialversicherungsbeiträge");
    QTest::qWait(10); // the buttons of the content left are gone once the click has ended
    EXPECT_FALSE(f.button("Sozialversicherung"));
    f.button("Jahresarbeitsentgelt")->click();
    EXPECT_EQ(f.panel()->content(), 432);
}

TEST(Tablett, ClosingTheComparisonReopensTheCaseFilesOfTheYear) {
    PanelFixture f;
    f.type("f13");
    ASSERT_EQ(f.panel()->content(), 300);
    EXPECT_EQ(f.panel()->titleLine()->text(), "Vergleiche A");
    (void)QTest::qWaitForWindowActive(f.panel());
    f.activateMain();
    EXPECT_EQ(f.panel()->content(), 300); // stays until "Schließen"
    f.s.g.files.close();
    f.button("Schließen")->click();
    EXPECT_TRUE(f.s.g.files.holds(2020, DataSet::Real));
}

TEST(Tablett, TheBackupSwitchIsStoredAndShownAgainOnReopening) {
    PanelFixture f;
    f.type("y09");
    ASSERT_EQ(f.panel()->content(), 1234);
    EXPECT_EQ(f.panel()->titleLine()->text(), "Sicherungskopien der Userdaten");
    auto* on = f.element<QCheckBox>("Check1");
    EXPECT_FALSE(on->isChecked());
    EXPECT_EQ(f.element<QLabel>("zeile1")->text(), "Backup1: nicht angelegt");
    on->click();
    EXPECT_EQ(f.lastMessage(),
              "Sicherungskopien: Jetzt werden nach jedem Beenden über \"Start/Beenden\" Kopien "
              "angelegt.");
    f.button("Schließen")->click();
    // The switch is in the window record (offset 546), not only in memory.
    WindowRecord stored(readRecordIfExists(f.userFile("varemo20.dim"), kWindowRecordLength, 1));
    EXPECT_TRUE(stored.backupsOn());

    f.type("y09");
    EXPECT_TRUE(f.element<QCheckBox>("Check1")->isChecked());
    f.element<QCheckBox>("Check1")->click();
    EXPECT_EQ(f.lastMessage(),
              "Sicherungskopien: Nach dem Deaktivieren werden keine weiteren Kopien angelegt. Die "
              "bisherigen Kopien bleiben aber verfügbar.");
    EXPECT_FALSE(
        WindowRecord(readRecordIfExists(f.userFile("varemo20.dim"), kWindowRecordLength, 1)).backupsOn());
}

TEST(Tablett, DeletingACaseStartsOnNoAndLeavingTheOrderingRebuildsTheCaseList) {
    PanelFixture f;
    ASSERT_EQ(NewCases(f.s.g, 2).size(), 2u); // cases 2 and 3 beside case 1
    std::filesystem::create_directories(f.userFile("Backup3"));
    std::ofstream(f.userFile("Backup3") / "varemo20.dim") << "x";
    f.s.g.caseNumber = 3;
    ShowSelection(f.s.g);
    f.window->redisplay();

    f.type("y74");
    ASSERT_EQ(f.panel()->content(), 150);
    auto* list = f.element<QListWidget>("Liste");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 2); // the case shown
    list->setCurrentRow(1);
    f.button("Personalfall löschen")->click();
    const PromptMessage& question = f.s.prompter.messages().back();
    EXPECT_EQ(question.title, kDeleteCaseTitle);
    EXPECT_TRUE(question.refusalIsDefault);
    EXPECT_EQ(list->count(), 3); // "Nein": nothing deleted

    f.s.prompter.queue(PromptAnswer::Yes);
    f.button("Personalfall löschen")->click();
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "2. Personalfall 3");
    // Case 3, shown before, is case 2 now; the sheet shows it again once the ordering is left.
    f.button("Schließen")->click();
    EXPECT_EQ(f.s.g.caseNumber, 2);
    EXPECT_EQ(f.s.g.workingCase.name.substr(0, 14), "Personalfall 3");
    EXPECT_EQ(f.window->caseNameField()->text().trimmed(), "Personalfall 3");
}

TEST(Tablett, UsersAreChosenByPasswordAndManagedOnlyWithTheAdministratorPassword) {
    PanelFixture f;
    ASSERT_TRUE(StartUp(f.s.g));
    ShowSelection(f.s.g);
    f.type("f01");
    ASSERT_EQ(f.panel()->content(), 207);
    EXPECT_EQ(f.panel()->titleLine()->text(), "U S E R  auswählen");
    auto* users = f.element<QTableWidget>("MSFlexGrid1");
    EXPECT_EQ(users->item(4, 0)->text().left(3), "5. ");
    EXPECT_EQ(users->item(0, 1)->text().left(4), "11. "); // ten columns of ten
    auto* label = f.element<QLineEdit>("Eingabe3");
    EXPECT_FALSE(label->isEnabled());

    // Saving before the administrator password changes nothing.
    users->setCurrentCell(4, 0);
    f.button("Änderungen speichern")->click();
    EXPECT_EQ(f.lastMessage(),
              "U S E R  verwalten: Die Verwaltung der User öffnet erst das Administrator-Passwort.");
    auto* admin = f.element<QLineEdit>("Eingabe2");
    QTest::keyClicks(admin, "falsch");
    QTest::keyClick(admin, Qt::Key_Return);
    EXPECT_EQ(f.lastMessage(), "Passwort: Das Administrator-Passwort ist falsch.");
    admin->setText(QString::fromStdString(administratorPassword()));
    QTest::keyClick(admin, Qt::Key_Return);
    EXPECT_EQ(f.panel()->titleLine()->text(), "U S E R  verwalten");
    label->setText("Personalabteilung");
    f.button("Änderungen speichern")->click();
    EXPECT_EQ(users->item(4, 0)->text(), "5. Personalabteilung");
    f.button("Schließen")->click();

    f.type("f01"); // reopened: the stored label, and the management closed again
    users = f.element<QTableWidget>("MSFlexGrid1");
    EXPECT_EQ(users->item(4, 0)->text(), "5. Personalabteilung");
    EXPECT_EQ(f.panel()->titleLine()->text(), "U S E R  auswählen");
    users->setCurrentCell(4, 0);
    auto* password = f.element<QLineEdit>("Eingabe1");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    QTest::keyClicks(password, "falsch");
    QTest::keyClick(password, Qt::Key_Return); // compared after Enter
    EXPECT_EQ(f.lastMessage(), "Passwort: Das Passwort für User005 ist falsch.");
    EXPECT_EQ(f.s.g.user, 1);
    EXPECT_EQ(f.panel()->content(), 207);
    password->setText(QString::fromStdString(defaultPassword()));
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_EQ(f.s.g.user, 5);
    EXPECT_EQ(f.s.g.userFolder.filename(), "User005");
    EXPECT_EQ(f.panel()->content(), 0);
}

// The server folders of the user management: only after the administrator password, only network paths,
// stored in the settings file and then copied to the active servers (a folder without a settings file says
// so).
TEST(Tablett, ServerFoldersAreManagedAsNetworkPaths) {
    PanelFixture f;
    ASSERT_TRUE(StartUp(f.s.g));
    f.type("f01");
    auto* servers = f.element<QTableWidget>("MSFlexGrid2");
    ASSERT_NE(servers, nullptr);
    EXPECT_FALSE(servers->isEnabled());
    EXPECT_EQ(servers->item(2, 1)->text(), "Bitte Programmverzeichnis auf dem 3. Server eintragen");
    auto* admin = f.element<QLineEdit>("Eingabe2");
    admin->setText(QString::fromStdString(administratorPassword()));
    QTest::keyClick(admin, Qt::Key_Return);
    EXPECT_TRUE(servers->isEnabled());

    servers->item(0, 0)->setCheckState(Qt::Checked);
    servers->item(0, 1)->setText("C:\\Programme\\Varemo2020");
    f.button("Server speichern")->click();
    EXPECT_EQ(f.lastMessage(),
              "Korrektur erforderlich: Bitte suchen Sie das Programmverzeichnis in der Netzwerkumgebung.");
    EXPECT_FALSE(listServers(f.s.g.programDir).front().active);

    servers->item(0, 0)->setCheckState(Qt::Checked);
    servers->item(0, 1)->setText("\\\\srv\\Varemo2020");
    f.button("Server speichern")->click();
    EXPECT_EQ(f.s.prompter.messages().back().title, "Bitte anschließend korrigieren!");
    const ServerEntry first = listServers(f.s.g.programDir).front();
    EXPECT_TRUE(first.active);
    EXPECT_EQ(first.path, "\\\\srv\\Varemo2020");
    EXPECT_EQ(servers->item(0, 1)->text(), "\\\\srv\\Varemo2020");
}

TEST(SpecialRules, TheKeyFieldOpensItsLineAndTheTransferIsAnUndoableEdit) {
    PanelFixture f;
    const std::string before = f.s.g.workingCase.keyCodes[2]; // line 44
    f.window->keyField(44)->click();
    ui::SpecialRulesDialog* d = f.window->specialRules();
    ASSERT_TRUE(d && d->isVisible());
    EXPECT_EQ(d->findChild<QLabel*>("Titel")->text(), "Sonderregel für Zeile 44 (Einbehalte/Auszahlungen)");
    EXPECT_EQ(d->commitButton()->text(), "Übertrag");
    d->group(2)->button(1)->click(); // taxable pay: "mindert"
    d->group(6)->button(1)->click(); // employer cost: "JA"
    EXPECT_EQ(d->codeLabel()->text(), "Schlüssel: 010001");
    EXPECT_EQ(f.s.g.workingCase.keyCodes[2], before); // nothing changes before "Übertrag"

    d->commitButton()->click();
    EXPECT_EQ(f.s.g.workingCase.keyCodes[2], "010001");
    Case stored;
    unpackMonthRecord(f.s.g.files.readMonth(3, f.s.g.caseNumber), stored);
    EXPECT_EQ(stored.keyCodes[2], "010001");
    EXPECT_EQ(f.window->keyField(44)->text(), "010001");

    QTest::keyClick(f.window->lineText(1), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.s.g.workingCase.keyCodes[2], before);

    // The general rules of the deduction lines (Y40) edit the list entries' defaults instead.
    f.type("y40");
    d = f.window->specialRules();
    EXPECT_EQ(d->commitButton()->text(), "Speichern");
    EXPECT_TRUE(d->entryBox());
}

TEST(Menu, Y60RecalculatesAllCasesAfterTheQuestionWithProgress) {
    PanelFixture f;
    f.type("y60");
    EXPECT_EQ(f.s.prompter.messages().back().title, "Möchten Sie neu durchrechnen lassen?");
    f.s.prompter.queue(PromptAnswer::Ok);
    f.type("y60");
    EXPECT_EQ(f.window->hintLine()->text(), "Alle Personalfälle wurden neu durchgerechnet (12 Monate).");
}

TEST(Menu, EveryCodeIsExecutedOrAnswersWithItsMessage) {
    PanelFixture f;
    auto walk = [&f](int code, char letter, const MenuDispatch& d) {
        SCOPED_TRACE(codeText(letter, code));
        const size_t before = f.s.prompter.messages().size();
        if (letter == 'Y')
            f.window->menuItem(code);
        else
            f.window->functionButton(code);
        const auto& all = f.s.prompter.messages();
        if (d.action == MenuAction::Unavailable) {
            ASSERT_EQ(all.size(), before + 1);
            EXPECT_EQ(all.back().text(), unavailableMessage(d.availability).text());
        } else {
            for (size_t i = before; i < all.size(); ++i)
                for (Availability a : {Availability::Later, Availability::OnDemand})
                    EXPECT_NE(all[i].text(), unavailableMessage(a).text());
        }
        // The ordering opens only once three sessions are saved (the question was answered "Nein").
        if (d.action == MenuAction::OpenPanel && d.panel != panel::kOrdering) {
            EXPECT_EQ(f.panel() ? f.panel()->content() : 0, d.panel);
        }
        if (f.panel()) f.panel()->leave();
        if (f.window->specialRules()) f.window->specialRules()->close();
        if (f.window->calculatorWindow()) f.window->calculatorWindow()->close();
    };
    // Left out: the system's folder and printer dialogs (Y02, Y07, f03, f04), the end of the program, and
    // the windows that wait for their own end (the year views Y30 to Y34, serial printing f09; they have
    // tests of their own).
    for (const MenuItem& item : menuItems())
        if (item.code != 2 && item.code != 7 && item.code != 11 &&
            (item.code < kMenuYearSalaries || item.code > kMenuCostCentres))
            walk(item.code, 'Y', menuAuswertung(item.code));
    for (const FunctionButton& b : functionButtons())
        if (b.code != 3 && b.code != 4 && b.code != 9) walk(b.code, 'f', functionDispatch(b.code));
}

TEST(Menu, LinksOpenTheInstallationsAddressesInTheBrowser) {
    PanelFixture f;
    std::ofstream(f.s.g.programDir / kLinkFile)
        << "# Adressen dieser Installation\nY86 https://example.org/sgb\n";
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler("https", &browser, "open");
    f.type("y86");
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), QUrl("https://example.org/sgb"));
    f.type("y87"); // no address configured: named, nothing opened
    EXPECT_EQ(f.s.prompter.messages().back().title, "Internetadresse fehlt");
    EXPECT_EQ(f.s.prompter.messages().back().lines.front(),
              "Für Y87 (Steuergesetze) ist keine Internetadresse eingetragen.");
    f.type("f12"); // the link box lists every link item
    ASSERT_EQ(f.panel()->content(), 99);
    auto* box = f.element<QListWidget>("Kasten");
    EXPECT_EQ(box->count(), 19); // Y01, Y80 to Y96 and f19
    QDesktopServices::unsetUrlHandler("https");
}

#include "panel_test.moc"

TEST(SettingsPanels, AValueTypedIsCheckedSavedReadBackAndUsedByTheCalculation) {
    PanelFixture f;
    f.s.g.workingCase.enterAmount(AmountSlot::Allowance1, 400000); // 4.000,00 pay
    ASSERT_TRUE(RecalculateAndRedisplay(f.s.g));
    // § 58 (1) SGB XI: the employee pays half of 3,05 %: 4.000,00 × 1,525 % = 61,00.
    EXPECT_EQ(f.s.g.sheet.line(38).amountCents, -6100);

    f.window->menuItem(43);
    ASSERT_EQ(f.panel()->content(), 63);
    EXPECT_EQ(f.panel()->titleLine()->text(), "Vorgaben für die Sozialversicherung im Jahr 2020");
    auto* table = f.element<QTableWidget>("MSFlexGrid1");
    ASSERT_NE(table, nullptr);
    int row = -1;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == "sv.pv") row = r;
    ASSERT_GE(row, 0);
    const QString shipped = table->item(row, 2)->text();

    // What is no rate is refused with its message and the old value stays.
    table->item(row, 2)->setText("drei");
    EXPECT_EQ(f.s.prompter.messages().back().title, "Eingabe");
    EXPECT_EQ(table->item(row, 2)->text(), shipped);
    // A care rate of 3,30 %: half of it, 1,65 % of 4.000,00 = 66,00, once saved.
    table->item(row, 2)->setText("3,3");
    EXPECT_EQ(table->item(row, 2)->text(), "3,30");
    EXPECT_EQ(f.s.g.sheet.line(38).amountCents, -6100) << "nothing counts before it is saved";
    f.button("Änderungen speichern")->click();
    EXPECT_EQ(f.s.g.sheet.line(38).amountCents, -6600);

    // Read back from the files as at the next start.
    LoadYearSettings(f.s.g);
    EXPECT_EQ(SettingsPanel(f.s.g, SettingsPanelKind::SocialInsurance).value("sv.pv"), "3,30");

    // Typed and the panel closed: it asks; "Nein" keeps the files as they were.
    f.window->menuItem(43);
    table = f.element<QTableWidget>("MSFlexGrid1");
    table->item(row, 2)->setText("3,4");
    f.s.prompter.queue(PromptAnswer::No);
    f.panel()->leave();
    EXPECT_EQ(f.s.prompter.messages().back().title, "Änderungen speichern?");
    LoadYearSettings(f.s.g);
    EXPECT_EQ(SettingsPanel(f.s.g, SettingsPanelKind::SocialInsurance).value("sv.pv"), "3,30");
}

// Each yearly table reached by its menu code keeps a typed value once saved, read back as at the next
// start.
TEST(SettingsPanels, TheYearTablesOfTheMenuAreSavedAndReadBack) {
    PanelFixture f;
    struct Row {
        int menu;
        SettingsPanelKind kind;
        const char* title;
        const char* name;
        const char* typed;
        const char* shown;
    };
    for (const Row& r :
         {Row{21, SettingsPanelKind::WeeklyHours, "Regelmäßige Wochenarbeitszeit in Stunden im Jahr 2020",
              "wochenstunden.0.west", "41", "41,00"},
          Row{24, SettingsPanelKind::ChristmasBonus, "Weihnachtsgeld (BAT, MT-Arb) im Jahr 2020",
              "weihnachtsgeld.8.ost", "61,6", "61,60"},
          Row{25, SettingsPanelKind::TimeSupplements,
              "Stundensätze der Zeitzuschläge (Zeilen 16, 17) im Jahr 2020", "zeitzuschlag.1", "1,28",
              "1,28"},
          Row{28, SettingsPanelKind::ChildBenefit, "Vorgaben für das Kindergeld", "kindergeld.1", "210",
              "210,00"},
          Row{45, SettingsPanelKind::PensionLevy, "Pensionsumlage bzw. Versorgungsrücklage im Jahr 2020",
              "pensionsumlage.versorgungsruecklage", "12,5", "12,50"}}) {
        SCOPED_TRACE(r.name);
        f.window->menuItem(r.menu);
        ASSERT_NE(f.panel(), nullptr);
        EXPECT_EQ(f.panel()->content(), static_cast<int>(r.kind));
        EXPECT_EQ(f.panel()->titleLine()->text(), QString::fromUtf8(r.title));
        auto* table = f.element<QTableWidget>("MSFlexGrid1");
        ASSERT_NE(table, nullptr);
        int row = -1;
        for (int i = 0; i < table->rowCount(); ++i)
            if (table->item(i, 0)->text() == r.name) row = i;
        ASSERT_GE(row, 0);
        table->item(row, 2)->setText(QString::fromUtf8(r.typed));
        EXPECT_EQ(table->item(row, 2)->text(), QString::fromUtf8(r.shown));
        f.button("Änderungen speichern")->click();
        f.panel()->leave();
        LoadYearSettings(f.s.g);
        EXPECT_EQ(SettingsPanel(f.s.g, r.kind).value(r.name, f.s.g.month()), r.shown);
    }
}
