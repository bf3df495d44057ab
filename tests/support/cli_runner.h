#pragma once
// Runs the built varemo20-cli with arguments and collects its exit status, stdout and stderr.

#include <filesystem>
#include <string>
#include <vector>

namespace varemo::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult runCli(const std::vector<std::string>& args);

// The program folder option and the case-month selection of `sheet` and `set` (without --json).
std::vector<std::string> caseMonthArgs(const std::filesystem::path& programDir, const std::string& command,
                                       int year, int month, const std::string& dataSet = "REAL",
                                       int caseNumber = 1);

// Copies the Tarife/ and Texte/ folders the build generated into a program folder.
void copyShippedFiles(const std::filesystem::path& programDir);

} // namespace varemo::test
