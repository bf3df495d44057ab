#include "persistence/file_ops.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>

namespace varemo {
namespace fs = std::filesystem;

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    return std::to_string(seed % 1000000) + "-" + std::to_string(counter++);
}

fs::path temporaryBeside(const fs::path& path) {
    return path.parent_path() / ("." + path.filename().string() + ".neu-" + uniqueSuffix());
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw StorageError("Die Datei " + path.string() + " konnte nicht angelegt werden.");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw StorageError("Die Datei " + path.string() + " konnte nicht geschrieben werden.");
}

std::string trimmedSeparators(const std::string& text) {
    std::string t = withSeparators(text, '/');
    while (t.size() > 1 && t.back() == '/')
        t.pop_back();
    return t;
}

} // namespace

std::string withSeparators(std::string text, char sep) {
    std::replace_if(text.begin(), text.end(), isSeparator, sep);
    return text;
}

bool startsWithPath(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (isSeparator(text[i]) && isSeparator(prefix[i])) continue;
        if (text[i] != prefix[i]) return false;
    }
    return true;
}

bool endsWithPathIgnoringCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    size_t start = text.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i) {
        char a = text[start + i];
        char b = suffix[i];
        if (isSeparator(a) && isSeparator(b)) continue;
        if (std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b)))
            return false;
    }
    return true;
}

bool samePathText(const std::string& a, const std::string& b) {
    return trimmedSeparators(a) == trimmedSeparators(b);
}

std::optional<fs::path> storedPathToNative(const std::string& stored) {
    std::string text = stored;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    if (text.empty()) return std::nullopt;
#ifdef _WIN32
    fs::path p(text);
#else
    fs::path p(withSeparators(text, '/'));
#endif
    if (!p.is_absolute()) return std::nullopt;
    return p;
}

std::optional<fs::path> storedPathToNative(const std::string& stored, const fs::path& base) {
    std::string text = stored;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    const bool relative = text == "." || (text.size() >= 2 && text[0] == '.' && isSeparator(text[1]));
    if (!relative) return storedPathToNative(text);
    fs::path below(withSeparators(text.substr(1), static_cast<char>(fs::path::preferred_separator)));
    return (base / below.relative_path()).lexically_normal();
}

fs::path plainFolder(const fs::path& p) {
    fs::path n = p.lexically_normal();
    if (n.has_relative_path() && !n.has_filename()) n = n.parent_path();
    return n;
}

std::string storedPathText(const fs::path& folder, const fs::path& programDir) {
    const fs::path inside = plainFolder(folder).lexically_relative(plainFolder(programDir));
    const std::string first = inside.empty() ? std::string() : inside.begin()->string();
    if (inside.empty() || first == "..") return nativeToStoredPath(folder);
    if (inside == ".") return nativeToStoredPath(".");
    return nativeToStoredPath(fs::path(".") / inside);
}

std::string nativeToStoredPath(const fs::path& path) {
    std::string text = path.string();
    if (text.empty() || !isSeparator(text.back())) text += static_cast<char>(fs::path::preferred_separator);
    return text;
}

uint64_t fileSize(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return 0;
    auto size = fs::file_size(path, ec);
    return ec ? 0 : size;
}

bool isMissingOrEmpty(const fs::path& path) {
    return fileSize(path) == 0;
}

int64_t lastFilledRecord(const fs::path& path, size_t recordLength) {
    const uint64_t size = fileSize(path);
    if (size == 0 || recordLength == 0) return 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw StorageError("Die Datei " + path.string() + " konnte nicht gelesen werden.");
    // Backwards in blocks of whole records: a file of cases ends with a written record, so this
    // usually reads one block; only a damaged file is read further. The block is small, as every
    // recalculation of all cases asks this of each case file.
    const uint64_t block = recordLength * std::max<uint64_t>(1, (1u << 16) / recordLength);
    std::vector<char> bytes;
    uint64_t end = size;
    while (end > 0) {
        const uint64_t lastStart = (end - 1) / recordLength * recordLength;
        const uint64_t start = lastStart + recordLength >= block ? lastStart + recordLength - block : 0;
        bytes.resize(static_cast<size_t>(end - start));
        in.seekg(static_cast<std::streamoff>(start));
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!in) throw StorageError("Die Datei " + path.string() + " konnte nicht gelesen werden.");
        for (uint64_t i = bytes.size(); i > 0; --i)
            if (bytes[static_cast<size_t>(i - 1)] != 0)
                return static_cast<int64_t>((start + i - 1) / recordLength + 1);
        end = start;
    }
    return 0;
}

std::vector<uint8_t> readWholeFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return {};
    if (!fs::is_regular_file(path, ec)) throw StorageError("Der Pfad " + path.string() + " ist keine Datei.");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw StorageError("Die Datei " + path.string() + " konnte nicht gelesen werden.");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw StorageError("Die Datei " + path.string() + " konnte nicht gelesen werden.");
    return bytes;
}

std::vector<std::string> readTextLines(const fs::path& path) {
    const std::vector<uint8_t> bytes = readWholeFile(path);
    const std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

void writeFileAtomically(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw StorageError("An der Stelle der Datei " + path.string() + " steht ein Ordner.");
    fs::path temp = temporaryBeside(path);
    try {
        writeBytes(temp, bytes);
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw StorageError("Die Datei " + path.string() + " konnte nicht ersetzt werden (" + ec.message() +
                           ").");
    }
}

void copyFileAtomically(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) throw StorageError("Die Datei " + from.string() + " fehlt.");
    writeFileAtomically(to, readWholeFile(from));
}

