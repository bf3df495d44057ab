#pragma once
// The program folder of an installed program. The folder of the executable is the program folder when
// the program may write there (a folder unpacked or built by the user, as it always was). An
// installation the user cannot write to (a system package) keeps the settings file, the user folders
// and downloaded tariff tables in the user's own folder instead: $XDG_DATA_HOME/varemo20, by default
// ~/.local/share/varemo20. That folder receives the shipped files of Tarife/ and Texte/ on the first
// start, and again whenever the installation ships a newer file than the copy (a newer package); a copy
// changed since (a downloaded update, an edited table) is newer and stays.

#include <filesystem>
#include <optional>

namespace varemo {

// $XDG_DATA_HOME/varemo20 (when that is an absolute path), else $HOME/.local/share/varemo20; nothing
// without either.
std::optional<std::filesystem::path> userDataFolder();

// The program folder for a program installed in installDir: installDir itself when it is writable,
// else the user data folder, made and filled with the shipped files. Throws StorageError when that
// folder cannot be made or filled.
std::filesystem::path programFolderFor(const std::filesystem::path& installDir);

// Copies the shipped files of installDir's Tarife/ and Texte/ into programDir where the copy is missing
// or older than the shipped file; a copy keeps the shipped file's date. Throws StorageError.
void copyShippedFiles(const std::filesystem::path& installDir, const std::filesystem::path& programDir);

} // namespace varemo
