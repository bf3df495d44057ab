#pragma once
// Zip archives written with libzip for the tests and the fuzz seeds of tariff archives.

#include <sys/stat.h>
#include <zip.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace varemo::test {

struct ZipEntry {
    std::string name;
    std::string bytes;
    bool symlink = false; // stored as a Unix link whose target is bytes
    bool folder = false;  // stored with the Unix mode of a folder
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
        const mode_t mode = e.symlink ? (S_IFLNK | 0777) : e.folder ? (S_IFDIR | 0755) : (S_IFREG | 0644);
        zip_file_set_external_attributes(z, static_cast<zip_uint64_t>(i), 0, ZIP_OPSYS_UNIX,
                                         static_cast<zip_uint32_t>(mode) << 16);
    }
    if (zip_close(z) != 0) throw std::runtime_error("zip_close");
}

} // namespace varemo::test
