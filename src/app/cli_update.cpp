// varemo20-cli update: the update check and the tariff download.
//
//   update check [--base URL] [--json]        the update panel: installed and offered dates
//   update server [--json]                    the same against the office server (V2020Update.txt)
//   update tariffs --year Y [--base URL]      downloads and installs the tariff archive of a year
//
// The base address of the update server is the installation's setting (Updateserver.txt); --base
// replaces it for one call.

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "session/startup.h"
#include "update/update_check.h"

#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

void printPanel(const UpdatePanel& p) {
    std::ostringstream out;
    out << p.switchLine << "\n";
    if (p.content == kServerUpdatePanel) out << "Server: " << p.serverFolder << "\n";
    out << padded("", 17) << padded(update_texts::kInstalledColumn, 22)
        << padded(update_texts::kOfferedColumn, 27) << update_texts::kSizeColumn << "\n";
    for (const UpdatePanelRow& r : p.rows)
        out << padded(r.label, 17) << padded(r.installed, 22) << padded(r.offered, 27) << r.sizeKb << "\n";
    if (p.content == kServerUpdatePanel) out << "Ergebnis: " << p.serverResult << "\n";
    out << p.message << "\n";
    std::cout << out.str();
}

void printPanelJson(const UpdatePanel* p, const std::vector<PromptMessage>& messages) {
    std::ostringstream out;
    out << "{";
    if (p) {
        out << "\"content\":" << p->content << ",\"switchLine\":" << jsonString(p->switchLine)
            << ",\"updateAvailable\":" << (p->updateAvailable ? "true" : "false")
            << ",\"message\":" << jsonString(p->message) << ",\"rows\":[";
        for (size_t i = 0; i < p->rows.size(); ++i) {
            const UpdatePanelRow& r = p->rows[i];
            out << (i ? "," : "") << "{\"label\":" << jsonString(r.label)
                << ",\"tariffYear\":" << r.tariffYear << ",\"installed\":" << jsonString(r.installed)
                << ",\"offered\":" << jsonString(r.offered) << ",\"sizeKb\":" << jsonString(r.sizeKb) << "}";
        }
        out << "]";
        if (p->content == kServerUpdatePanel)
            out << ",\"serverFolder\":" << jsonString(p->serverFolder)
                << ",\"serverResult\":" << p->serverResult;
        out << ",";
    }
    out << "\"messages\":[";
    for (size_t i = 0; i < messages.size(); ++i)
        out << (i ? "," : "") << "{\"title\":" << jsonString(messages[i].title)
            << ",\"text\":" << jsonString(messages[i].text()) << "}";
    out << "]}\n";
    std::cout << out.str();
}

// Progress on stderr in steps of a tenth, so that a log stays short.
DownloadProgress progressToStderr() {
    return [last = -1](uint64_t received, uint64_t total) mutable {
        if (total == 0) return true;
        const int tenth = static_cast<int>(received * 10 / total);
        if (tenth != last) {
            last = tenth;
            std::cerr << "Download: " << received / 1024 << " von " << total / 1024 << " kB\n";
        }
        return true;
    };
}

} // namespace

int runUpdate(CliContext& ctx) {
    if (ctx.args.empty()) throw UsageError("update needs check, server or tariffs");
    const std::string what = ctx.args.front();
    std::vector<std::string> rest(ctx.args.begin() + 1, ctx.args.end());
    ArgReader r(rest);
    bool json = false;
    int year = 0;
    std::optional<std::string> base;
    while (r.next()) {
        const std::string& a = r.current();
        if (a == "--json")
            json = true;
        else if (a == "--base")
            base = r.value();
        else if (a == "--year")
            year = r.intValue();
        else
            r.unknown();
    }
    if (what != "check" && what != "server" && what != "tariffs")
        throw UsageError("update needs check, server or tariffs");
    if (what == "tariffs" && (year < kFirstYear || year > kLastYear))
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));

    Session g(*ctx.prompter);
    g.programDir = ctx.programDir;
    if (!StartUp(g)) return 3;
    const std::filesystem::path installDir = ctx.installDir.empty() ? ctx.programDir : ctx.installDir;
    const std::filesystem::path mainProgram = mainProgramPath(installDir);
    UpdateSettings settings = readUpdateSettings({g.programDir, installDir});
    if (base) settings.baseAddress = *base;
    UpdateRun run = updateRunAfterStart(g);

    if (what == "server") {
        const UpdatePanel p =
            checkServerUpdates(g.programDir, g.dataRoot, mainProgram, g.storage.autoUpdateCheck);
        json ? printPanelJson(&p, ctx.prompter->messages()) : printPanel(p);
        return 0;
    }
    auto downloader = makeHttpDownloader();
    if (what == "tariffs")
        return DownloadTariffs(g, run, *downloader, settings, year, progressToStderr()) ? 0 : 3;
    const std::optional<UpdatePanel> p =
        CheckForUpdates(g, run, *downloader, settings, mainProgram, UpdateCheckKind::OnDemand);
    if (json)
        printPanelJson(p ? &*p : nullptr, ctx.prompter->messages());
    else if (p)
        printPanel(*p);
    return p ? 0 : 3;
}

} // namespace varemo::cli
