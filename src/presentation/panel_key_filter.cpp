#include "presentation/panel_key_filter.h"

#include "session/line_input.h"

namespace varemo {
namespace {

bool isDigit(int key) {
    return key >= '0' && key <= '9';
}

KeyRefusal refusal(std::string title, std::string text) {
    return KeyRefusal{std::move(title), std::move(text)};
}

const char* kFormat = "Format";
const char* kDigitsOnly = "Hier sind nur die Ziffern 0 bis 9 zulässig.";

std::optional<KeyRefusal> dateKey(bool longForm, const std::string& current, int key) {
    const std::string formatText = longForm ? "Das Datum ist in folgendem Format einzugeben: TT.MM.JJJJ"
                                            : "Das Datum ist in folgendem Format einzugeben: TT.MM.JJ";
    if (key == kKeyEnter) return std::nullopt;
    if (key != '.' && !isDigit(key)) return refusal(kFormat, formatText);
    const size_t length = longForm ? 10 : 8;
    const size_t typed = current.size(); // characters already in the field
    if (typed >= length) return refusal(kFormat, formatText);
    switch (typed) {
    case 0:
        if (key < '0' || key > '3')
            return refusal("Nummer des Tages im Geburtsmonat",
                           "An dieser Stelle ist nur 0, 1,2 oder 3 erlaubt");
        return std::nullopt;
    case 1:
        if (key == '.') return refusal(kFormat, "Das Datum ist in folgendem Format einzugeben: TT.MM.JJ");
        return std::nullopt;
    case 2:
    case 5:
        if (key != '.') return refusal(kFormat, "Hier ist ein Punkt erforderlich");
        return std::nullopt;
    case 3:
        if (key != '0' && key != '1') return refusal(kFormat, "An dieser Stelle ist nur 0 oder 1 erlaubt");
        return std::nullopt;
    case 6:
        if (key < '0' || key > '2') return refusal(kFormat, "An dieser Stelle ist nur 0, 1 oder 2 erlaubt");
        return std::nullopt;
    default:
        if (key == '.') return refusal(kFormat, formatText);
        return std::nullopt;
    }
}

} // namespace

std::optional<KeyRefusal> filterPanelKey(PanelFieldKind kind, const std::string& current, int key) {
    switch (kind) {
    case PanelFieldKind::Free:
        return std::nullopt;
    case PanelFieldKind::DateLong:
        return dateKey(true, current, key);
    case PanelFieldKind::DateShort:
        return dateKey(false, current, key);
    case PanelFieldKind::Digits:
        if (isDigit(key) || key == kKeyEnter || key == kKeyBackspace) return std::nullopt;
        return refusal(kFormat, kDigitsOnly);
    case PanelFieldKind::MonthsWithoutPay:
        if (key == kKeyEnter || key == kKeyBackspace) return std::nullopt;
        if (!isDigit(key)) return refusal(kFormat, kDigitsOnly);
        if (current.size() >= 4)
            return refusal("Monate ohne Bezüge", "Es sind nur bis zu 4 Stellen zugelassen.");
        return std::nullopt;
    case PanelFieldKind::MonthNumber: {
        if (key == kKeyEnter || key == kKeyBackspace) return std::nullopt;
        if (!isDigit(key)) return refusal(kFormat, kDigitsOnly);
        std::string next = current + static_cast<char>(key);
        if (next.size() > 2 || std::stoi(next) > 12)
            return refusal("Es gibt nur 12 Monate", " Eingabe höher als 12!");
        return std::nullopt;
    }
    case PanelFieldKind::Amount: {
        if (key == kKeyEnter || key == kKeyBackspace) return std::nullopt;
        // Digits, the decimal comma or point and a leading minus may form a number; anything else
        // never can and is dropped without a message.
        bool sign = key == '-' && current.empty();
        if (!isDigit(key) && key != ',' && key != '.' && !sign) return KeyRefusal{"", "", true};
        std::string next = current + static_cast<char>(key);
        auto value = parseScaledNumber(next, 100);
        if (value && *value > 5000000) return refusal("Fehler", "Ein Betrag über 50.000 ist sicher falsch.");
        return std::nullopt;
    }
    }
    return std::nullopt;
}

} // namespace varemo
