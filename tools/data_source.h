#pragma once
// Reading the readable sources below data/ for the data generator. Every complaint names the source
// file and line ("<file>:<line>: <what>"), so that a bad row stops the build where it is.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace varemo::datagen {

class DataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A source file as its lines without end-of-line characters, and the name the complaints show.
class SourceText {
  public:
    static SourceText read(const std::filesystem::path& path);
    static SourceText fromString(std::string name, std::string_view text);

    const std::string& name() const { return name_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    // Line n, counted from 1.
    const std::string& line(int n) const { return lines_.at(static_cast<size_t>(n - 1)); }

    [[noreturn]] void fail(int line, const std::string& message) const;

  private:
    std::string name_;
    std::vector<std::string> lines_;
};

std::vector<std::string> splitTabs(const std::string& line);

// One line of comma-separated values. A field may be quoted ("A3-A11, Anwärter"); two quotes inside a
// quoted field stand for one. A record spread over several lines is refused.
std::vector<std::string> splitCsv(const SourceText& source, int line);

// A whole number of up to nine digits, no sign.
bool parseCount(const std::string& text, int& value);

// A decimal with a dot and at most `decimals` decimals, no sign, as a whole number of the smallest unit:
// parseFixed("82.05", 2) 8205, parseFixed("5.5", 2) 550, parseFixed("38.001", 3) 38001.
bool parseFixed(const std::string& text, int decimals, int64_t& value);

// Whether a text is well-formed UTF-8 that Windows-1252 can hold (the program's files are Windows-1252).
bool fitsWindows1252(const std::string& utf8);

// The text as a C++ string literal (UTF-8 kept; quotes, backslashes and control characters escaped).
std::string cppString(std::string_view text);

// Writes a file, creating its folder. writeIfChanged leaves an unchanged file alone, so that the build
// does not compile a generated source again when only other sources changed.
void writeFile(const std::filesystem::path& path, const std::string& content);
void writeIfChanged(const std::filesystem::path& path, const std::string& content);

} // namespace varemo::datagen
