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

// Applies the inputs of a reference case of tests/data/cases (its edits.txt) to a program folder. One
// command a line: "YEAR MONTH ARGS..." runs `set` on case 1 of REAL (an argument "--case N" names
// another case), "YEAR MONTH COMMAND ARGS..." another command on that case-month, a line that begins with a
// word runs that command ("new-case --year 2020 --count 6"); double quotes keep blanks together, "#" begins a
// comment. failure names the line that failed.
struct ReferenceEdits {
    int year = 0; // of the last `set`
    int month = 0;
    std::string failure; // empty when every line was done
};
ReferenceEdits applyReferenceEdits(const std::filesystem::path& caseFolder,
                                   const std::filesystem::path& programDir);

// Copies the Tarife/ and Texte/ folders and tvflex.pcg the build generated into a program folder.
void copyShippedFiles(const std::filesystem::path& programDir);

} // namespace varemo::test
