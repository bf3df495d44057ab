#pragma once
// What the main window shows of the sheet, decided without any window code: which amount fields may
// be typed into (grey) and which the program computes (white), which lines and columns a service
// relationship uses, the further number fields of lines 4, 22 and 23, the option list a line offers,
// and the captions the redisplay writes (shares, law link, pay structure, tariff area, step movement,
// health insurance, reminder).

#include "model/flag_column.h"
#include "session/session.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

enum class LineKind { Input, Result, InputResult };
LineKind lineKind(int line);

enum class AmountFieldState { None, Typed, Computed };
// Grey (Typed) when the user enters the line's amount: pure input lines always; lines that compute
// their amount only when the chosen entry keeps a typed amount ("lt. Eingabe", line 11 position 7,
// lines 12 to 15 by the option whatever its text, so that a renamed own entry stays typed);
// nothing on the year salary or for a case without pay.
AmountFieldState amountFieldState(const Session& g, int line);

// Further number fields beside a line's text: line 4 the tariff factor (percent), line 22 the agreed
// and the regular weekly hours, line 23 the paid and the month's days, line 34 the factor of class IV
// ("Faktor für StKl. IV:", shown for class IV only). All are typed.
struct ExtraField {
    int line;
    AmountSlot slot;
    const char* hint;
};
const std::vector<ExtraField>& extraFields();
inline constexpr const char* kClassIVFactorCaption = "Faktor für StKl. IV:";
// Whether the window shows the field: its line is shown, and the class-IV factor only for class IV.
bool extraFieldShown(const Case& c, const ExtraField& field);

// The visibility matrix. Civil servants (service relationships 0 to 7) pay no contributions to
// pension and unemployment insurance and no supplementary-pension levy: lines 39 to 42 and the
// columns S and Z are hidden. A case without pay (27) keeps only the case data (lines 1 to 6), the
// totals (21 to 23), the cost centre (28) and line 47. All others show everything.
bool lineShown(const Case& c, int line);
bool flagColumnShown(const Case& c, FlagColumn column);
// Lines with an info button (codes i00 to i34: line 1 carries i00, search, and i01, master data).
bool hasInfoButton(int line);
// Lines with a regulation button.
bool hasRegulationButton(int line);
// Lines with a key field (SR): 25, 26, 44 to 46; the index into Case::keyCodes, or -1.
int keyFieldIndex(int line);

// The entries of a line's option list as the option grid shows them. Line 1 lists the cases of the
// year and data set and one more entry that creates a new case; the others the lists the sheet was
// last built with, or their positions where no text is known. Empty for lines without a list (21,
// the month).
std::vector<std::string> optionGridEntries(Session& g, int line);
// The pay group beside the service relationship in line 4 (KeySlot::PayGroup) and its list: the names the
// year's option texts give the service relationship's groups, "Gruppe " + number where they give none.
std::string payGroupText(const Session& g);
std::vector<std::string> payGroupEntries(const Session& g);
// The text of line 6's label (the sheet keeps the date as the line's text).
std::string dateLabelText(const Session& g);
// The text of the entry after the last case in line 1's list.
inline constexpr const char* kNewCaseEntry = "- neuer Personalfall -";

// Share of a part in the gross pay, in whole percent (half to even); 0 when the gross is not positive.
int sharePercent(int64_t partCents, int64_t grossCents);

struct SheetCaptions {
    std::string taxShare;    // "Steuer " + share + "%"
    std::string socialShare; // "Soz.V. " + share + "%"
    std::string netShare;    // "Netto   " + share + "%"
    int taxPercent = 0;      // the bars, 0 to 100
    int socialPercent = 0;
    int netPercent = 0;
    std::string lawLink;       // "B B G" or "L B G"; empty when not shown
    std::string payStructure;  // "EGO TVöD-VKA", ...; empty when not shown
    std::string tariffArea;    // "Bundesbeamte", "TV-Länder", ...; may be empty
    std::string stepMovement;  // line 7: months and "Mon.(Stufenverkürzung)" / "Mon.(Stufenverlängerung)"
    std::string healthCaption; // "Zusatzbeitrag KV=" rate "%, PV= 0,25%"
    // Line 38 while the care contribution is computed from the year's rate: "PV 3,05 % / 2", for the
    // childless " + 0,25 %" (the employee's surcharge), in Saxony "PV Sachsen 2,025 % von 3,05"; empty
    // for the other kinds, whose list text says all.
    std::string careCaption;
    std::string taxBlock; // the heading of the tax lines: "Steuern m.GFB " + basic allowance + " €"
    // The wage-tax table: "Tabelle A" (general) with statutory pension insurance, "Tabelle B"
    // (special) without; empty for a case without pay.
    std::string taxTable;
    std::optional<std::string> reminder; // "Sonderzahlung nicht vergessen:" + amount
};
SheetCaptions sheetCaptions(const Session& g);

// The one-time payment the reminder label names for the case (" 100 €", " 140 €", " 250 €",
// " 400 €"), if it qualifies. The rule belongs to the special payments; until it is built no case
// qualifies.
std::optional<std::string> specialPaymentReminder(const Session& g);

} // namespace varemo
