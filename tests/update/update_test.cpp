// The downloader's failures, the automatic check after start and the office server variant.

#include "support/http_server.h"
#include "support/session.h"
#include "update/tariff_archive.h"
#include "update/update_check.h"
#include "update_test_support.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace varemo::test {
namespace {
namespace fs = std::filesystem;

// A port on which nobody listens: bound once, then closed.
int closedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(s);
    return ntohs(addr.sin_port);
}

DownloadFailure failureOf(Downloader& d, const std::string& url, std::string* message = nullptr,
                          const DownloadProgress& progress = {}) {
    try {
        d.fetch(url, progress);
    } catch (const DownloadError& e) {
        if (message) *message = e.what();
        return e.kind();
    }
    ADD_FAILURE() << url << " did not fail";
    return DownloadFailure::Other;
}

TEST(Download, EachFailureHasItsOwnGermanMessage) {
    TempDir site;
    writeText(site.path() / "Tarife2020.zip", std::string(50000, 'x'));
    LocalHttpServer server(site.path());
    DownloadLimits limits;
    limits.connectTimeout = std::chrono::seconds(2);
    limits.stallTimeout = std::chrono::seconds(1);
    limits.totalTimeout = std::chrono::seconds(2);
    auto d = makeHttpDownloader(limits);
    const std::string url = server.baseUrl() + "/Tarife2020.zip";

    // The whole file, with progress up to the announced length.
    uint64_t lastReceived = 0, lastTotal = 0;
    EXPECT_EQ(d->fetch(url,
                       [&](uint64_t received, uint64_t total) {
                           lastReceived = received;
                           lastTotal = total;
                           return true;
                       })
                  .size(),
              50000u);
    EXPECT_EQ(lastReceived, 50000u);
    EXPECT_EQ(lastTotal, 50000u);

    std::string message;
    EXPECT_EQ(failureOf(*d, server.baseUrl() + "/fehlt.zip", &message), DownloadFailure::NotFound);
    EXPECT_NE(message.find("gibt es auf dem Update-Server nicht (404)"), std::string::npos) << message;

    EXPECT_EQ(failureOf(*d, "http://127.0.0.1:" + std::to_string(closedPort()) + "/x", &message),
              DownloadFailure::NoConnection);
    EXPECT_NE(message.find("Keine Verbindung zum Update-Server"), std::string::npos) << message;

    // A server that speaks no TLS on the secure address.
    EXPECT_EQ(
        failureOf(*d, "https://127.0.0.1:" + std::to_string(server.port()) + "/Tarife2020.zip", &message),
        DownloadFailure::Tls);
    EXPECT_NE(message.find("sichere Verbindung"), std::string::npos) << message;

    EXPECT_EQ(failureOf(*d, "ftp://127.0.0.1/x", &message), DownloadFailure::Other);
    EXPECT_NE(message.find("keine gültige Internetadresse"), std::string::npos) << message;

    EXPECT_EQ(failureOf(*d, url, nullptr, [](uint64_t, uint64_t) { return false; }),
              DownloadFailure::Cancelled);

    server.setCutAfter(1000);
    EXPECT_EQ(failureOf(*d, url, &message), DownloadFailure::ShortRead);
    EXPECT_NE(message.find("brach vor dem Ende ab"), std::string::npos) << message;

    server.setCutAfter(-1);
    server.setDelay(std::chrono::milliseconds(3000));
    EXPECT_EQ(failureOf(*d, url, &message), DownloadFailure::Timeout);
    EXPECT_NE(message.find("antwortet nicht rechtzeitig"), std::string::npos) << message;
}

// Answers with a fixed notice or fails as a missing network does, and counts its calls.
// libcurl is loaded when the first download begins: a missing library fails that download by name, and
// only that one (the downloader is made without it; a later one with the library works).
TEST(Download, AMissingLibraryIsNamed) {
    auto missing = makeHttpDownloader({}, "/nonexistent/libcurl-fehlt.so.4");
    std::string message;
    EXPECT_EQ(failureOf(*missing, "http://127.0.0.1:" + std::to_string(closedPort()) + "/x.zip", &message),
              DownloadFailure::Other);
    EXPECT_NE(message.find("Die Bibliothek /nonexistent/libcurl-fehlt.so.4 fehlt"), std::string::npos)
        << message;
    EXPECT_EQ(failureOf(*makeHttpDownloader(), "http://127.0.0.1:" + std::to_string(closedPort()) + "/x.zip"),
              DownloadFailure::NoConnection);
}

