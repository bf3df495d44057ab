#pragma once
// The memo field of the window (f22) keeps one short text per case and year: "Merkfeld.0yy" in the user
// folder, one line "case number;text" per case with a memo (Windows-1252, CR LF), ordered by case.
// It is a side file of the year like the calculators' files: deleting the year deletes it.

#include <filesystem>
#include <map>
#include <string>

namespace varemo {

inline constexpr size_t kMemoLength = 20; // characters a memo keeps

std::string memoFileName(int year);

// The memos of a year, UTF-8 by case number. A missing file has none; a line that is not
// "number;text" is skipped (it cannot belong to a case). Throws StorageError when the file cannot be read.
std::map<int, std::string> readCaseMemos(const std::filesystem::path& userFolder, int year);

// Writes the memos of a year atomically (an empty map removes the file). Texts are cut to kMemoLength
// characters. Throws StorageError.
void writeCaseMemos(const std::filesystem::path& userFolder, int year,
                    const std::map<int, std::string>& memos);

} // namespace varemo
