// The update panel against a local HTTP server: Y04 shows the installed and offered dates, the button of
// a tariff row installs a good archive and refuses a bad one without touching the installed tables. Y03
// compares with the installers in the office server's update folder.
#include "presentation/navigation.h"
#include "support/http_server.h"
#include "support/session.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/sheet_cell.h"
#include "ui/tablett.h"
#include "update/update_check.h"
#include "update/update_test_support.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

using namespace varemo;
using namespace varemo::test;
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> folderBytes(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = readText(e.path());
    return files;
}

TEST(UpdatePanel, Y04ShowsTheDatesAndARowInstallsOnlyAGoodArchive) {
    TempDir site;
    LocalHttpServer server(site.path());
    TestSession s(2020, DataSet::Real, 1, 3);
    const fs::path tariffs = s.g.programDir / "Tarife";
    writeText(tariffs / "202012.ttt", tariffBytes(2, 222));
    writeText(tariffs / "Kommentar.txt", "alt");
    setFileDay(tariffs / "202012.ttt", 2020, 2, 10);
    writeText(s.g.programDir / kUpdateSettingsFile, "# Server der Tests\nAdresse=" + server.baseUrl() + "\n");
    // Fields of 10 characters: nothing for the main program, then date and size of 2019, 2020, 2021.
    writeText(site.path() / "2020" / "Update.txt",
              std::string(20, ' ') + "          0         15.11.2020        12        ");

    ShowSelection(s.g);
    ui::MainWindow window(s.g);
    window.setWritesWindowRecord(false);
    window.show();
    for (QChar c : QStringLiteral("y04"))
        QTest::keyClick(window.lineText(1), c.toLatin1());
    ui::Tablett* panel = window.panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->content(), kInternetUpdatePanel);
    EXPECT_EQ(panel->titleLine()->text(), QStringLiteral("Update über das Internet"));
    auto* message = panel->body()->findChild<QLabel*>(QStringLiteral("Meldung"));
    auto* table = panel->body()->findChild<QTableWidget*>(QStringLiteral("Tabelle"));
    ASSERT_TRUE(message && table);
    // The offered date of 2020 is later than the installed one (10.02.2020).
    QTRY_COMPARE(message->text(), QString::fromUtf8(update_texts::kInternetUpdate));
    EXPECT_EQ(table->item(2, 0)->text(), QStringLiteral("Tarifdatei 2020"));
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("10.02.2020"));
    EXPECT_EQ(table->item(2, 2)->text(), QStringLiteral("15.11.2020"));
    EXPECT_EQ(table->item(2, 3)->text(), QStringLiteral("12"));

    auto download2020 = [&] {
        auto* button = panel->body()->findChild<QPushButton*>(QStringLiteral("Tarife2020"));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    };
    // December was changed by hand: the row asks first, starting on "Nein", and "Nein" fetches nothing.
    writeText(tariffs / "Handaenderungen.txt", "202012;01.03.2020;10.02.2020\r\n");
    download2020();
    ASSERT_GE(s.prompter.messages().size(), 2u);
    const PromptMessage& asked = s.prompter.messages()[s.prompter.messages().size() - 2];
    EXPECT_EQ(asked.lines.back(), "Trotzdem herunterladen?");
    EXPECT_TRUE(asked.refusalIsDefault);
    EXPECT_EQ(s.prompter.messages().back().text(), "Die Tariftabellen 2020 wurden nicht heruntergeladen. Die "
                                                   "von Hand geänderten Tabellen bleiben erhalten.");
    EXPECT_EQ(server.requests(), 1);

    // A bad archive (an entry that climbs out of the folder): refused, the folder stays as it was.
    const auto before = folderBytes(tariffs);
    s.prompter.queue(PromptAnswer::Yes);
    writeZip(site.path() / "2020" / "Tarife2020.zip",
             {{"202012.ttt", tariffBytes(2, 777)}, {"../202011.ttt", tariffBytes(2, 778)}});
    download2020();
    ASSERT_FALSE(s.prompter.messages().empty());
    EXPECT_EQ(s.prompter.messages().back().title, "Tariftabellen 2020");
    EXPECT_EQ(s.prompter.messages().back().icon, PromptIcon::Warning);
    EXPECT_NE(s.prompter.messages().back().text().find("Die installierten Tariftabellen sind unverändert."),
              std::string::npos);
    EXPECT_EQ(folderBytes(tariffs), before);
    EXPECT_FALSE(fs::exists(s.g.programDir / "202011.ttt"));

    // A good one: installed, said so, and the row shows the new file's date.
    writeZip(site.path() / "2020" / "Tarife2020.zip", {{"202012.ttt", tariffBytes(3, 4242)}});
    s.prompter.queue(PromptAnswer::Yes);
    download2020();
    EXPECT_FALSE(fs::exists(tariffs / "Handaenderungen.txt"));
    EXPECT_EQ(s.prompter.messages().back().text(), "Die Tariftabellen 2020 wurden installiert (1 Dateien).");
    EXPECT_EQ(readText(tariffs / "202012.ttt"), tariffBytes(3, 4242));
    EXPECT_EQ(readText(tariffs / "Kommentar.txt"), "alt");
    EXPECT_EQ(table->item(2, 1)->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_EQ(server.requests(), 3);
}