class FakeDownloader : public Downloader {
  public:
    std::string notice;
    bool offline = false;
    int calls = 0;
    std::vector<uint8_t> fetch(const std::string& url, const DownloadProgress&) override {
        ++calls;
        if (offline)
            throw DownloadError(DownloadFailure::NoConnection, "Keine Verbindung zum Update-Server.");
        EXPECT_EQ(url, "https://updates.example/2020/Update.txt");
        return {notice.begin(), notice.end()};
    }
};

struct AutomaticCheck : ::testing::Test {
    AutomaticCheck() {
        s.g.dataRoot = s.dir.path();
        s.g.storage.autoUpdateCheck = true;
        writeText(s.dir.path() / "Tarife" / "202012.ttt", tariffBytes(1, 1));
        setFileDay(s.dir.path() / "Tarife" / "202012.ttt", 2020, 2, 10);
    }
    std::optional<UpdatePanel> tick(UpdateRun& run) {
        return runAutomaticUpdateCheck(s.g, run, downloader, settings, s.dir.path() / "varemo20");
    }
    TestSession s;
    FakeDownloader downloader;
    UpdateSettings settings{"https://updates.example/", "", ""};
};

TEST_F(AutomaticCheck, RunsOnceAndShowsThePanelOnlyForANewerTable) {
    // Missing December files of 2019 and 2021 count as dated 1 January of their year.
    downloader.notice = "                    01.01.2019         010.02.2020         001.01.2021         0";
    UpdateRun run = updateRunAfterStart(s.g);
    EXPECT_TRUE(run.checkPending);
    EXPECT_FALSE(tick(run));
    EXPECT_FALSE(tick(run)); // at most once per start
    EXPECT_EQ(downloader.calls, 1);

    // On demand the panel is always shown.
    auto panel =
        CheckForUpdates(s.g, run, downloader, settings, s.dir.path() / "varemo20", UpdateCheckKind::OnDemand);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->content, kInternetUpdatePanel);
    EXPECT_EQ(panel->message, "Sie benutzen bereits die neuestes Updates.");
    EXPECT_EQ(panel->switchLine, "Die Suche nach einem neuen Update bei jedem Programmstart ist aktiviert");
    EXPECT_EQ(panel->rows[0].installed, "—"); // no main program in this folder

    downloader.notice = "                    01.01.2019         011.02.2020       850";
    run = updateRunAfterStart(s.g);
    panel = tick(run);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->content, kAutomaticCheckPanel);
    EXPECT_TRUE(panel->updateAvailable);
    EXPECT_EQ(panel->rows[2].offered, "11.02.2020");
    EXPECT_EQ(panel->rows[3].installed, "01.01.2021");
}

TEST_F(AutomaticCheck, WithoutNetworkYesSwitchesTheCheckOffForGood) {
    downloader.offline = true;
    s.prompter.queue(PromptAnswer::Yes);
    UpdateRun run = updateRunAfterStart(s.g);
    EXPECT_FALSE(tick(run));
    ASSERT_EQ(s.prompter.messages().size(), 1u);
    EXPECT_EQ(s.prompter.messages()[0].title, "Kein Internetzugang. Ein Updaten ist nicht möglich.");
    EXPECT_EQ(s.prompter.messages()[0].lines.back(),
              "Soll die automatische Updatesuche abgeschaltet werden?");
    EXPECT_TRUE(fs::exists(s.dir.path() / "noupdate.txt"));
    EXPECT_FALSE(s.g.storage.autoUpdateCheck);
    EXPECT_FALSE(updateRunAfterStart(s.g).checkPending);

    // With the switch file, a manual check that fails asks for the internet instead.
    EXPECT_FALSE(CheckForUpdates(s.g, run, downloader, settings, s.dir.path() / "varemo20",
                                 UpdateCheckKind::OnDemand));
    EXPECT_EQ(s.prompter.messages().back().title, "Eine Akzion ist erforderlich..");
    EXPECT_EQ(s.prompter.messages().back().lines.back(),
              "Bitte schalten Sie Ihr Internet ein, sonst ist ein Update nicht möglich!");

    // A later automatic check of this run does not try again after a failed download.
    run.checkPending = true;
    const int calls = downloader.calls;
    EXPECT_FALSE(tick(run));
    EXPECT_EQ(downloader.calls, calls);
}

