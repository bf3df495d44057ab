#pragma once
// The tariff editor: the month files of one year held in memory while the user changes amounts, copies
// a month's table to the later months of the year or raises a table by a percentage; nothing reaches the
// files until writeTariffEdit, which replaces every changed month file or none.
//
// A table is what the overview of the tariff tables shows: the records of one service relationship in
// one region of a month file, one row per pay group (tariffRecordNumber). The scope of a copy or a raise
// is one record (a group), one table or the whole month file.
//
// Copies stay inside the year: the files of a year are opened together, and the next year's tables come
// with the program or the update, usually from a new agreement.
//
// A raise takes each month's own amounts from its start month on, so that an increase a later month
// already holds is raised as well and not replaced by the start month's. Every amount other than 0 is
// raised to amount x (100 % + p), rounded to the cent half up (commercial rounding, as the agreements
// publish their tables), and to at least amount + minimum when a minimum is given ("mindestens").

#include "session/session.h"
#include "tariffs/tariff_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace varemo {

// Which records of a month file an operation takes: group >= 0 one record, else serviceRelationship
// >= 0 the table of region and service relationship, else the whole file.
struct TariffScope {
    int region = 0;
    int serviceRelationship = -1;
    int group = -1;

    static TariffScope wholeFile() { return {}; }
    static TariffScope table(int region, int serviceRelationship) {
        return {region, serviceRelationship, -1};
    }
    static TariffScope record(int region, int serviceRelationship, int group) {
        return {region, serviceRelationship, group};
    }
    bool isWholeFile() const { return serviceRelationship < 0; }
};

// One row of a table: a pay group and its record.
struct TariffTableRow {
    int group = 0;     // list position of line 4's group
    std::string label; // the group's name from the year's option texts, "Gruppe n" without one
    int32_t record = 0;
    TariffRecord cells;
};

// One amount a raise changes.
struct TariffChange {
    int month = 0;
    int32_t record = 0;
    int entry = 0;
    int32_t oldCents = 0;
    int32_t newCents = 0;
};

// A percentage with two decimals as typed ("3,2" = 320 hundredths of a percent) and a minimum amount.
struct TariffRaise {
    int fromMonth = 1;
    int32_t hundredthsOfPercent = 0; // 1 to 5000 (0,01 % to 50,00 %)
    int32_t minimumCents = 0;        // 0 to 100000 (1.000,00 euros)
    // The entries raised: a record of the civil servants holds the steps and the family allowance, for
    // which an agreement's minimum amount does not hold.
    int firstEntry = 0;
    int lastEntry = kTariffEntries - 1;
};

// A typed value the editor refuses; what() is the German message. Nothing was changed.
class TariffInputError : public Error {
  public:
    using Error::Error;
};

// The amount of entry k may lie between these (cents): entry 23 may be negative, as a teacher's amount
// that adds to the table pay is kept negative.
inline constexpr int32_t kTariffAmountMax = 9999999; // 99.999,99 euros
int32_t tariffAmountMin(int entry);

// The typed amount of an entry ("3.142,39", "3142.39"); an empty text removes the amount (the table has
// none there). Throws TariffInputError for text that is no amount or lies out of range.
std::optional<int32_t> parseTariffAmount(const std::string& text, int entry);
// "3,2" -> 320; throws TariffInputError outside 0,01 to 50,00.
int32_t parseRaisePercent(const std::string& text);
// "0-7" -> entries 0 to 7, "5" -> entry 5, empty -> all; throws TariffInputError for anything else.
std::pair<int, int> parseEntryRange(const std::string& text);
// "100" / "100,00" -> 10000; empty -> 0; throws TariffInputError outside 0 to 1.000,00.
int32_t parseRaiseMinimum(const std::string& text);

// amount x (10000 + p) / 10000 rounded half up to the cent, at least amount + minimum; 0 stays 0.
int32_t raisedAmount(int32_t cents, const TariffRaise& raise);

class TariffEdit {
  public:
    // Reads the twelve month files of the year below dataRoot/Tarife. Throws TariffInputError when the
    // year has no January file (no tables) or a file cannot be read.
    TariffEdit(const std::filesystem::path& dataRoot, int year);

