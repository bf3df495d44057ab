#pragma once
// Fixed-record files: a file is a sequence of records of one length, record n (from 1) at byte
// (n - 1) * length. Reading a record that lies (partly) past the end yields zeros for the missing
// bytes; writing past the end extends the file (the gap reads as zeros).
//
// RecordBuffer holds one record and offers the field helpers: little-endian integers and fixed-length,
// blank-padded Windows-1252 texts (converted from and to UTF-8 here and nowhere else).

#include "base/error.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace varemo {

// A fixed-record file or record cannot be used; the message names the file where one is known.
class RecordFileError : public Error {
  public:
    using Error::Error;
};

class RecordBuffer {
  public:
    explicit RecordBuffer(size_t length) : bytes_(length, 0) {}

    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t>& bytes() { return bytes_; }

    // Inline: the calculation reads and writes every field of a month record several times a run.
    int16_t i16(size_t offset) const {
        check(offset, 2);
        return static_cast<int16_t>(uint16_t(bytes_[offset]) | uint16_t(bytes_[offset + 1]) << 8);
    }
    int32_t i32(size_t offset) const {
        check(offset, 4);
        uint32_t v = 0;
        for (int k = 3; k >= 0; --k)
            v = (v << 8) | bytes_[offset + k];
        return static_cast<int32_t>(v);
    }
    void setI16(size_t offset, int16_t value) {
        check(offset, 2);
        auto v = static_cast<uint16_t>(value);
        bytes_[offset] = static_cast<uint8_t>(v & 0xFF);
        bytes_[offset + 1] = static_cast<uint8_t>(v >> 8);
    }
    void setI32(size_t offset, int32_t value) {
        check(offset, 4);
        auto v = static_cast<uint32_t>(value);
        for (int k = 0; k < 4; ++k)
            bytes_[offset + k] = static_cast<uint8_t>((v >> (8 * k)) & 0xFF);
    }

    // The text at offset with the given length in bytes, as UTF-8, trailing blanks and NULs removed.
    std::string text(size_t offset, size_t length) const;
    // The text as stored (UTF-8), without trimming; NUL bytes read as blanks.
    std::string rawText(size_t offset, size_t length) const;
    // Writes the text as Windows-1252, cut to length and padded with blanks.
    void setText(size_t offset, size_t length, const std::string& utf8);

    bool allZero() const;

  private:
    void check(size_t offset, size_t length) const {
        if (offset + length > bytes_.size() || offset + length < offset) throwBeyondEnd(offset, length);
    }
    [[noreturn]] void throwBeyondEnd(size_t offset, size_t length) const;
    std::vector<uint8_t> bytes_;
};

class RecordFile {
  public:
    RecordFile() = default;
    // Opens the file for reading and writing. A missing file reads as empty and is made by the first
    // write, so that opening a year to look at it leaves no files behind.
    RecordFile(const std::filesystem::path& path, size_t recordLength);
    RecordFile(RecordFile&&) noexcept;
    RecordFile& operator=(RecordFile&&) noexcept;
    ~RecordFile();

    bool isOpen() const { return open_; }
    const std::filesystem::path& path() const { return path_; }
    size_t recordLength() const { return length_; }
    // Number of whole or partial records in the file.
    int64_t recordCount();

    RecordBuffer read(int64_t record);
    void write(int64_t record, const RecordBuffer& buffer);
    void flush();

  private:
    std::filesystem::path path_;
    size_t length_ = 0;
    bool open_ = false;
    std::unique_ptr<std::fstream> stream_; // none while the file does not exist yet
    // Opens the stream once the file exists (create: makes it); false while it does not exist.
    bool attach(bool create);
};

// One record read from a file that may not exist (zeros then); does not create the file. Throws
// RecordFileError when something is there that cannot be read (a folder, a file without permission).
RecordBuffer readRecordIfExists(const std::filesystem::path& path, size_t recordLength, int64_t record);

} // namespace varemo
