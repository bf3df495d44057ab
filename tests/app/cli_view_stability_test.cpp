// Viewing a case-month must leave the stored files as they are: after the first view, further views give
// the same bytes, and typing the same value twice gives the same files as typing it once.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;
using Snapshot = varemo::test::FolderFiles;

varemo::test::CliResult cli(const varemo::test::TempDir& dir, const Args& args) {
    Args all = {"--program-dir", dir.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    return varemo::test::runCli(all);
}

// The sheet and the employer's cost of `--json` output, without the typed amounts and the messages of
// the command itself.
std::string shownFigures(const std::string& json) {
    const size_t previous = json.find("\"previous\":");
    const size_t cost = json.find("\"employerCost\":");
    const size_t messages = json.find("\"messages\":");
    if (previous == std::string::npos || cost == std::string::npos || messages == std::string::npos)
        return json;
    return json.substr(0, previous) + json.substr(cost, messages - cost);
}

int run(const varemo::test::TempDir& dir, const Args& args) {
    return cli(dir, args).status;
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

// Service relationships, part-time, one-time and special-payment months, typed contributions, the
// typed employer subsidy and private premiums (employee with subsidy, civil servant), over several years.
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
        out.push_back({year,
                       6,
                       {"--amount", "12=7000", "--line", "37=1", "--line", "38=1", "--amount", "36=600",
                        "--amount", "37=90"}});
        out.push_back({year, 2, {"--line", "4=0", "--amount", "12=6000", "--amount", "36=500"}});
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
        Args editsShown = s.edits;
        editsShown.push_back("--json");
        const varemo::test::CliResult edited = cli(dir, command("set", s, editsShown));
        ASSERT_EQ(edited.status, 0);
        const Snapshot first = varemo::test::filesBelow(dir.path());
        // The figures an edit shows (sheet, employer's cost) are the figures every later view shows.
        const varemo::test::CliResult viewed = cli(dir, command("sheet", s, {"--json"}));
        ASSERT_EQ(viewed.status, 0);
        EXPECT_EQ(shownFigures(edited.out), shownFigures(viewed.out));
        EXPECT_EQ(viewed.out, cli(dir, command("sheet", s, {"--json"})).out);
        EXPECT_EQ(varemo::test::changedFiles(first, varemo::test::filesBelow(dir.path())), Args{})
            << "view 1";
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

// § 257 SGB V and § 61 SGB XI: the employer pays half the private premium, at most what it would pay
// for a statutory member at the ceiling. 2021 with 7,000 € pay, ceiling 4,837.50 €:
//   health at most (14.6 % + 1.3 % average additional rate) / 2 = 7.95 % × 4,837.50 = 384.58
//   care   at most 3.05 % / 2 = 1.525 % × 4,837.50 = 73.77
// The premium stays as typed, so a later view gives the same subsidy (it used to halve on every view).
TEST(CliViewStability, PrivateSubsidyIsHalfThePremiumUpToTheMaximum) {
    struct Expected {
        std::string health, care;
        long long healthSubsidy, careSubsidy;
    };
    for (const Expected& e : {Expected{"600", "90", 30000, 4500}, Expected{"1000", "200", 38458, 7377}}) {
        SCOPED_TRACE(e.health + "/" + e.care);
        varemo::test::TempDir dir;
        const Scenario s{2021, 6, {}};
        ASSERT_EQ(run(dir, command("set", s,
                                   {"--amount", "12=7000", "--line", "37=1", "--line", "38=1", "--amount",
                                    "36=" + e.health, "--amount", "37=" + e.care})),
                  0);
        for (int view = 1; view <= 2; ++view) {
            const varemo::test::Json j =
                varemo::test::parseJson(cli(dir, command("sheet", s, {"--json"})).out);
            EXPECT_EQ(j["amounts"][36].integer(), e.healthSubsidy) << "view " << view;
            EXPECT_EQ(j["amounts"][37].integer(), e.careSubsidy) << "view " << view;
        }
    }
}
