#pragma once
// Archives and file dates for the update tests.

#include <sys/stat.h>
#include <zip.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace varemo::test {

struct ZipEntry {
    std::string name;
    std::string bytes;
    bool symlink = false; // stored as a Unix link whose target is bytes
};

// Writes a zip archive with libzip, names as given (no cleaning).
inline void writeZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries) {
    std::filesystem::create_directories(path.parent_path());
    int error = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) throw std::runtime_error("zip_open");
    for (const ZipEntry& e : entries) {
        zip_source_t* s = zip_source_buffer(z, e.bytes.data(), e.bytes.size(), 0);
        const zip_int64_t i = zip_file_add(z, e.name.c_str(), s, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
        if (i < 0) throw std::runtime_error("zip_file_add " + e.name);
        // Stored as they are, so that a test can damage an entry's data at a known offset.
        zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
        const mode_t mode = e.symlink ? (S_IFLNK | 0777) : (S_IFREG | 0644);
        zip_file_set_external_attributes(z, static_cast<zip_uint64_t>(i), 0, ZIP_OPSYS_UNIX,
                                         static_cast<zip_uint32_t>(mode) << 16);
    }
    if (zip_close(z) != 0) throw std::runtime_error("zip_close");
}

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
