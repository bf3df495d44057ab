// The update check and the tariff download through the command line, against a local HTTP server.

#include "session/tariff_hand_edits.h"
#include "support/cli_runner.h"
#include "support/http_server.h"
#include "support/json.h"
#include "support/temp_dir.h"
#include "update/update_notice.h"
#include "update_test_support.h"

#include <gtest/gtest.h>

namespace varemo::test {
namespace {
namespace fs = std::filesystem;

class UpdateCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tariffs = program.path() / "Tarife";
        writeText(tariffs / "20201.ttt", tariffBytes(3, 111));
        writeText(tariffs / "202012.ttt", tariffBytes(3, 222));
        writeText(tariffs / "201912.ttt", tariffBytes(1, 1));
        writeText(tariffs / "202112.ttt", tariffBytes(1, 1));
        writeText(tariffs / "Kommentar.txt", "alt");
        setFileDay(tariffs / "201912.ttt", 2019, 3, 15);
        setFileDay(tariffs / "202012.ttt", 2020, 2, 10);
        setFileDay(tariffs / "202112.ttt", 2021, 1, 5);
        // The first start makes the settings and the user folder; afterwards a command that fails must
        // leave every file as it is.
        ASSERT_EQ(run({"users"}).status, 0);
    }

    CliResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--program-dir", program.path().string()});
        return runCli(args);
    }
    CliResult check() { return run({"update", "check", "--base", server.baseUrl(), "--json"}); }
    CliResult tariffsOf(int year) {
        return run({"update", "tariffs", "--year", std::to_string(year), "--base", server.baseUrl()});
    }
    void offer(const std::vector<ZipEntry>& entries) {
        writeZip(site.path() / "2020" / "Tarife2020.zip", entries);
    }

    TempDir program;
    TempDir site;
    LocalHttpServer server{site.path()};
    fs::path tariffs;
};

// The notice's four pairs of fields against the installed December files (dates set above). An update
// is available when an offered date is later; the message names one when any offered date differs.
TEST_F(UpdateCliTest, NoticeNewerEqualOrOlderThanTheInstalledTables) {
    struct Case {
        std::string notice;
        bool available;
        const char* message;
    };
    // Fields of 10 characters: main program (blank: nothing offered), then date and size of the
    // tariffs of 2019, 2020 and 2021.
    const auto notice = [](const std::vector<std::string>& fields) {
        std::string n;
        for (const std::string& f : fields)
            n += f + std::string(10 - f.size(), ' ');
        return n;
    };
    const Case cases[] = {
        // 2020 offered 01.06.2020, installed 10.02.2020: newer.
        {notice({"", "", "15.03.2019", "  120", "01.06.2020", "0001234,50", "05.01.2021", "99"}), true,
         "Ein Update steht im Internet bereit:"},
        {notice({"", "", "15.03.2019", "120", "10.02.2020", "1234", "05.01.2021", "99"}), false,
         "Sie benutzen bereits die neuestes Updates."},
        // 2021 offered 01.01.2021, installed 05.01.2021: older, so nothing to fetch, but it differs.
        {notice({"", "", "15.03.2019", "120", "10.02.2020", "1234", "01.01.2021", "99"}), false,
         "Ein Update steht im Internet bereit:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notice);
        writeText(site.path() / "2020" / "Update.txt", c.notice);
        const CliResult r = check();
        ASSERT_EQ(r.status, 0) << r.err;
        const Json j = parseJson(r.out);
        EXPECT_EQ(j["content"].integer(), 1237);
        EXPECT_EQ(j["updateAvailable"].boolean, c.available);
        EXPECT_EQ(j["message"].string, c.message);
        ASSERT_EQ(j["rows"].array.size(), 4u);
        EXPECT_EQ(j["rows"][0]["label"].string, "Hauptmodul");
        EXPECT_EQ(j["rows"][2]["label"].string, "Tarifdatei 2020");
        EXPECT_EQ(j["rows"][2]["installed"].string, "10.02.2020");
        EXPECT_EQ(j["rows"][3]["installed"].string, "05.01.2021");
    }
    // Sizes are read as numbers and shown plainly.
    writeText(site.path() / "2020" / "Update.txt", cases[0].notice);
    const Json j = parseJson(check().out);
    EXPECT_EQ(j["rows"][2]["offered"].string, "01.06.2020");
    EXPECT_EQ(j["rows"][2]["sizeKb"].string, "1234,5");
    EXPECT_EQ(j["rows"][1]["sizeKb"].string, "120");
    EXPECT_EQ(j["rows"][0]["sizeKb"].string, "0");
}

TEST_F(UpdateCliTest, AMissingNoticeIsToldAndChangesNothing) {
    const FolderFiles before = filesBelow(program.path());
    const CliResult r = check();
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("(404)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Kein Internetzugang. Ein Updaten ist nicht möglich."), std::string::npos) << r.err;
    // Answered no (the default): "noupdate.txt" is not made.
    EXPECT_EQ(changedFiles(before, filesBelow(program.path())), std::vector<std::string>{});
}

