// The storage commands: users, new-case, copy-case, delete-year, transfer, backup, restore, select-user.
// Every command runs the start-up first, as the program does; questions are answered by --answer.

#include "app/cli_storage.h"

#include "app/json_writer.h"
#include "persistence/settings_file.h"
#include "session/backups.h"
#include "session/case_operations.h"
#include "session/startup.h"
#include "session/users.h"
#include "session/year_transfer.h"

#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

// The status line of the window: progress goes to stderr.
class CliStatusLine : public StatusLine {
  public:
    void show(const std::string& text) override { std::cerr << text << "\n"; }
};

int exitStatus(StorageResult r) {
    switch (r) {
    case StorageResult::Done:
        return 0;
    case StorageResult::Cancelled:
    case StorageResult::Refused:
        return 1;
    case StorageResult::Failed:
        return 3;
    }
    return 3;
}

int checkedYear(int year) {
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    return year;
}

DataSet dataSetOption(ArgReader& r) {
    auto set = parseDataSet(r.value());
    if (!set) throw UsageError(r.current() + " takes REAL, PLAN or INFO");
    return *set;
}

// A session started on the program folder with the year chosen on the command line.
struct CliSession {
    CliStatusLine status;
    Session g;
    explicit CliSession(CliContext& ctx) : g(*ctx.prompter) { g.storage.status = &status; }
};

bool startWithYear(CliSession& s, const CliContext& ctx, int year) {
    if (!startSession(s.g, ctx)) return false;
    // The operations open the files of the year they need; nothing is created for the year here.
    s.g.files.close();
    s.g.year = year;
    return true;
}

} // namespace

bool startSession(Session& g, const CliContext& ctx, int user) {
    g.programDir = ctx.programDir;
    g.user = user;
    return StartUp(g);
}

int runUsers(CliContext& ctx) {
    bool json = false;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--json")
            json = true;
        else
            r.unknown();
    }
    CliSession s(ctx);
    if (!startSession(s.g, ctx)) return 3;
    auto users = listUsers(ctx.programDir);
    auto servers = listServers(ctx.programDir);
    std::ostringstream out;
    if (json) {
        out << "{\"protection\":" << (s.g.storage.protection ? "true" : "false")
            << ",\"currentUser\":" << s.g.user << ",\"dataRoot\":" << jsonString(s.g.storage.dataRootText)
            << ",\"users\":[";
        for (size_t i = 0; i < users.size(); ++i)
            out << (i ? "," : "") << "{\"number\":" << users[i].number
                << ",\"folder\":" << jsonString(users[i].folder)
                << ",\"label\":" << jsonString(users[i].label) << ",\"path\":" << jsonString(users[i].path)
                << "}";
        out << "],\"servers\":[";
        for (size_t i = 0; i < servers.size(); ++i)
            out << (i ? "," : "") << "{\"number\":" << servers[i].number
                << ",\"active\":" << (servers[i].active ? "true" : "false")
                << ",\"path\":" << jsonString(servers[i].path) << "}";
        out << "]}\n";
    } else {
        out << (s.g.storage.protection ? kProtectionOn : kProtectionOff) << "\n";
        for (const UserEntry& u : users)
            out << u.number << ". " << u.folder << "  " << u.label << "  " << u.path << "\n";
        for (const ServerEntry& server : servers)
            out << "Server " << server.number << (server.active ? " ein  " : " aus  ") << server.path << "\n";
    }
    std::cout << out.str();
    return 0;
}

int runNewCase(CliContext& ctx) {
    int year = 0;
    int count = 1;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--year")
            year = r.intValue();
        else if (r.current() == "--count")
            count = r.intValue();
        else
            r.unknown();
    }
    checkedYear(year);
    if (count < 1 || count > 100) throw UsageError("--count must be 1 to 100");
    CliSession s(ctx);
    if (!startWithYear(s, ctx, year)) return 3;
    std::vector<int> created = NewCases(s.g, count);
    for (int n : created)
        std::cout << n << "  Personalfall " << n << "\n";
    return static_cast<int>(created.size()) == count ? 0 : 3;
}

