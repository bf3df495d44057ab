#include "support/temp_dir.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <unistd.h>

namespace varemo::test {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto name = "varemo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                    std::to_string(rd() % 100000);
        std::error_code ec;
        if (std::filesystem::create_directory(base / name, ec)) {
            path_ = base / name;
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

FolderFiles filesBelow(const std::filesystem::path& root) {
    FolderFiles files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file())
            files[std::filesystem::relative(e.path(), root).string()] = fileBytes(e.path());
    return files;
}

std::vector<std::string> changedFiles(const FolderFiles& before, const FolderFiles& after) {
    std::vector<std::string> changed;
    for (const auto& [name, bytes] : after)
        if (!before.count(name) || before.at(name) != bytes) changed.push_back(name);
    for (const auto& [name, bytes] : before)
        if (!after.count(name)) changed.push_back(name);
    return changed;
}

} // namespace varemo::test