    int year() const { return year_; }
    const std::filesystem::path& dataRoot() const { return root_; }

    // The records of the scope in the month: the table's groups with a record that holds an amount (for
    // a table scope), the one record, or every record of the file.
    std::vector<int32_t> records(int month, const TariffScope& scope) const;
    std::vector<TariffTableRow> table(int month, int region, int serviceRelationship,
                                      const std::vector<std::string>& groupNames) const;
    TariffRecord record(int month, int32_t record) const;

    // Entry k of a record gets an amount (or none); throws TariffInputError like parseTariffAmount.
    void setAmount(int month, int32_t record, int entry, const std::string& text);
    // The records of the scope in fromMonth are copied into the months fromMonth + 1 to toMonth (the
    // whole file: the files become equal). Throws TariffInputError for months out of order.
    void copy(int fromMonth, int toMonth, const TariffScope& scope);
    // What raising the scope would change, month by month from the raise's start month; nothing is
    // changed yet.
    std::vector<TariffChange> planRaise(const TariffScope& scope, const TariffRaise& raise) const;
    void apply(const std::vector<TariffChange>& changes);

    // Months whose file differs from what was read (1 to 12).
    std::vector<int> changedMonths() const;
    bool hasChanges() const { return !changedMonths().empty(); }
    // The bytes of a month's file as edited.
    const std::vector<uint8_t>& bytes(int month) const { return files_.at(static_cast<size_t>(month - 1)); }
    // The edit is now what the files hold.
    void markWritten() { read_ = files_; }

  private:
    void put(int month, int32_t record, const TariffRecord& cells);

    std::filesystem::path root_;
    int year_ = 0;
    std::array<std::vector<uint8_t>, 12> files_;
    std::array<std::vector<uint8_t>, 12> read_;
};

enum class TariffWriteResult { Written, Nothing, Refused, Failed };

// Writes every changed month file, or none: each is written beside its file first and renamed over it
// only when all were written; a rename that fails puts the files already replaced back. The record of
// the months changed by hand (tariff_hand_edits.h) is written in the same move. While the
// protection is on, the user is asked whether to lift it (administratorPassword: what the user typed;
// asked only after "Ja"). Afterwards the session reopens the tariff files of its year, so that the next
// calculation reads the new amounts; stored cases keep theirs until they are calculated again (the
// message says so). Refused: the protection stays on, nothing was written. Failed: the message names
// the cause and says that the tariff files are unchanged.
TariffWriteResult writeTariffEdit(Session& g, TariffEdit& edit,
                                  const std::function<std::string()>& administratorPassword);

// The preview of a raise: a heading, then one line per changed amount ("07/2020 Satz 23 Eintrag 2:
// 3.142,39 -> 3.242,95"), at most limit of them and a line that counts the rest.
std::vector<std::string> tariffRaiseLines(const std::vector<TariffChange>& changes, const TariffRaise& raise,
                                          int year, size_t limit = SIZE_MAX);
// "Sollen die Tariftabellen so geändert werden?", starting on "Nein".
PromptMessage tariffRaiseQuestion(const std::vector<TariffChange>& changes, int year);

// The message after writing: the months written and how stored cases take the new amounts.
std::vector<std::string> tariffWrittenLines(const std::vector<int>& months, int year);

// The names of the pay groups 0 to 26 of a service relationship from the year's option texts (empty where
// they have none), and of the regions and service relationships.
std::vector<std::string> tariffGroupNames(const std::filesystem::path& dataRoot, int year,
                                          int serviceRelationship);
std::vector<std::string> tariffRegionNames(const std::filesystem::path& dataRoot, int year);
std::vector<std::string> tariffServiceRelationshipNames(const std::filesystem::path& dataRoot, int year);

// "Tarife/Kommentar.txt", the remarks on the tariff files, as UTF-8 (the file is Windows-1252); nothing
// when the file is missing.
std::optional<std::string> tariffComment(const std::filesystem::path& dataRoot);

} // namespace varemo