// Every refused archive leaves the whole program folder as it was, byte for byte, and writes nothing
// beside it.
TEST_F(UpdateCliTest, RefusedArchivesLeaveTheTablesUntouched) {
    const std::string good = tariffBytes(2, 999);
    const fs::path outside =
        program.path().parent_path() / ("zip-slip-" + program.path().filename().string());
    struct Bad {
        const char* what;
        std::vector<ZipEntry> entries;
    };
    const std::vector<Bad> bad = {
        {"parent folder", {{"20201.ttt", good}, {"../20201.ttt", good}}},
        {"absolute path", {{"20201.ttt", good}, {(outside / "20201.ttt").string(), good}}},
        {"drive letter", {{"C:20201.ttt", good}}},
        {"folder part", {{"Tarife/20201.ttt", good}}},
        {"link", {{"20201.ttt", good}, {"20202.ttt", "/etc/passwd", true}}},
        {"other name", {{"20201.ttt", good}, {"install.sh", "rm -rf ~"}}},
        {"other year", {{"20191.ttt", good}}},
        {"month 13", {{"202013.ttt", good}}},
        {"partial record", {{"20201.ttt", good.substr(0, 200)}}},
        {"no tables", {{"Kommentar.txt", "neu"}}},
    };
    const FolderFiles before = filesBelow(program.path());
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.what);
        offer(b.entries);
        const CliResult r = tariffsOf(2020);
        EXPECT_EQ(r.status, 3);
        EXPECT_NE(r.err.find("Das Tarifarchiv wurde nicht übernommen"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("unverändert"), std::string::npos) << r.err;
        EXPECT_EQ(changedFiles(before, filesBelow(program.path())), std::vector<std::string>{});
        EXPECT_FALSE(fs::exists(outside));
    }

    // A damaged archive: one byte of the first entry's data flipped (its checksum no longer fits).
    offer({{"20201.ttt", good}, {"202012.ttt", good}});
    std::string bytes = readText(site.path() / "2020" / "Tarife2020.zip");
    bytes[30 + 9 + 100] ^= 0x5a; // local header (30) + name (9) + into the data
    writeText(site.path() / "2020" / "Tarife2020.zip", bytes);
    CliResult r = tariffsOf(2020);
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("nicht übernommen"), std::string::npos) << r.err;
    EXPECT_EQ(changedFiles(before, filesBelow(program.path())), std::vector<std::string>{});

    // Not a zip at all, and a download cut short.
    writeText(site.path() / "2020" / "Tarife2020.zip", "<html>Wartungsarbeiten</html>");
    EXPECT_EQ(tariffsOf(2020).status, 3);
    offer({{"20201.ttt", good}});
    server.setCutAfter(40);
    r = tariffsOf(2020);
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("brach vor dem Ende ab"), std::string::npos) << r.err;
    EXPECT_EQ(changedFiles(before, filesBelow(program.path())), std::vector<std::string>{});
}

