#include "base/error.h"

#include <filesystem>

namespace varemo {

std::string failureCause(const std::exception& e) {
    if (dynamic_cast<const Error*>(&e)) return e.what();
    if (const auto* fs = dynamic_cast<const std::filesystem::filesystem_error*>(&e)) {
        // The system's reason stays in parentheses: it is the operating system's own text.
        std::string where = fs->path1().string();
        if (!fs->path2().empty()) where += " und " + fs->path2().string();
        if (where.empty())
            return "Ein Zugriff auf das Dateisystem ist fehlgeschlagen (" + fs->code().message() + ").";
        return "Der Zugriff auf " + where + " ist fehlgeschlagen (" + fs->code().message() + ").";
    }
    return std::string("Interner Fehler des Programms (") + e.what() + ").";
}

std::string userMessage(const std::exception& e) {
    if (dynamic_cast<const Error*>(&e) || dynamic_cast<const std::filesystem::filesystem_error*>(&e))
        return failureCause(e);
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
