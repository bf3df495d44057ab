#include "persistence/case_memos.h"

#include "base/cp1252.h"
#include "base/file_names.h"
#include "persistence/file_ops.h"

#include <charconv>

namespace varemo {
namespace {

std::string firstCharacters(const std::string& utf8, size_t count) {
    std::string out;
    size_t taken = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0) != 0x80 && taken++ == count) break;
        out += utf8[i];
    }
    return out;
}

} // namespace

std::string memoFileName(int year) {
    const int yy = ((year % 100) + 100) % 100;
    return std::string("Merkfeld.0") + (yy < 10 ? "0" : "") + std::to_string(yy);
}

std::map<int, std::string> readCaseMemos(const std::filesystem::path& userFolder, int year) {
    std::map<int, std::string> memos;
    for (const std::string& line : readTextLines(findFileIgnoringCase(userFolder, memoFileName(year)))) {
        const size_t semicolon = line.find(';');
        int number = 0;
        const auto [rest, error] = std::from_chars(line.data(), line.data() + semicolon, number);
        if (semicolon == std::string::npos || error != std::errc() || rest != line.data() + semicolon ||
            number < 1)
            continue;
        std::string memo = cp1252ToUtf8(line.substr(semicolon + 1));
        if (!memo.empty()) memos[number] = firstCharacters(memo, kMemoLength);
    }
    return memos;
}

void writeCaseMemos(const std::filesystem::path& userFolder, int year,
                    const std::map<int, std::string>& memos) {
    const auto path = findFileIgnoringCase(userFolder, memoFileName(year));
    std::string text;
    for (const auto& [number, memo] : memos) {
        std::string line = utf8ToCp1252(firstCharacters(memo, kMemoLength));
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        if (!line.empty()) text += std::to_string(number) + ";" + line + "\r\n";
    }
    if (text.empty()) {
        std::error_code ignored;
        if (std::filesystem::exists(path)) std::filesystem::remove(path, ignored);
        if (std::filesystem::exists(path))
            throw StorageError("Die Datei " + path.string() + " konnte nicht gelöscht werden.");
        return;
    }
    writeFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()));
}

} // namespace varemo
