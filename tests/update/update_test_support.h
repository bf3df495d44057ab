#pragma once
// Archives and file dates for the update tests.

#include "support/zip_writer.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace varemo::test {

inline std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeText(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// A tariff file of n records whose first entry is the given amount in each record.
inline std::string tariffBytes(int records, int32_t amount) {
    std::string bytes(static_cast<size_t>(records) * 108, '\0');
    for (int r = 0; r < records; ++r)
        for (int b = 0; b < 4; ++b)
            bytes[static_cast<size_t>(r) * 108 + static_cast<size_t>(b)] =
                static_cast<char>((amount >> (8 * b)) & 0xff);
    return bytes;
}

// Sets a file's date to noon of the day (local time noon stays on the day in every zone of the machine).
inline void setFileDay(const std::filesystem::path& p, int y, unsigned m, unsigned d) {
    using namespace std::chrono;
    const sys_seconds t = sys_days{year{y} / month{m} / day{d}} + hours{12};
    std::filesystem::last_write_time(p, file_clock::from_sys(t));
}

} // namespace varemo::test
