#pragma once
// The window "Sonderregelungen": the key codes of one line of the working case (lines 25, 26, 44 to 46)
// or the general rules of the in-kind or the deduction and payment lines, decided without window code.
// The codes themselves and their effect in the run are pay/line_key_codes.h's.

#include "pay/line_key_codes.h"

#include <array>
#include <string>
#include <vector>

namespace varemo {

class SpecialRulesWindow {
  public:
    // For one line of the working case (25, 26, 44, 45, 46): works on a copy of the five codes' digits.
    static SpecialRulesWindow forLine(const Globaldaten& g, int line);
    // For the general rules of the in-kind lines (true) or of the deduction and payment lines.
    static SpecialRulesWindow forGeneralRules(const Globaldaten& g, bool inKind);

    bool generalRules() const { return general_; }
    std::string title() const;
    std::string buttonCaption() const; // "Übertrag" or "Speichern"
    std::string groupCaption(int position) const;
    std::vector<std::string> optionCaptions(int position) const;
    // Position 5 in two columns.
    static constexpr const char* kEmployerColumn = "durch den Arbeit   g e b e r";
    static constexpr const char* kEmployeeColumn = "durch den Arbeit   n e h m e r";

    int digit(int position) const;
    std::string code() const; // the six digits shown
    // A click on option value of a group; false when the option is not accepted (nothing changes).
    bool click(int position, int value);

    // General rules: the entries of Combo1 and the one shown.
    std::vector<std::string> entries() const;
    int selectedEntry() const { return entry_; }
    void selectEntry(int index);
    void renameEntry(const std::string& name);
    // The name a new entry starts with: the phrase of position 1 and the kind of pay.
    std::string newEntryName(bool oneTime) const;

    // "Übertrag": the codes into the working case, and its month record stored. false for general rules.
    bool transfer(Globaldaten& g) const;
    // "Speichern": the general rules into the session and the yearly defaults file. false for a line.
    bool save(Globaldaten& g) const;

  private:
    bool general_ = false;
    bool inKind_ = false;
    bool payment_ = false;
    int line_ = 0;
    int linePosition_ = 0;                                                // the line's chosen list entry
    std::array<std::array<int, keycode::kPositions>, kKeyCodes> lines_{}; // line mode: the five codes
    KeyCodeRules rules_{};
    int entry_ = 0; // general mode: index into rules_
};

} // namespace varemo