void updateRecord(const fs::path& path, size_t recordLength, int64_t record,
                  const std::function<void(RecordBuffer&)>& edit) {
    if (record < 1 || recordLength == 0)
        throw StorageError("In der Datei " + path.string() + " gibt es den Satz " + std::to_string(record) +
                           " nicht.");
    std::vector<uint8_t> bytes = readWholeFile(path);
    size_t start = static_cast<size_t>(record - 1) * recordLength;
    if (bytes.size() < start + recordLength) bytes.resize(start + recordLength, 0);
    RecordBuffer buffer(recordLength);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(start), recordLength, buffer.bytes().begin());
    edit(buffer);
    if (buffer.size() != recordLength)
        throw StorageError("Ein Satz der Datei " + path.string() + " hat beim Ändern seine Länge verändert.");
    std::copy(buffer.bytes().begin(), buffer.bytes().end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(start));
    writeFileAtomically(path, bytes);
}

std::string fileDateTimeText(const fs::path& path) {
    std::error_code ec;
    auto stamp = fs::last_write_time(path, ec);
    if (ec) return "";
    auto system = std::chrono::file_clock::to_sys(stamp);
    std::time_t t =
        std::chrono::system_clock::to_time_t(std::chrono::time_point_cast<std::chrono::seconds>(system));
    std::tm local{};
    localtime_r(&t, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

namespace {

constexpr const char* kSnapshotPrefix = ".varemo-zustand-";
// The list of a snapshot: one line per file, "1" or "0" (the file existed), a tab, the copy's name, a
// tab, the file's path relative to the folder beside which the snapshot lies.
constexpr const char* kSnapshotList = "liste";

} // namespace

FileSnapshot::FileSnapshot(const fs::path& besideFolder)
    : beside_(besideFolder), folder_(besideFolder / (kSnapshotPrefix + uniqueSuffix())) {}

FileSnapshot::~FileSnapshot() {
    if (keep_) return;
    std::error_code ec;
    // The list goes first: copies without it are never taken for an interrupted operation.
    fs::remove(folder_ / kSnapshotList, ec);
    fs::remove_all(folder_, ec);
}

void FileSnapshot::writeList() const {
    std::string text;
    for (const Entry& e : entries_) {
        fs::path relative = e.original.lexically_relative(beside_);
        if (relative.empty() || *relative.begin() == "..") relative = e.original;
        text += std::string(e.existed ? "1" : "0") + "\t" + e.copy.filename().string() + "\t" +
                relative.string() + "\n";
    }
    writeFileAtomically(folder_ / kSnapshotList, std::vector<uint8_t>(text.begin(), text.end()));
}

void FileSnapshot::add(const fs::path& file) {
    for (const Entry& e : entries_)
        if (e.original == file) return;
    Entry entry{file, folder_ / std::to_string(entries_.size()), false};
    std::error_code ec;
    if (fs::is_directory(file, ec))
        throw StorageError("An der Stelle der Datei " + file.string() + " steht ein Ordner.");
    fs::create_directories(folder_, ec);
    if (fs::exists(file, ec)) {
        if (!fs::copy_file(file, entry.copy, fs::copy_options::overwrite_existing, ec) || ec)
            throw StorageError("Von der Datei " + file.string() +
                               " konnte keine Sicherungskopie angelegt werden.");
        entry.existed = true;
    }
    entries_.push_back(std::move(entry));
    // Listed before the operation touches the file, so that a start after a crash finds it.
    writeList();
}

void FileSnapshot::add(const std::vector<fs::path>& files) {
    for (const auto& f : files)
        add(f);
}

bool FileSnapshot::restoreEntries(const std::vector<Entry>& entries) {
    bool ok = true;
    for (const Entry& e : entries) {
        std::error_code ec;
        if (e.existed) {
            try {
                copyFileAtomically(e.copy, e.original);
            } catch (const StorageError&) {
                ok = false;
            }
        } else if (fs::exists(e.original, ec) && !fs::is_directory(e.original, ec)) {
            if (!fs::remove(e.original, ec) || ec) ok = false;
        }
    }
    return ok;
}

bool FileSnapshot::restore() {
    const bool ok = restoreEntries(entries_);
    if (!ok) keep_ = true;
    return ok;
}

std::vector<fs::path> FileSnapshot::leftovers(const fs::path& besideFolder) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(besideFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kSnapshotPrefix, 0) == 0 && it->is_directory(ec) && !it->is_symlink(ec))
            out.push_back(it->path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool FileSnapshot::restoreLeftover(const fs::path& snapshotFolder) {
    const fs::path beside = snapshotFolder.parent_path();
    std::vector<Entry> entries;
    const fs::path list = snapshotFolder / kSnapshotList;
    std::error_code ec;
    if (fs::exists(list, ec)) {
        const std::vector<uint8_t> bytes = readWholeFile(list);
        std::string text(bytes.begin(), bytes.end());
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(start, end - start);
            start = end + 1;
            const size_t tab1 = line.find('\t');
            const size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
            // A list that cannot be understood is not guessed at: the copies stay for a person to see.
            if (tab2 == std::string::npos || (line[0] != '0' && line[0] != '1') || tab1 != 1) return false;
            const fs::path copyName = line.substr(tab1 + 1, tab2 - tab1 - 1);
            const fs::path original = line.substr(tab2 + 1);
            if (copyName.has_parent_path() || original.empty()) return false;
            entries.push_back({original.is_absolute() ? original : beside / original,
                               snapshotFolder / copyName, line[0] == '1'});
        }
    }
    if (!restoreEntries(entries)) return false;
    fs::remove(list, ec);
    fs::remove_all(snapshotFolder, ec);
    return true;
}

} // namespace varemo
