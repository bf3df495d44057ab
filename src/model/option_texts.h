#pragma once
// The year's option-text file "Texte/MyText" + two-digit year + ".txt": fixed records of 35 characters
// (Windows-1252, blank-padded), record n at byte (n - 1) * 35, no header. The program ships one file per
// year and the user may edit it; the option lists take some of their entries from it.
//
// Record ranges the program reads (fixed numbers; their contents are data):
//   1001 + 108 * region + k   names of the allowances of lines 13 to 15, civil servants (k = 3 .. 107)
//   3951 .. 3955              the five lines shown before all cases are carried into the next year
//   4141 .. 4152              family-allowance options 0 to 11 of line 10 (civil servants)
//   4161 .. 4170              line 7 entries 1 to 10 of the contracts without step movement
//   4171 + p                  line 29 denominations p = 0 .. 6 (6: none, no church tax)
//   4181 + p                  line 38 care-insurance kinds p = 0, 2 .. 6 (texts before the rates)
//   4191 + p                  line 39 pension-insurance kinds p = 0, 1, 3, 4
//   4201 + p                  line 40 unemployment-insurance kinds p = 0, 1, 2, 5
//   4211 + p                  lines 25 and 26 in-kind entries p = 8 .. 15 (0 to 7 are the general rules)
//   4231 + p                  lines 44 to 46 deduction and payment entries p = 8 .. 45 (0 to 7 as above)
//   4281 + p                  line 3 offices p = 1 .. 12 (0 is the case's own text)
//   4301 + p                  line 28 cost centres p = 1 .. 121 (0 is "Keine Kostenstelle")
//   5271 + code               names of the service relationships 0 to 38 (line 4)
//   5401 + 27 * code + group  names of the pay groups 0 to 26 of each service relationship
//   6681 + region             names of the regions 0 to 17 (line 2)
//   7001 + 108 * region + k   names of the allowances of lines 13 to 15, employees (k = 3 .. 107)

#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace varemo {

namespace optiontext {
inline constexpr size_t kRecordLength = 35;
inline constexpr int kCivilAllowanceFirst = 1001;
inline constexpr int kTransferFirst = 3951;
inline constexpr int kTransferCount = 5;
inline constexpr int kFamilyFirst = 4141;
inline constexpr int kFamilyCount = 12;
inline constexpr int kContractNotesFirst = 4161;
inline constexpr int kContractNotesCount = 10;
inline constexpr int kDenominationFirst = 4171;
inline constexpr int kDenominations = 7;
inline constexpr int kCareKindFirst = 4181;
inline constexpr int kPensionKindFirst = 4191;
inline constexpr int kUnemploymentKindFirst = 4201;
inline constexpr int kInKindFirst = 4211;
inline constexpr int kInKindEntries = 16;
inline constexpr int kDeductionFirst = 4231;
inline constexpr int kDeductionEntries = 46;
inline constexpr int kOfficeFirst = 4281;
inline constexpr int kOffices = 13;
inline constexpr int kCostCentreFirst = 4301;
inline constexpr int kCostCentres = 122;
inline constexpr int kServiceRelationshipFirst = 5271;
inline constexpr int kServiceRelationshipCount = 39;
inline constexpr int kPayGroupFirst = 5401;
inline constexpr int kPayGroupsPerRelationship = 27;
inline constexpr int kRegionFirst = 6681;
inline constexpr int kRegionCount = 18;
inline constexpr int kEmployeeAllowanceFirst = 7001;
inline constexpr int kAllowanceOptions = 108;
inline constexpr int kFirstNamedAllowance = 3; // positions 0 to 2 are fixed texts

// Record of allowance option k (0 .. 107) of a region; civil servants and employees have lists of
// their own.
int allowanceRecord(bool civilServant, int region, int option);
int payGroupRecord(int serviceRelationship, int group);

// A shipped text longer than its record ("Dienstvertrag mit besonderer Tabelle 1"): the file keeps its
// first 35 characters, the program the whole text.
struct LongText {
    int record;
    const char* text; // UTF-8
};
std::span<const LongText> shippedLongTexts();
} // namespace optiontext

// One year's option-text file, read completely when opened. A missing file reads as empty records.
class OptionTextFile {
  public:
    OptionTextFile() = default;
    explicit OptionTextFile(const std::filesystem::path& path);

    // "Texte/MyText20.txt" for 2020, below the program folder.
    static std::filesystem::path pathFor(const std::filesystem::path& programDir, int year);

    const std::filesystem::path& path() const { return path_; }
    bool isLoaded() const { return !bytes_.empty(); }

    // Record n as UTF-8 without trailing blanks; empty for a record past the end or below 1. A record
    // that holds the first 35 characters of a shipped longer text (the user has not renamed it) reads
    // as the whole text.
    std::string text(int record) const;

  private:
    std::filesystem::path path_;
    std::string bytes_;
};

// Writes a complete option-text file: the given records (UTF-8, at most 35 characters each; longer
// texts are cut), every other record up to the highest one blank. Throws std::runtime_error when the
// file cannot be written.
void writeOptionTextFile(const std::filesystem::path& path, const std::map<int, std::string>& records);

// The option-text file of a year below the data root: "Texte/MyText" + two-digit year + ".txt"
// (found without regard to the case of its name).
std::filesystem::path optionTextPath(const std::filesystem::path& dataRoot, int year);

} // namespace varemo
