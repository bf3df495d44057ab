#pragma once
// The panel "employer data for the printouts" without the window: the texts of the employer and window
// record ("varemo20.dim") that the print header and the closing remark show, their checks,
// "Vorgabewerte" and saving.

#include "persistence/window_record.h"
#include "session/session.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

class EmployerDataPanel {
  public:
    struct Field {
        EmployerText text;
        const char* name;    // as the command line names it: "arbeitgeber.zeile1", …
        const char* caption; // German, as the panel shows it
        size_t length;       // characters the record keeps
    };
    static const std::vector<Field>& fields();
    static const Field* find(const std::string& name);

    explicit EmployerDataPanel(const Session& g) : record_(g.storage.window) {}

    std::string value(EmployerText text) const { return record_.employerText(text); }
    // Nothing when the text was taken; otherwise the German message, and the panel is unchanged.
    std::optional<std::string> enter(EmployerText text, const std::string& utf8);
    // "Vorgabewerte": the texts of a new user folder.
    void restoreDefaults();
    // "Änderungen speichern": the texts go into the session's record and "varemo20.dim".
    void save(Session& g) const;

  private:
    WindowRecord record_;
};

} // namespace varemo
