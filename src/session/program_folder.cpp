#include "session/program_folder.h"

#include "persistence/file_ops.h"

#include <unistd.h>

#include <cstdlib>

namespace varemo {
namespace fs = std::filesystem;

namespace {

constexpr const char* kShippedFolders[] = {"Tarife", "Texte"};

bool writable(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::optional<fs::path> userDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "varemo20";
    if (const char* home = std::getenv("HOME"); home && *home && fs::path(home).is_absolute())
        return fs::path(home) / ".local" / "share" / "varemo20";
    return std::nullopt;
}

void copyShippedFiles(const fs::path& installDir, const fs::path& programDir) {
    for (const char* name : kShippedFolders) {
        const fs::path from = installDir / name;
        std::error_code ec;
        if (!fs::is_directory(from, ec)) continue;
        const fs::path to = programDir / name;
        try {
            fs::create_directories(to);
            for (const fs::directory_entry& e : fs::directory_iterator(from)) {
                if (!e.is_regular_file()) continue;
                const fs::path target = to / e.path().filename();
                const auto shipped = fs::last_write_time(e.path());
                if (fs::exists(target, ec) && fs::last_write_time(target, ec) >= shipped) continue;
                copyFileAtomically(e.path(), target);
                fs::last_write_time(target, shipped);
            }
        } catch (const fs::filesystem_error& err) {
            throw StorageError("Die mitgelieferten Dateien konnten nicht in den Ordner " + to.string() +
                               " kopiert werden: " + err.what());
        }
    }
}

fs::path programFolderFor(const fs::path& installDir) {
    if (writable(installDir)) return installDir;
    const std::optional<fs::path> own = userDataFolder();
    if (!own) return installDir; // the start-up says what cannot be written
    std::error_code ec;
    fs::create_directories(*own, ec);
    if (!fs::is_directory(*own, ec))
        throw StorageError("Der Ordner " + own->string() +
                           " für die eigenen Daten kann nicht angelegt werden.");
    copyShippedFiles(installDir, *own);
    return *own;
}

} // namespace varemo
