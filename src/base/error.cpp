#include "base/error.h"

namespace varemo {

std::string userMessage(const std::exception& e) {
    if (dynamic_cast<const Error*>(&e)) return e.what();
    return std::string("Interner Fehler des Programms, die Berechnung wurde abgebrochen (") + e.what() + ").";
}

std::string userMessageOfCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        return userMessage(e);
    } catch (...) {
        return "Interner Fehler des Programms, die Berechnung wurde abgebrochen.";
    }
}

} // namespace varemo
