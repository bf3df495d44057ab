#include "presentation/employer_data_panel.h"

#include "base/cp1252.h"

namespace varemo {

const std::vector<EmployerDataPanel::Field>& EmployerDataPanel::fields() {
    static const std::vector<Field> all = {
        {EmployerText::Line1, "arbeitgeber.zeile1", "Arbeitgeber, 1. Zeile", 35},
        {EmployerText::HeaderNumber, "arbeitgeber.nummer", "Nummer im Druckkopf", 5},
        {EmployerText::Line2, "arbeitgeber.zeile2", "Arbeitgeber, 2. Zeile", 41},
        {EmployerText::Line3, "arbeitgeber.zeile3", "Arbeitgeber, 3. Zeile", 39},
        {EmployerText::Line4, "arbeitgeber.zeile4", "Arbeitgeber, 4. Zeile", 40},
        {EmployerText::Line5, "arbeitgeber.zeile5", "Arbeitgeber, 5. Zeile", 20},
        {EmployerText::ClosingRemark, "arbeitgeber.schlussbemerkung", "Schlussbemerkung der Ausdrucke", 150},
        {EmployerText::Street, "arbeitgeber.strasse", "Straße", 20},
        {EmployerText::Town, "arbeitgeber.ort", "Ort", 20},
    };
    return all;
}

const EmployerDataPanel::Field* EmployerDataPanel::find(const std::string& name) {
    for (const Field& f : fields())
        if (name == f.name) return &f;
    return nullptr;
}

std::optional<std::string> EmployerDataPanel::enter(EmployerText text, const std::string& utf8) {
    const Field* field = nullptr;
    for (const Field& f : fields())
        if (f.text == text) field = &f;
    if (!field) return "Dieses Feld gibt es nicht.";
    const std::string refused = "Der Text \"" + utf8 + "\" für \"" + field->caption + "\" ist ungültig. ";
    if (utf8Length(utf8) > field->length)
        return refused + "Erlaubt sind höchstens " + std::to_string(field->length) + " Zeichen.";
    // A character the file cannot keep would come back as '?'.
    if (cp1252ToUtf8(utf8ToCp1252(utf8)) != utf8)
        return refused + "Er enthält Zeichen, die nicht gespeichert werden können.";
    if (text == EmployerText::HeaderNumber && utf8.find_first_not_of("0123456789 ") != std::string::npos)
        return refused + "Erlaubt sind nur Ziffern.";
    record_.setEmployerText(text, utf8);
    return std::nullopt;
}

void EmployerDataPanel::restoreDefaults() {
    const WindowRecord defaults = WindowRecord::defaults();
    for (const Field& f : fields())
        record_.setEmployerText(f.text, defaults.employerText(f.text));
}

void EmployerDataPanel::save(Session& g) const {
    const WindowRecord before = g.storage.window;
    for (const Field& f : fields())
        g.storage.window.setEmployerText(f.text, record_.employerText(f.text));
    try {
        SaveWindowRecord(g);
    } catch (...) {
        g.storage.window = before; // the session keeps what the file still holds
        throw;
    }
}

} // namespace varemo
