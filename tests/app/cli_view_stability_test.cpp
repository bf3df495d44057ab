// Viewing a case-month must leave the stored files as they are: after the first view, further views give
// the same bytes, and typing the same value twice gives the same files as typing it once.

#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;
using Snapshot = varemo::test::FolderFiles;

int run(const varemo::test::TempDir& dir, const Args& args) {
    Args all = {"--program-dir", dir.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return varemo::test::runCli(all).status;
}

struct Scenario {
    int year;
    int month;
    Args edits;
};

Args caseMonth(const Scenario& s) {
    return {"--year",  std::to_string(s.year), "--set", "REAL", "--case", "1",
            "--month", std::to_string(s.month)};
}

Args command(const std::string& name, const Scenario& s, const Args& extra = {}) {
    Args a = {name};
    for (const std::string& x : caseMonth(s))
        a.push_back(x);
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

// Service relationships, part-time, one-time and special-payment months, typed contributions and the
// typed employer subsidy, over several years.
std::vector<Scenario> scenarios() {
    std::vector<Scenario> out;
    for (int year : {2017, 2019, 2021}) {
        out.push_back({year, 1, {}});
        out.push_back({year, 3, {"--line", "4=1"}});
        out.push_back({year, 3, {"--line", "4=2"}});
        out.push_back({year, 3, {"--line", "4=5"}});
        out.push_back({year, 5, {"--line", "22=1", "--amount", "1=19.25"}});
        out.push_back({year, 11, {}});
        out.push_back({year, 12, {"--amount", "20=1000"}});
        out.push_back({year, 2, {"--line", "37=7", "--amount", "36=300"}});
        out.push_back(
            {year, 2, {"--line", "37=8", "--amount", "36=150", "--line", "38=6", "--amount", "37=30"}});
    }
    return out;
}

} // namespace

TEST(CliViewStability, ViewsAndRepeatedEditsLeaveTheFilesAsTheyAre) {
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(std::to_string(s.year) + "/" + std::to_string(s.month) + " " +
                     (s.edits.empty() ? std::string("(new case)") : s.edits.front() + " " + s.edits[1]));
        varemo::test::TempDir dir;
        ASSERT_EQ(run(dir, {"new-case", "--year", std::to_string(s.year)}), 0);
        ASSERT_EQ(run(dir, command("set", s, s.edits)), 0);
        ASSERT_EQ(run(dir, command("sheet", s)), 0);
        const Snapshot first = varemo::test::filesBelow(dir.path());
        for (int view = 2; view <= 4; ++view) {
            ASSERT_EQ(run(dir, command("sheet", s)), 0);
            EXPECT_EQ(varemo::test::changedFiles(first, varemo::test::filesBelow(dir.path())), Args{})
                << "view " << view;
        }
        if (!s.edits.empty()) {
            ASSERT_EQ(run(dir, command("set", s, s.edits)), 0);
            ASSERT_EQ(run(dir, command("sheet", s)), 0);
            EXPECT_EQ(varemo::test::changedFiles(first, varemo::test::filesBelow(dir.path())), Args{})
                << "the same edits again";
        }
    }
}
