#pragma once
// File handling shared by the storage operations: stored path texts, whole-file writes that never leave
// a half-written file behind, and a snapshot that puts a set of files back when an operation fails.
//
// Paths in the settings file are texts of the Windows world ("D:\Daten\Varemo2020\"); both separators
// denote the folder separator. They are turned into paths of this system only where a file is touched.

#include "base/record_file.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace varemo {

// A file or folder of the user's data cannot be read, written, copied or removed; the message names it.
class StorageError : public Error {
  public:
    using Error::Error;
};

// The text with every '/' and '\' replaced by sep.
std::string withSeparators(std::string text, char sep);
// Whether text starts with prefix, the two separators counting as equal (letters compare exactly).
bool startsWithPath(const std::string& text, const std::string& prefix);
// Whether text ends with suffix, the two separators counting as equal, letters without regard to case.
bool endsWithPathIgnoringCase(const std::string& text, const std::string& suffix);
// The two path texts name the same folder (separators alike, trailing separators ignored).
bool samePathText(const std::string& a, const std::string& b);

// A stored path text as a path of this system; nothing when it cannot name a folder here (blank, or on
// this system not absolute, such as "C:\Programme\" read on Linux).
std::optional<std::filesystem::path> storedPathToNative(const std::string& stored);
// As above, with a relative text (".\" for the program folder itself, ".\Daten\" for a folder inside it)
// taken below base, the program folder.
std::optional<std::filesystem::path> storedPathToNative(const std::string& stored,
                                                        const std::filesystem::path& base);
// The path as stored: the native spelling with a trailing separator.
std::string nativeToStoredPath(const std::filesystem::path& path);
// The folder without "." and ".." steps and without a trailing separator.
std::filesystem::path plainFolder(const std::filesystem::path& p);
// The text a data folder is stored as: relative to the program folder when it lies inside it, so that
// a copied or moved program folder keeps using its own data; otherwise as nativeToStoredPath.
std::string storedPathText(const std::filesystem::path& folder, const std::filesystem::path& programDir);

// Size of the file in bytes; 0 when it is missing (or no regular file).
uint64_t fileSize(const std::filesystem::path& path);
bool isMissingOrEmpty(const std::filesystem::path& path);
// The last record of a fixed-record file that holds a byte other than zero (a partial record at the
// end counts); 0 when there is none or the path is no file. The records after it were never written,
// however large the file is (a sparse or zero-padded file). Throws StorageError when it cannot be read.
int64_t lastFilledRecord(const std::filesystem::path& path, size_t recordLength);

// The whole file; throws StorageError when it exists but cannot be read. A missing file reads empty.
std::vector<uint8_t> readWholeFile(const std::filesystem::path& path);
// The lines of a text file as read by readWholeFile, without their CR LF or LF (bytes as stored).
std::vector<std::string> readTextLines(const std::filesystem::path& path);
// Writes the file under a temporary name in the same folder and renames it over the old one, so that
// a reader sees either the old or the new content. Throws StorageError.
void writeFileAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// Copies from over to the same way; throws StorageError.
void copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);
// Rewrites record n of a fixed-record file: the file is read as it is now, record n is passed to edit,
// and the file is written back atomically. Every other byte stays as it was; a file shorter than the
// record is extended with zeros up to the record's end.
void updateRecord(const std::filesystem::path& path, size_t recordLength, int64_t record,
                  const std::function<void(RecordBuffer&)>& edit);

// Date and time of the file's last change, "TT.MM.JJJJ hh:mm:ss" in local time; empty when missing.
std::string fileDateTimeText(const std::filesystem::path& path);

// Copies of a set of files taken before an operation changes them. restore() puts every file back byte
// for byte and removes files that did not exist when they were added. The copies live in a hidden folder
// beside the files, with a list of what they stand for, so that a program that was killed in the middle
// of an operation can put the files back at its next start (leftovers, restoreLeftover). The destructor
// removes the copies unless a restore failed (then they stay, and the next start tries again).
class FileSnapshot {
  public:
    explicit FileSnapshot(const std::filesystem::path& besideFolder);
    ~FileSnapshot();
    FileSnapshot(const FileSnapshot&) = delete;
    FileSnapshot& operator=(const FileSnapshot&) = delete;

    // Saves a copy of the file (or notes that it is missing). Adding a file twice keeps the first state.
    // Throws StorageError when the copy cannot be made.
    void add(const std::filesystem::path& file);
    void add(const std::vector<std::filesystem::path>& files);
    // Puts everything back; false when some file could not be restored (the copies are then kept).
    bool restore();
    const std::filesystem::path& folder() const { return folder_; }

    // The snapshot folders beside the files that an operation left behind: it was cut off before it
    // ended or could not put its files back. Only meaningful while the folder's lock is held.
    static std::vector<std::filesystem::path> leftovers(const std::filesystem::path& besideFolder);
    // Puts the files of a left snapshot back and removes it; false (the snapshot stays) when some file
    // could not be restored.
    static bool restoreLeftover(const std::filesystem::path& snapshotFolder);

  private:
    struct Entry {
        std::filesystem::path original;
        std::filesystem::path copy;
        bool existed = false;
    };
    void writeList() const;
    static bool restoreEntries(const std::vector<Entry>& entries);

    std::filesystem::path beside_;
    std::filesystem::path folder_;
    std::vector<Entry> entries_;
    bool keep_ = false;
};

} // namespace varemo