// The office server's folder holds only the installer of the 2021 tables: the program's installer and the
// 2020 tables' are missing and count as different (100 + 10), whatever the 2021 dates are.
TEST(UpdatePanel, Y03ComparesWithTheOfficeServersFolder) {
    TempDir server;
    TestSession s(2020, DataSet::Real, 1, 3);
    writeText(server.path() / "Tarife2021.exe", "");
    writeText(s.g.programDir / kServerUpdateFile, server.path().string());

    ShowSelection(s.g);
    ui::MainWindow window(s.g);
    window.setWritesWindowRecord(false);
    window.show();
    for (QChar c : QStringLiteral("y03"))
        QTest::keyClick(window.lineText(1), c.toLatin1());
    ui::Tablett* panel = window.panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->content(), kServerUpdatePanel);
    EXPECT_EQ(panel->titleLine()->text(), QStringLiteral("Update vom Server der Dienststelle"));
    auto* folder = panel->body()->findChild<QLineEdit*>(QStringLiteral("Text"));
    auto* message = panel->body()->findChild<QLabel*>(QStringLiteral("Meldung"));
    ASSERT_TRUE(folder && message);
    EXPECT_EQ(folder->text().toStdString(), server.path().string());
    EXPECT_EQ(message->text(), QString::fromUtf8(update_texts::kServerUpdate));
    EXPECT_EQ(readText(s.g.programDir / kServerUpdateFile).substr(80, 2), "11");
}

// The switch is on: the first tick of the clock runs the check once, and a newer offer opens the panel of
// the automatic check; later ticks ask the server nothing more.
TEST(UpdatePanel, TheAutomaticCheckRunsOnceOnTheFirstTickOfTheClock) {
    TempDir site;
    LocalHttpServer server(site.path());
    TestSession s(2020, DataSet::Real, 1, 3);
    s.g.storage.autoUpdateCheck = true;
    writeText(s.g.programDir / kUpdateSettingsFile, "Adresse=" + server.baseUrl() + "\n");
    writeText(site.path() / "2020" / "Update.txt", std::string(60, ' ') + "01.03.2021        40");

    ShowSelection(s.g);
    ui::MainWindow window(s.g);
    window.setWritesWindowRecord(false);
    window.show();
    EXPECT_EQ(server.requests(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(window.panel() && window.panel()->content() == kAutomaticCheckPanel, 5000);
    auto* message = window.panel()->body()->findChild<QLabel*>(QStringLiteral("Meldung"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), QString::fromUtf8(update_texts::kInternetUpdate));
    window.panel()->leave();
    QTest::qWait(1300);
    EXPECT_EQ(server.requests(), 1);
}

} // namespace
