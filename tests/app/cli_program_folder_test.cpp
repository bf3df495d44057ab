// The program folder as the command line is given it: a relative spelling, a copy of the folder and a
// mistyped path.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using varemo::test::CliResult;
using varemo::test::runCli;

namespace {

std::vector<std::string> month(const std::string& folder, const std::string& command,
                               std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"--program-dir", folder,   command, "--year",  "2020", "--set",
                                     "REAL",          "--case", "1",     "--month", "1"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

long long grossOf(const std::string& folder) {
    CliResult r = runCli(month(folder, "sheet", {"--json"}));
    EXPECT_EQ(r.status, 0) << r.err;
    return varemo::test::parseJson(r.out)["amounts"][22].integer();
}

// Runs the command line from within another working folder.
CliResult runIn(const fs::path& workingFolder, const std::vector<std::string>& args) {
    const fs::path before = fs::current_path();
    fs::current_path(workingFolder);
    CliResult r = runCli(args);
    fs::current_path(before);
    return r;
}

} // namespace

TEST(CliProgramFolder, ACopiedFolderKeepsItsOwnDataWhateverTheSpelling) {
    varemo::test::TempDir dir;
    const fs::path original = dir.path() / "Varemo2020";
    fs::create_directory(original);
    // First start with a relative spelling; every other spelling finds the same data afterwards.
    ASSERT_EQ(runIn(dir.path(), month("Varemo2020", "set", {"--amount", "12=3000"})).status, 0);
    EXPECT_EQ(grossOf(original.string()), 300000);
    EXPECT_EQ(grossOf((dir.path() / "." / "Varemo2020" / "").string()), 300000);
    EXPECT_EQ(runIn(original, month(".", "sheet")).status, 0);

    // A copy works on its own data; the original is not touched.
    const fs::path copy = dir.path() / "Kopie";
    fs::copy(original, copy, fs::copy_options::recursive);
    const auto originalFiles = varemo::test::filesBelow(original);
    ASSERT_EQ(runCli(month(copy.string(), "set", {"--amount", "12=4000"})).status, 0);
    EXPECT_EQ(grossOf(copy.string()), 400000);
    EXPECT_EQ(varemo::test::changedFiles(originalFiles, varemo::test::filesBelow(original)),
              std::vector<std::string>{});
    EXPECT_EQ(grossOf(original.string()), 300000);
}

TEST(CliProgramFolder, AMistypedFolderIsNotMadeWithItsWholePath) {
    varemo::test::TempDir dir;
    CliResult refused = runCli({"--program-dir", (dir.path() / "Varem2020" / "Daten").string(), "users"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.err.find("existiert nicht, und auch der Ordner"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir.path() / "Varem2020"));

    // Only the last folder is made, and the command says so.
    CliResult made = runCli({"--program-dir", (dir.path() / "Neu").string(), "users"});
    EXPECT_EQ(made.status, 0);
    EXPECT_NE(made.err.find("wurde neu angelegt"), std::string::npos) << made.err;
    EXPECT_TRUE(fs::is_directory(dir.path() / "Neu"));
}
