#pragma once
// A session on a fresh temporary program folder for the storage tests, with scripted answers and a
// recorded status line, and helpers that read files byte for byte.

#include "session/session.h"
#include "session/startup.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace varemo::test {

inline std::vector<uint8_t> bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Every file below the folder (relative name -> content), to check that nothing changed.
inline std::map<std::string, std::vector<uint8_t>> treeOf(const std::filesystem::path& folder) {
    std::map<std::string, std::vector<uint8_t>> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.is_regular_file())
            out[std::filesystem::relative(e.path(), folder).string()] = bytesOf(e.path());
    return out;
}

inline std::string textAt(const std::vector<uint8_t>& bytes, size_t offset, size_t length) {
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

inline int16_t i16At(const std::vector<uint8_t>& b, size_t offset) {
    return static_cast<int16_t>(b.at(offset) | b.at(offset + 1) << 8);
}

inline int32_t i32At(const std::vector<uint8_t>& b, size_t offset) {
    return static_cast<int32_t>(uint32_t(b.at(offset)) | uint32_t(b.at(offset + 1)) << 8 |
                                uint32_t(b.at(offset + 2)) << 16 | uint32_t(b.at(offset + 3)) << 24);
}

// The text padded with blanks to length (ASCII only).
inline std::string padded(std::string text, size_t length) {
    text.resize(length, ' ');
    return text;
}

struct RecordedStatus : StatusLine {
    std::vector<std::string> lines;
    void show(const std::string& text) override { lines.push_back(text); }
};

struct StorageFixture {
    TempDir dir;
    ScriptedPrompter prompter{PromptAnswer::No};
    RecordedStatus status;
    Session g{prompter};

    StorageFixture() {
        g.programDir = dir.path();
        g.storage.status = &status;
    }
    std::filesystem::path user() const { return dir.path() / "User001"; }
    std::filesystem::path userFile(const std::string& name) const { return user() / name; }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const auto& m : prompter.messages())
            out.push_back(m.title);
        return out;
    }
};

} // namespace varemo::test
