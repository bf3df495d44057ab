#include "base/record_file.h"

#include "base/cp1252.h"

#include <algorithm>
#include <utility>

namespace varemo {
namespace {

// The program's files are its own: a link in their place would carry writes to wherever it points,
// outside the folder the user chose, so it is reported instead of followed.
void refuseLink(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
        throw RecordFileError("Die Datei " + path.string() +
                              " ist eine Verknüpfung auf eine andere Datei; das Programm folgt ihr nicht.");
}

} // namespace

void RecordBuffer::throwBeyondEnd(size_t offset, size_t length) const {
    throw RecordFileError("Ein Feld (Stelle " + std::to_string(offset) + ", " + std::to_string(length) +
                          " Bytes) reicht über das Ende des Datensatzes von " +
                          std::to_string(bytes_.size()) + " Bytes hinaus.");
}

std::string RecordBuffer::rawText(size_t offset, size_t length) const {
    check(offset, length);
    std::string raw(bytes_.begin() + offset, bytes_.begin() + offset + length);
    std::replace(raw.begin(), raw.end(), '\0', ' ');
    return cp1252ToUtf8(raw);
}

std::string RecordBuffer::text(size_t offset, size_t length) const {
    check(offset, length);
    // Only blanks and NULs turn into trailing blanks, so they are cut before converting; most texts are
    // plain ASCII and need no conversion (month records are unpacked many times per calculation).
    const uint8_t* bytes = bytes_.data() + offset;
    while (length > 0 && (bytes[length - 1] == ' ' || bytes[length - 1] == 0))
        --length;
    std::string s(reinterpret_cast<const char*>(bytes), length);
    if (std::all_of(bytes, bytes + length, [](uint8_t b) { return b != 0 && b < 0x80; })) return s;
    std::replace(s.begin(), s.end(), '\0', ' ');
    return cp1252ToUtf8(s);
}

void RecordBuffer::setText(size_t offset, size_t length, const std::string& utf8) {
    check(offset, length);
    // Converted straight into the record: month records are packed on every run.
    char* field = reinterpret_cast<char*>(bytes_.data() + offset);
    const size_t written = utf8ToCp1252(utf8, field, length);
    std::fill(field + written, field + length, ' ');
}

bool RecordBuffer::allZero() const {
    return std::all_of(bytes_.begin(), bytes_.end(), [](uint8_t b) { return b == 0; });
}

RecordFile::RecordFile(const std::filesystem::path& path, size_t recordLength)
    : path_(path), length_(recordLength), open_(true) {
    if (recordLength == 0)
        throw RecordFileError("Die Datei " + path.string() +
                              " kann nicht mit der Satzlänge 0 geöffnet werden.");
    refuseLink(path);
    std::error_code ec;
    if (std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found)
        attach(false);
}

bool RecordFile::attach(bool create) {
    if (stream_) return true;
    if (create) {
        refuseLink(path_);
        // Appending creates the file without emptying it: another program may have created and
        // written it since the check.
        std::ofstream make(path_, std::ios::binary | std::ios::app);
        if (!make) throw RecordFileError("Die Datei " + path_.string() + " konnte nicht angelegt werden.");
    } else {
        std::error_code ec;
        if (std::filesystem::symlink_status(path_, ec).type() == std::filesystem::file_type::not_found)
            return false;
    }
    stream_ = std::make_unique<std::fstream>(path_, std::ios::in | std::ios::out | std::ios::binary);
    if (!*stream_) {
        stream_.reset();
        throw RecordFileError("Die Datei " + path_.string() + " konnte nicht geöffnet werden.");
    }
    return true;
}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : path_(std::move(other.path_)), length_(other.length_), open_(std::exchange(other.open_, false)),
      stream_(std::move(other.stream_)) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    path_ = std::move(other.path_);
    length_ = other.length_;
    open_ = std::exchange(other.open_, false);
    stream_ = std::move(other.stream_);
    return *this;
}
RecordFile::~RecordFile() = default;

int64_t RecordFile::recordCount() {
    if (!open_ || !attach(false)) return 0;
    stream_->clear();
    stream_->seekg(0, std::ios::end);
    auto size = static_cast<int64_t>(stream_->tellg());
    return (size + static_cast<int64_t>(length_) - 1) / static_cast<int64_t>(length_);
}

RecordBuffer RecordFile::read(int64_t record) {
    RecordBuffer buffer(length_);
    if (!open_ || record < 1 || !attach(false)) return buffer;
    stream_->clear();
    stream_->seekg((record - 1) * static_cast<int64_t>(length_));
    stream_->read(reinterpret_cast<char*>(buffer.bytes().data()), static_cast<std::streamsize>(length_));
    stream_->clear(); // a short read leaves the rest zero
    return buffer;
}

void RecordFile::write(int64_t record, const RecordBuffer& buffer) {
    if (!open_)
        throw RecordFileError("In eine Datei, die nicht geöffnet ist, kann nicht geschrieben werden.");
    if (record < 1)
        throw RecordFileError("Der Satz " + std::to_string(record) + " kann nicht in die Datei " +
                              path_.string() + " geschrieben werden (die Sätze beginnen bei 1).");
    if (buffer.size() != length_)
        throw RecordFileError("Ein Satz von " + std::to_string(buffer.size()) +
                              " Bytes passt nicht in die Datei " + path_.string() + " (Satzlänge " +
                              std::to_string(length_) + ").");
    attach(true);
    stream_->clear();
    stream_->seekp((record - 1) * static_cast<int64_t>(length_));
    stream_->write(reinterpret_cast<const char*>(buffer.bytes().data()),
                   static_cast<std::streamsize>(length_));
    stream_->flush();
    if (!*stream_) throw RecordFileError("Die Datei " + path_.string() + " konnte nicht geschrieben werden.");
}

void RecordFile::flush() {
    if (stream_) stream_->flush();
}

RecordBuffer readRecordIfExists(const std::filesystem::path& path, size_t recordLength, int64_t record) {
    RecordBuffer buffer(recordLength);
    // Only a file that is not there reads as zeros; one that is there but cannot be read is an error,
    // or an operation would copy zeros in place of the data it could not see.
    refuseLink(path);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return buffer;
    if (ec || !std::filesystem::is_regular_file(status))
        throw RecordFileError("Die Datei " + path.string() +
                              " kann nicht gelesen werden (sie ist keine lesbare Datei).");
    if (record < 1) return buffer;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw RecordFileError("Die Datei " + path.string() + " kann nicht gelesen werden.");
    in.seekg((record - 1) * static_cast<int64_t>(recordLength));
    in.read(reinterpret_cast<char*>(buffer.bytes().data()), static_cast<std::streamsize>(recordLength));
    if (in.bad()) throw RecordFileError("Die Datei " + path.string() + " kann nicht gelesen werden.");
    return buffer;
}

} // namespace varemo