TEST_F(UpdateCliTest, AGoodArchiveReplacesItsFilesOnly) {
    const std::string january = tariffBytes(4, 123456);
    const std::string july = tariffBytes(4, 130000);
    offer({{"20201.ttt", january}, {"20207.ttt", july}, {"Kommentar.txt", "neu"}});
    const CliResult r = tariffsOf(2020);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Die Tariftabellen 2020 wurden installiert (3 Dateien)."), std::string::npos)
        << r.err;
    EXPECT_EQ(readText(tariffs / "20201.ttt"), january);
    EXPECT_EQ(readText(tariffs / "20207.ttt"), july);
    EXPECT_EQ(readText(tariffs / "Kommentar.txt"), "neu");
    EXPECT_EQ(readText(tariffs / "202012.ttt"), tariffBytes(3, 222));
    // No unpacking folder or saved copies are left behind (the folder's lock files stay, as in a user
    // folder).
    for (const auto& e : fs::directory_iterator(tariffs))
        EXPECT_FALSE(e.is_directory()) << e.path();
    // The program reads the new table: record 1 of January 2020 holds 1.234,56 in entry 0.
    const CliResult t = run({"tariff", "--year", "2020", "--month", "1", "--region", "0", "--relationship",
                             "0", "--group", "0", "--json"});
    EXPECT_NE(t.out.find("123456"), std::string::npos) << t.out << t.err;
}

// Months changed in the tariff editor are recorded with the date of their tables as delivered. The check
// compares that date (saving December gives the file today's date, which would hide newer tables), and
// a download of the year asks first: without "Ja" nothing is fetched or changed, after "Ja" the tables
// are installed and the record of the months is cleared, so the next download does not ask.
TEST_F(UpdateCliTest, HandEditedMonthsAreReplacedOnlyAfterYes) {
    const CliResult edited =
        run({"tariff", "set", "--year", "2020", "--month", "12", "--region", "0", "--relationship", "0",
             "--group", "0", "--entry", "0", "--amount", "2.500,00"});
    ASSERT_EQ(edited.status, 0) << edited.err;
    EXPECT_EQ(readText(tariffs / "Handaenderungen.txt"),
              "202012;" + dayText(localToday()) + ";10.02.2020\r\n");

    // 2020 offered 01.06.2020 against the delivered 10.02.2020: still newer.
    writeText(site.path() / "2020" / "Update.txt",
              std::string(20, ' ') + "15.03.2019" + "120       " + "01.06.2020" + "1234      ");
    const Json panel = parseJson(check().out);
    EXPECT_TRUE(panel["updateAvailable"].boolean);
    EXPECT_EQ(panel["rows"][2]["installed"].string, "10.02.2020");

    const std::string december = tariffBytes(3, 444);
    offer({{"20201.ttt", tariffBytes(3, 333)}, {"202012.ttt", december}});
    const FolderFiles before = filesBelow(program.path());
    const CliResult refused = tariffsOf(2020);
    EXPECT_EQ(refused.status, 3);
    for (const char* line : {"Die Tariftabelle des Monats 12/2020 wurde von Hand geändert.",
                             "Beim Herunterladen werden die Tariftabellen 2020 ersetzt; diese Änderungen "
                             "gehen verloren.\nTrotzdem herunterladen?",
                             "Die Tariftabellen 2020 wurden nicht heruntergeladen."})
        EXPECT_NE(refused.err.find(line), std::string::npos) << refused.err;
    EXPECT_EQ(changedFiles(before, filesBelow(program.path())), std::vector<std::string>{});

    const CliResult yes =
        run({"--answer", "yes", "update", "tariffs", "--year", "2020", "--base", server.baseUrl()});
    ASSERT_EQ(yes.status, 0) << yes.err;
    EXPECT_EQ(readText(tariffs / "202012.ttt"), december);
    EXPECT_FALSE(fs::exists(tariffs / "Handaenderungen.txt"));
    const CliResult again = tariffsOf(2020);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.err.find("von Hand"), std::string::npos) << again.err;
}

} // namespace
} // namespace varemo::test