// The open tariff files of the year read the installed tables at once; a refused archive leaves them
// open on the old ones.
TEST(TariffInstall, TheOpenTablesAreReopened) {
    TestSession s;
    s.g.dataRoot = s.dir.path();
    writeText(s.dir.path() / "Tarife" / "20201.ttt", tariffBytes(2, 111));
    s.g.tariffs = TariffYear(s.dir.path(), 2020);
    ASSERT_EQ(s.g.tariffs.read(1, 2)[0], 111);

    const fs::path zip = s.dir.path() / "archiv.zip";
    writeZip(zip, {{"20201.ttt", tariffBytes(2, 555)}, {"20202.ttt", tariffBytes(2, 556)}});
    const std::string bytes = readText(zip);
    EXPECT_EQ(installTariffs(s.g, 2020, {bytes.begin(), bytes.end()}),
              (std::vector<std::string>{"20201.ttt", "20202.ttt"}));
    EXPECT_EQ(s.g.tariffs.read(1, 2)[0], 555);
    EXPECT_EQ(s.g.tariffs.read(2, 2)[0], 556);
    EXPECT_TRUE(s.g.storage.tariffsPresent);

    writeZip(zip, {{"20201.ttt", tariffBytes(2, 777)}, {"../20202.ttt", tariffBytes(2, 778)}});
    const std::string bad = readText(zip);
    EXPECT_THROW(installTariffs(s.g, 2020, {bad.begin(), bad.end()}), ArchiveError);
    EXPECT_EQ(s.g.tariffs.read(1, 2)[0], 555);
}

TEST(ServerUpdate, MissingFilesOnTheServerCountAsDifferent) {
    TempDir program, server;
    writeText(program.path() / "varemo20", "");
    setFileDay(program.path() / "varemo20", 2020, 3, 1);
    writeText(program.path() / "Tarife" / "202012.ttt", tariffBytes(1, 1));
    setFileDay(program.path() / "Tarife" / "202012.ttt", 2020, 4, 1);
    // The 2021 December file is missing: dated 01.01.2021.
    writeText(server.path() / "Tarife2021.exe", "");
    setFileDay(server.path() / "Tarife2021.exe", 2021, 1, 1);
    writeText(program.path() / kServerUpdateFile, server.path().string());

    // Only "Tarife2021.exe", and of the installed date: 100 + 10 for the two missing files.
    UpdatePanel p = checkServerUpdates(program.path(), program.path(), program.path() / "varemo20", false);
    EXPECT_EQ(p.serverResult, 110);
    EXPECT_EQ(p.content, kServerUpdatePanel);
    EXPECT_EQ(p.message, "Ein Update steht auf dem Server Ihrer Dienststelle bereit:");
    EXPECT_EQ(p.serverFolder, server.path().string());
    EXPECT_EQ(p.rows[0].offered, "0");
    EXPECT_EQ(readText(program.path() / kServerUpdateFile).substr(80, 3), "110");

    // A different date of "Tarife2021.exe" counts too: 111.
    setFileDay(server.path() / "Tarife2021.exe", 2021, 2, 1);
    EXPECT_EQ(
        checkServerUpdates(program.path(), program.path(), program.path() / "varemo20", false).serverResult,
        111);

    // All three as installed: nothing new; record 1 stays as it was.
    for (auto [name, y, m] :
         {std::tuple{"v2020up.exe", 2020, 3u}, {"Tarife2020.exe", 2020, 4u}, {"Tarife2021.exe", 2021, 1u}}) {
        writeText(server.path() / name, "");
        setFileDay(server.path() / name, y, m, 1);
    }
    p = checkServerUpdates(program.path(), program.path(), program.path() / "varemo20", false);
    EXPECT_EQ(p.serverResult, 0);
    EXPECT_EQ(p.message, "Sie benutzen bereits die neuestes Updates.");
    const std::string file = readText(program.path() / kServerUpdateFile);
    ASSERT_EQ(file.size(), 160u);
    EXPECT_EQ(file.substr(0, server.path().string().size()), server.path().string());
    EXPECT_EQ(file.substr(80), "0" + std::string(79, ' '));

    // Without a server folder: the placeholder, and every file counts as missing.
    fs::remove(program.path() / kServerUpdateFile);
    p = checkServerUpdates(program.path(), program.path(), program.path() / "varemo20", false);
    EXPECT_EQ(p.serverFolder, "Vollständiger Pfad zum Update auf dem Server");
    EXPECT_EQ(p.serverResult, 111);
}

} // namespace
} // namespace varemo::test
