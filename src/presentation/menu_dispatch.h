#pragma once
// menüauswertung and the function bar: what each menu item (Y01 to Y97) and function button (f01 to
// f24) does, decided without window code. The window executes the action; a code whose function is not
// in the program answers with its message (menu_items.h). The panel window's common rules are here too:
// which contents close when the panel loses the focus, what closing a content brings about, and the
// reset of a percentage factor out of range.

#include "base/prompter.h"
#include "presentation/menu_items.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace varemo {

enum class MenuAction {
    None,            // no such code
    Unavailable,     // answers "Sorry" or "Interesse?" (the item's availability)
    OpenPanel,       // the panel window with a content
    OpenLink,        // the configured web address of the code, in the system's browser
    SpecialRules,    // the window "Sonderregelungen" with the general rules (in-kind or deductions)
    StorageLocation, // the choice of the user's own storage location
    EndProgram,      // saves the user data and ends the program
    RecalculateAll,  // all cases of the year and data set
    TransferAll,     // all cases of `year` into the following year
    DeleteYear,      // all cases of `year`
    ToggleMaximised, // the window between its own size and maximised
    Calculator,      // opens and closes the calculator
    AdoptModelCase,  // the current calculation becomes the model case
    SortCases,       // orders the case list by name
    FollowingMonths, // switches the automatic calculation of the following months
    TransferCase,    // the current case into the following year
    Memo,            // the memo field
    PrintWindow,     // the window on the printer: `colour` or greyscale
    Printout,        // the preview of printout `printKind` of the shown case-month
    PrinterSetup,    // the system's printer dialog
    SerialPrint,     // the window "Seriendruck"
    Overview,        // the year view `overview` (kMenuYearSalaries to kMenuCostCentres) of the case
    OpenCalculator,  // the window of calculator `calculator` for the shown case-month
};

// The calculators' windows.
enum class CalculatorWindow {
    None,
    ServiceAge,   // "BDAform": Besoldungsdienstalter, i06
    Jubilee,      // "JDA": Jubiläumsdienstalter, f17
    StepDuration, // "Stufenlaufzeit", i08
    Promotion,    // "Höhergruppierung", i04
    Experience,   // "EDZeit": experience periods, from the step duration's window
    Vacation,     // "Urlaubsber", f16
    WorkingTime,  // "Arbeitszeit", from the vacation window
};

struct MenuDispatch {
    MenuAction action = MenuAction::None;
    int panel = 0;       // OpenPanel: the content code
    int year = 0;        // TransferAll, DeleteYear
    bool inKind = false; // SpecialRules: lines 25 and 26 (true) or 44 to 46
    bool colour = false; // PrintWindow
    int printKind = 0;   // Printout
    int overview = 0;    // Overview: the menu code of the view
    CalculatorWindow calculator = CalculatorWindow::None;
    Availability availability = Availability::Built;
};

// Y + code; None for a code that is no item.
MenuDispatch menuAuswertung(int code);
// f + code.
MenuDispatch functionDispatch(int code);
// i + line: the info button of a sheet line (its assistant, explanation or calculator).
MenuDispatch infoDispatch(int line);

// Panel content codes with a builder in the window.
namespace panel {
inline constexpr int kTaxWorksheet = 6;
inline constexpr int kSvClassification = 18; // the form "SV" (f18), shown in the panel window
inline constexpr int kSearch = 22;
inline constexpr int kMasterData = 23; // "Stammdaten von " + name, the info button of line 1
inline constexpr int kSocialInsurance = 29;
inline constexpr int kPartTime = 35;
inline constexpr int kTariffOverview = 49;
inline constexpr int kModelCase = 61;
inline constexpr int kEmployerData = 62;
inline constexpr int kColours = 86;
inline constexpr int kLinks = 99;
inline constexpr int kStepCalculator = 273; // "Stufenrechner", the info button of line 7
inline constexpr int kOrdering = 150;
inline constexpr int kUsers = 207;
inline constexpr int kPreviousVersion = 221; // "Übernahme der Personalfälle aus der Version "
inline constexpr int kComparison = 300;
inline constexpr int kAnnualEarnings = 432;
inline constexpr int kBackups = 1234;
inline constexpr int kInternetUpdate = 1237; // the update panel on demand (update/update_notice.h)
inline constexpr int kServerUpdate = 1238;   // the same against the office server's update folder
inline constexpr int kOptionTexts = 1240;    // "Texte der Auswahllisten bearbeiten" (Y08)
// The settings of the year (presentation/settings_panel.h).
inline constexpr int kSpecialPayments = 117;
inline constexpr int kChurchTax = 85;
inline constexpr int kHealthFunds = 77;
inline constexpr int kSocialInsuranceDefaults = 63;
inline constexpr int kSupplementaryPension = 65;
inline constexpr int kTariffMultipliers = 47;
inline constexpr int kFamilyAllowance = 108;
inline constexpr int kWeeklyHours = 222;
inline constexpr int kChristmasBonus = 64;
inline constexpr int kTimeSupplements = 125;
inline constexpr int kChildBenefit = 84;
inline constexpr int kPensionLevy = 9;
inline constexpr int kPartialRetirement = 83;
inline constexpr int kCivilServantRules = 118;
} // namespace panel

// Contents 0 to 3, 5 to 132, 134 to 198 and 201 to 299 close as soon as the panel loses the focus (a
// click on the main window); the others stay until "Schließen".
bool closesOnFocusLoss(int content);

// What a content's "Drucken" prints: the sheet of the payroll office that belongs to it (print/print_kind.h)
// -- the tax worksheet the tax sheet (70), the social-insurance worksheet the insurance sheet (71), the
// annual-earnings check the health-insurance obligation (73); nullopt for the others, which answer "Sorry".
std::optional<int> panelPrintKind(int content);

enum class PanelLeave {
    Nothing,
    RebuildCaseList, // the ordering content: the case list and the line texts are built again
    ReopenCaseFiles, // the comparison of years: the case files of the year and data set are reopened
};
PanelLeave leaveConsequence(int content);

// A percentage factor typed into a panel: inside [low, high] it is kept; otherwise it becomes 100 and
// the message "Achtung" says so.
struct FactorCheck {
    int percent = 100;
    std::optional<PromptMessage> message;
};
FactorCheck checkPercentFactor(int percent, int low, int high);

// The web addresses of the link items, a setting of the installation: the file kLinkFile in the program
// folder, one line per code ("Y80 https://..."); empty lines and lines starting with "#" are skipped.
inline constexpr const char* kLinkFile = "Links.txt";
class LinkSettings {
  public:
    static LinkSettings read(const std::filesystem::path& programDir);
    static LinkSettings parse(const std::string& text);
    // "Y80", "f19": the address, nullopt when none is configured.
    std::optional<std::string> address(const std::string& code) const;
    const std::map<std::string, std::string>& all() const { return addresses_; }

  private:
    std::map<std::string, std::string> addresses_;
};
// The message for a link item without an address: it names the code and where the address belongs.
PromptMessage missingLinkMessage(const std::string& code, const std::string& caption);

} // namespace varemo