int runCopyCase(CliContext& ctx) {
    int year = 0;
    int caseNumber = 0;
    std::optional<DataSet> from;
    std::optional<DataSet> to;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--year")
            year = r.intValue();
        else if (r.current() == "--case")
            caseNumber = r.intValue();
        else if (r.current() == "--from")
            from = dataSetOption(r);
        else if (r.current() == "--to")
            to = dataSetOption(r);
        else
            r.unknown();
    }
    checkedYear(year);
    if (caseNumber < 1 || caseNumber > 9999) throw UsageError("--case must be 1 to 9999");
    if (!from || !to) throw UsageError("--from and --to are required");
    CliSession s(ctx);
    if (!startWithYear(s, ctx, year)) return 3;
    s.g.caseNumber = caseNumber;
    return exitStatus(CopyCase(s.g, *from, *to));
}

int runDeleteYear(CliContext& ctx) {
    int year = 0;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--year")
            year = r.intValue();
        else
            r.unknown();
    }
    checkedYear(year);
    CliSession s(ctx);
    if (!startSession(s.g, ctx)) return 3;
    return exitStatus(DeleteYear(s.g, year));
}

int runTransfer(CliContext& ctx) {
    int year = 0;
    int caseNumber = 0;
    bool all = false;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--year")
            year = r.intValue();
        else if (r.current() == "--case")
            caseNumber = r.intValue();
        else if (r.current() == "--all")
            all = true;
        else
            r.unknown();
    }
    checkedYear(year);
    if (all == (caseNumber != 0)) throw UsageError("transfer takes either --case N or --all");
    if (!all && (caseNumber < 1 || caseNumber > 9999)) throw UsageError("--case must be 1 to 9999");
    CliSession s(ctx);
    if (!startWithYear(s, ctx, year)) return 3;
    if (all) return exitStatus(TransferAllToNextYear(s.g, year));
    s.g.caseNumber = caseNumber;
    return exitStatus(TransferCaseToNextYear(s.g));
}

int runBackup(CliContext& ctx) {
    ArgReader r(ctx.args);
    while (r.next())
        r.unknown();
    CliSession s(ctx);
    if (!startSession(s.g, ctx)) return 3;
    StorageResult result = BackupUserData(s.g);
    for (const BackupInfo& b : ListBackups(s.g))
        std::cout << "Backup" << b.number << "  "
                  << (b.filled   ? b.date
                      : b.exists ? "leer"
                                 : "fehlt")
                  << "\n";
    return exitStatus(result);
}

int runRestore(CliContext& ctx) {
    int from = 0;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--from")
            from = r.intValue();
        else
            r.unknown();
    }
    if (from < 1 || from > 3) throw UsageError("--from must be 1, 2 or 3");
    CliSession s(ctx);
    if (!startSession(s.g, ctx)) return 3;
    return exitStatus(RestoreUserData(s.g, from));
}

int runSelectUser(CliContext& ctx) {
    int user = 0;
    std::string password;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--password")
            password = r.value();
        else if (user == 0 && !r.current().empty() && r.current()[0] != '-')
            user = parseInt(r.current(), "user");
        else
            r.unknown();
    }
    if (user < 1 || user > kUsers) throw UsageError("select-user takes a user number 1 to 100");
    CliSession s(ctx);
    if (!startSession(s.g, ctx)) return 3;
    StorageResult result = SelectUser(s.g, user, password);
    if (result == StorageResult::Done)
        std::cout << UserFolderName(s.g.user) << "  " << s.g.storage.dataRootText << "\n"
                  << s.g.storage.caption << "\n";
    return exitStatus(result);
}

} // namespace varemo::cli
