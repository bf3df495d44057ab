#include "session/program_folder.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace varemo::test {
namespace {
namespace fs = std::filesystem;

void write(const fs::path& p, const std::string& text, fs::file_time_type when) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
    fs::last_write_time(p, when);
}

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The user's copy of an installation's shipped files: what is missing comes with the shipped date (the
// update check compares it), a newer shipped file (a newer package) replaces an older copy, and a copy
// changed since (a downloaded table) stays.
TEST(ProgramFolder, TheUsersCopyFollowsNewerShippedFilesOnly) {
    TempDir install, own;
    const auto day = std::chrono::hours(24);
    const fs::file_time_type shipped = fs::file_time_type::clock::now() - 10 * day;
    write(install.path() / "Tarife" / "20201.ttt", "paket-neu", shipped);
    write(install.path() / "Tarife" / "202012.ttt", "paket", shipped);
    write(install.path() / "Tarife" / "Kommentar.txt", "kommentar", shipped);
    write(install.path() / "Texte" / "MyText20.txt", "texte", shipped);
    write(install.path() / "varemo20.sr", "nicht mitkopiert", shipped);
    write(own.path() / "Tarife" / "20201.ttt", "alt", shipped - day);
    write(own.path() / "Tarife" / "202012.ttt", "heruntergeladen", shipped + day);
    write(own.path() / "Tarife" / "20191.ttt", "eigene", shipped - day);

    copyShippedFiles(install.path(), own.path());
    EXPECT_EQ(read(own.path() / "Tarife" / "20201.ttt"), "paket-neu");
    EXPECT_EQ(fs::last_write_time(own.path() / "Tarife" / "20201.ttt"), shipped);
    EXPECT_EQ(read(own.path() / "Tarife" / "202012.ttt"), "heruntergeladen");
    EXPECT_EQ(read(own.path() / "Tarife" / "20191.ttt"), "eigene");
    EXPECT_EQ(read(own.path() / "Tarife" / "Kommentar.txt"), "kommentar");
    EXPECT_EQ(read(own.path() / "Texte" / "MyText20.txt"), "texte");
    EXPECT_FALSE(fs::exists(own.path() / "varemo20.sr"));

    // A folder the program may write to stays the program folder, as it always was.
    EXPECT_EQ(programFolderFor(install.path()), install.path());
}

TEST(ProgramFolder, TheUsersFolderFollowsTheXdgRules) {
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string keep = oldXdg ? oldXdg : "";
    setenv("XDG_DATA_HOME", "/srv/daten", 1);
    EXPECT_EQ(userDataFolder(), fs::path("/srv/daten/varemo20"));
    // A relative value is ignored, as the XDG rules say.
    setenv("XDG_DATA_HOME", "daten", 1);
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(userDataFolder(), fs::path(home) / ".local/share/varemo20");
    }
    oldXdg ? setenv("XDG_DATA_HOME", keep.c_str(), 1) : unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace varemo::test
