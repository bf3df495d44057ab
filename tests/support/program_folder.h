#pragma once
// A temporary program folder with the shipped Tarife/ and Texte/ of the build tree, and varemo20-cli run
// on it: what the end-to-end tests of the command line share.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace varemo::test {

using Args = std::vector<std::string>;

struct ProgramFolder {
    TempDir dir;
    ProgramFolder() { copyShippedFiles(dir.path()); }
    std::string root() const { return dir.path().string(); }

    // The command with --program-dir before it.
    CliResult run(const Args& args) const {
        Args all = {"--program-dir", root()};
        all.insert(all.end(), args.begin(), args.end());
        return runCli(all);
    }
    // The command with --json after it; its exit status is checked.
    Json json(Args args, int expectedStatus = 0) const {
        args.push_back("--json");
        const CliResult r = run(args);
        EXPECT_EQ(r.status, expectedStatus) << r.err;
        return parseJson(r.out);
    }
    // `command` on a case-month (--program-dir included), then more.
    Args month(const std::string& command, int year, int month, const Args& more = {},
               const std::string& dataSet = "REAL", int caseNumber = 1) const {
        Args a = caseMonthArgs(dir.path(), command, year, month, dataSet, caseNumber);
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }
    // `command --json` on a case-month of case 1 (or another), then more; its exit status is checked.
    Json monthJson(const std::string& command, int year, int m, const Args& more = {}, int expectedStatus = 0,
                   int caseNumber = 1) const {
        Args args = month(command, year, m, {"--json"}, "REAL", caseNumber);
        args.insert(args.end(), more.begin(), more.end());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, expectedStatus) << r.err;
        return parseJson(r.out);
    }
    Json sheet(int year, int m, int caseNumber = 1) const {
        return monthJson("sheet", year, m, {}, 0, caseNumber);
    }
};

} // namespace varemo::test
