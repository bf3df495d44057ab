#pragma once
// Operations on whole cases of a user folder: creating cases from the model case, the model case itself,
// copying a case between data sets, deleting a year, and moving and sorting cases in the case list.
//
// The case count of a year (window record, offset 500) counts the cases plus the empty entry at the end
// of the case list. A count read from the window record may be behind the files (another workstation
// added cases, or a case was stored without being created) or, damaged, far beyond them; operations
// therefore use caseCount(), which counts the cases the files of the year hold.

#include "session/guarded.h"
#include "session/session.h"

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace varemo {

// The most cases a year holds. Case numbers beyond it are neither created nor worked through: a file
// that claims more is damaged, and every operation over all its cases would write tens of thousands
// of empty ones.
inline constexpr int kMostCases = 9999;

// The case count of a year: the highest case number with a written record (not all zero) in a month
// or year file of any data set, plus the empty entry. At least 1 (the empty entry alone). The window
// record's count does not raise it: cases exist only as records.
int caseCount(const Session& g, int year);

// Whether case n has a written record in a month or year file of the year, in any of the data sets.
bool caseStored(const Session& g, int year, int caseNumber, std::span<const DataSet> sets = kAllDataSets);

// caseStored for one case number after another: the user folder is listed once, when it is made, instead
// of once per file and case. A file written under its own name afterwards is read as well; one that
// appears with another spelling of its name is not seen.
class StoredCases {
  public:
    StoredCases(const Session& g, int year, std::span<const DataSet> sets = kAllDataSets);
    bool contains(int caseNumber) const;

  private:
    struct File {
        std::filesystem::path path;
        size_t recordLength = 0;
    };
    std::vector<File> files_; // the year records first: every case created has one
};

// Refuses (message "Sorry", true) when the files of the year hold a case beyond kMostCases.
bool refuseDamagedCaseFiles(Session& g, int year);

// Creates the next case of the current year in all three data sets from the model case: named
// "Personalfall " + n, the case number in the year record, all twelve months calculated. The new case
// becomes current (the month shown stays), and the window record is written with the new count.
// Returns the new case number, 0 when it failed (the message has been shown; no file changed).
int NewCase(Session& g);
// "10 neue Personalfälle anlegen" (count 10): the new numbers, in order; stops at the first failure.
std::vector<int> NewCases(Session& g, int count);

// "Aktuelle Berechnung als Voreinstellung übernehmen": the shown case-month becomes record 1 of
// "varemo20.vaa" and its year record record 1 of "varemo20.vbb". Asks first (kAdoptModelTitle, Yes/No);
// any answer but Yes keeps the model case (Cancelled).
inline constexpr const char* kAdoptModelTitle = "Übernehmen als Voreinstellung";
StorageResult AdoptAsModelCase(Session& g);

// The six copy buttons: 0 INFO→PLAN, 1 PLAN→REAL, 2 PLAN→INFO, 3 REAL→PLAN, 4 INFO→REAL, 5 REAL→INFO.
std::optional<std::pair<DataSet, DataSet>> copyDirection(int button);
// Copies the current case of the current year from one data set to another: months 1 to 12, then the
// year record, in which the source set's column of per-month values (and its three year values) is
// copied into the target set's column. Refused when the source holds no record of the case.
StorageResult CopyCase(Session& g, DataSet from, DataSet to);

// Deletes all cases of a year after the warning "W A R N U N G !" (OK/Cancel): the case files of every
// data set whose January file is not empty, the model case files (recreated from the defaults) and the
// year's side files; the service-age and jubilee files of the cases lose only their record of the year. The
// year's case count becomes 0; if it is the current year, case 1 is created.
StorageResult DeleteYear(Session& g, int year);

// Moving and sorting cases of the current year (allowed only with three backups, see MoveSortAllowed).
// The same renumbering is applied to the records of every month file and the year file of all three
// data sets; a year record takes its new number in its 3-character field. The calculators' records of
// the year ("bda.", "jda.", "Urlaub.0yy") and the memos ("Merkfeld.0yy") move with their cases; the user
// texts of the option-text file keep their numbering.
//
// Moves case `from` to position `to` of the case list; the cases between move up or down by one.
StorageResult MoveCase(Session& g, int from, int to);
// Orders the cases by name (the names of the current data set; letters without regard to case, umlauts
// as their base letters, unnamed cases last, equal names in their present order).
StorageResult SortCases(Session& g);

// "Einzelne Personalfälle löschen": after a question that starts on "Nein", deletes the case in all
// three data sets of the current year; the cases after it move up by one, so that the numbers stay
// without gaps. The last remaining case is not deleted.
inline constexpr const char* kDeleteCaseTitle = "Einzelne Personalfälle löschen";
StorageResult DeleteCase(Session& g, int caseNumber);

// The order SortCases gives: for each new position the old case number.
std::vector<int> sortedCaseOrder(const std::vector<std::string>& names);

} // namespace varemo
