#pragma once
// Shared pieces of varemo20-cli's commands: argument reading, the prompter that prints to stderr,
// opening a case-month and printing the sheet.

#include "base/prompter.h"
#include "session/session.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace varemo::cli {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Prints each message to stderr as "[title] text" as it is shown, and keeps it for the JSON output.
class CliPrompter : public RecordingPrompter {
  public:
    using RecordingPrompter::RecordingPrompter;
    PromptAnswer ask(const PromptMessage& message) override;
};

// What every command gets: the global options and its own arguments.
struct CliContext {
    std::filesystem::path programDir;
    std::filesystem::path installDir; // the folder of the running program (its shipped files, settings)
    bool answerYes = false;
    std::vector<std::string> args;
    CliPrompter* prompter = nullptr;
};

// Walks a command's arguments; each option's value is taken with value().
class ArgReader {
  public:
    explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}
    bool next(); // advances; false at the end
    const std::string& current() const { return args_[i_]; }
    const std::string& value();        // the value after the current option
    int intValue();                    // the value as a whole number
    [[noreturn]] void unknown() const; // throws for the current argument

  private:
    const std::vector<std::string>& args_;
    size_t i_ = 0;
    bool started_ = false;
};

int parseInt(const std::string& text, const std::string& what);

// --year --set --case --month and --json, the selection of sheet and set.
struct CaseMonthSelection {
    int year = 0;
    std::optional<DataSet> set;
    int caseNumber = 0;
    int month = 0;
    bool json = false;

    // Takes the current argument when it is one of the selection's options.
    bool take(ArgReader& reader);
    void validate() const; // throws UsageError
};

// A session on the program folder with the selected case-month loaded and calculated. Returns the exit
// status so far: 0, 1 when the month's run failed, 3 when the program folder cannot be used (the
// messages have been shown), or kCaseMissing when the case does not exist: then nothing was loaded or
// written and the message says so. Viewing never creates a case (that is new-case's); only an edit
// (editing) of case 1 in a year without cases makes it, through new-case (whole or not at all).
inline constexpr int kCaseMissing = -1;
[[nodiscard]] int openCaseMonth(Session& g, const CliContext& ctx, const CaseMonthSelection& sel,
                                bool editing);

// Today as "TT.MM.JJJJ", the date of the printouts' "erstellt am ".
std::string todayText();

// Text padded with blanks to a number of characters (not bytes, so that umlauts keep the columns).
std::string padded(const std::string& text, size_t columns);
// An amount right-aligned in 14 columns, "1.234,56".
std::string amountText(Money m);

// notices: what the sheet cannot show as an amount (a pay-table cell without an amount), printed after
// the lines; in the JSON as "notices":[{"title","text"}…].
void printSheetText(const Session& g, const std::vector<PromptMessage>& notices);
void printSheetJson(const Session& g, const std::vector<PromptMessage>& messages,
                    const std::vector<PromptMessage>& notices);
// "\"notices\":[{\"title\",\"text\"}…]" for a JSON object, and the notices as text ("[title] text").
std::string noticesJson(const std::vector<PromptMessage>& notices);
std::string noticesText(const std::vector<PromptMessage>& notices);

// Command handlers: return the exit status (0 done, 1 refused or out of range, 2 usage, 3 files).
int runSheet(CliContext& ctx);
int runSet(CliContext& ctx);
int runLohnstr(CliContext& ctx);
int runFunds(CliContext& ctx);
int runOptions(CliContext& ctx);   // cli_options.cpp
int runTariff(CliContext& ctx);    // cli_tariff.cpp
int runCatalogue(CliContext& ctx); // cli_tariff.cpp

// tariff show|set|copy|raise|comment, the tariff editor (cli_tariff_edit.cpp)
int runTariffEdit(CliContext& ctx);

// Detail views of sheet --detail NAME, printed after the case-month was calculated.
void printTaxDetail(const Session& g, bool json);      // tax: the TaxWorksheet and the annual adjustment
void printPensionDetail(const Session& g, bool json);  // zv: the 31 lines of the supplementary pension
void printEmployerDetail(const Session& g, bool json); // employer: the employer's cost, the pension levy
void printSocialInsuranceDetail(const Session& g, bool json); // sv: bases, ceilings, shares, levies
void printPartTimeDetail(const Session& g, bool json);        // parttime: the part-time explanation
void printSpecialPaymentDetail(const Session& g, bool json);  // special: the annual special payment
int runRecalcAll(CliContext& ctx);                            // cli_recalc.cpp
int runSettings(CliContext& ctx);                             // cli_settings.cpp
int runExport(CliContext& ctx);                               // cli_export.cpp
int runImport(CliContext& ctx);                               // cli_export.cpp
int runServiceAge(CliContext& ctx);                           // cli_service_age.cpp
int runStepDuration(CliContext& ctx);                         // cli_step_duration.cpp
int runPromotion(CliContext& ctx);                            // cli_step_duration.cpp
int runVacation(CliContext& ctx);                             // cli_vacation.cpp
int runWorkingTime(CliContext& ctx);                          // cli_working_time.cpp
int runPrint(CliContext& ctx);                                // cli_print.cpp
int runYearView(CliContext& ctx);                             // cli_year_view.cpp
int runMasterData(CliContext& ctx);                           // cli_master_data.cpp
int runCostCentres(CliContext& ctx);                          // cli_year_view.cpp
int runList(CliContext& ctx);                                 // cli_list.cpp
int runSerialPrint(CliContext& ctx);                          // cli_serial_print.cpp
int runTexts(CliContext& ctx);                                // cli_texts.cpp
int runUpdate(CliContext& ctx);                               // cli_update.cpp
int runPartialRetirement(CliContext& ctx);                    // cli_partial_retirement.cpp
// The side calculations of partial retirement (partial-retirement) and the categories and factors of
// the pay lines (also sheet --detail parttime).
void printPartialRetirement(const Session& g, bool json);
void printPartialRetirementCategories(const Session& g, bool json, std::ostream& out);
void printWorkingTimeAccount(const Session& g, bool json, std::ostream& out);
// "employerCost":[{"label","cents"}…],"employerTotalCents":n for the sheet's JSON.
std::string employerCostJson(const Session& g);

} // namespace varemo::cli
