#include "session/tariff_editor.h"

#include "base/cp1252.h"
#include "base/money.h"
#include "model/option_texts.h"
#include "pay/pay_options.h"
#include "persistence/file_ops.h"
#include "persistence/folder_lock.h"
#include "session/line_input.h"
#include "session/tariff_hand_edits.h"
#include "session/users.h"
#include "tariffs/tariff_address.h"

#include <algorithm>
#include <set>

namespace varemo {

namespace fs = std::filesystem;

namespace {

std::string euros(int64_t cents) {
    return Money::fromCents(cents).toDisplay();
}

// A typed number in cents; refused with the field's name when it is no amount with at most two decimals.
int64_t typedCents(const std::string& text, const std::string& what) {
    const auto units = parseScaledNumber(text, 10000);
    if (!units || *units % 100 != 0)
        throw TariffInputError("\"" + text + "\" ist kein gültiger Wert für " + what +
                               " (eine Zahl mit höchstens zwei Nachkommastellen, etwa 3.142,39). Es wurde "
                               "nichts geändert.");
    return *units / 100;
}

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

void checkMonth(int month) {
    if (month < 1 || month > 12)
        throw TariffInputError("Einen Monat " + std::to_string(month) + " gibt es nicht (1 bis 12).");
}

} // namespace

int32_t tariffAmountMin(int entry) {
    return entry == static_cast<int>(kTeacherAmountEntry) ? -kTariffAmountMax : 0;
}

std::optional<int32_t> parseTariffAmount(const std::string& text, int entry) {
    if (entry < 0 || entry >= kTariffEntries)
        throw TariffInputError("Einen Eintrag " + std::to_string(entry) +
                               " hat ein Tarifsatz nicht (0 bis 26).");
    if (blank(text)) return std::nullopt;
    const int64_t cents = typedCents(text, "einen Tarifbetrag");
    if (cents < tariffAmountMin(entry) || cents > kTariffAmountMax)
        throw TariffInputError("Der Betrag " + euros(cents) +
                               " liegt außerhalb des Bereichs eines Tarifbetrags (" +
                               euros(tariffAmountMin(entry)) + " bis " + euros(kTariffAmountMax) +
                               " Euro). Es wurde nichts geändert.");
    return static_cast<int32_t>(cents);
}

int32_t parseRaisePercent(const std::string& text) {
    const int64_t hundredths = blank(text) ? 0 : typedCents(text, "den Prozentsatz");
    if (hundredths < 1 || hundredths > 5000)
        throw TariffInputError("Der Prozentsatz der Erhöhung muss zwischen 0,01 und 50,00 liegen. Es wurde "
                               "nichts geändert.");
    return static_cast<int32_t>(hundredths);
}

std::pair<int, int> parseEntryRange(const std::string& text) {
    if (blank(text)) return {0, kTariffEntries - 1};
    const size_t dash = text.find('-');
    auto number = [&](const std::string& part) {
        const auto value = parseScaledNumber(part, 1);
        const bool whole = !part.empty() && part.find_first_not_of(" 0123456789") == std::string::npos;
        if (!whole || !value || *value < 0 || *value >= kTariffEntries)
            throw TariffInputError("\"" + text +
                                   "\" sind keine Einträge eines Tarifsatzes (0 bis 26, etwa 0-7). Es "
                                   "wurde nichts geändert.");
        return static_cast<int>(*value);
    };
    const int first = number(text.substr(0, dash));
    const int last = dash == std::string::npos ? first : number(text.substr(dash + 1));
    if (last < first)
        throw TariffInputError("\"" + text +
                               "\": der erste Eintrag muss vor dem letzten liegen. Es wurde nichts "
                               "geändert.");
    return {first, last};
}

int32_t parseRaiseMinimum(const std::string& text) {
    if (blank(text)) return 0;
    const int64_t cents = typedCents(text, "den Mindestbetrag");
    if (cents < 0 || cents > 100000)
        throw TariffInputError(
            "Der Mindestbetrag der Erhöhung muss zwischen 0,00 und 1.000,00 Euro liegen. Es "
            "wurde nichts geändert.");
    return static_cast<int32_t>(cents);
}

int32_t raisedAmount(int32_t cents, const TariffRaise& raise) {
    if (cents == 0) return 0; // a cell the agreement leaves at 0 gets no minimum either
    const int64_t raised = mulDiv(cents, 10000 + raise.hundredthsOfPercent, 10000, Rounding::HalfUp);
    return checkedCents(std::max<int64_t>(raised, int64_t{cents} + raise.minimumCents));
}

TariffEdit::TariffEdit(const fs::path& dataRoot, int year) : root_(dataRoot), year_(year) {
    if (!fs::exists(tariffFilePath(root_, year, 1)))
        throw TariffInputError("Für " + std::to_string(year) +
                               " sind keine Tariftabellen vorhanden (die Datei " + "Tarife/" +
                               tariffFilePath(root_, year, 1).filename().string() + " fehlt).");
    for (int month = 1; month <= 12; ++month) {
        try {
            files_[static_cast<size_t>(month - 1)] = readWholeFile(tariffFilePath(root_, year, month));
        } catch (const StorageError& e) {
            throw TariffInputError(e.what());
        }
    }
    read_ = files_;
}

TariffRecord TariffEdit::record(int month, int32_t record) const {
    checkMonth(month);
    const std::vector<uint8_t>& file = bytes(month);
    RecordBuffer buffer(kTariffRecordLength);
    if (record < 1) return {};
    const size_t at = static_cast<size_t>(record - 1) * kTariffRecordLength;
    for (size_t i = 0; i < kTariffRecordLength && at + i < file.size(); ++i)
        buffer.bytes()[i] = file[at + i];
    return decodeTariffRecord(buffer);
}

void TariffEdit::put(int month, int32_t record, const TariffRecord& cells) {
    std::vector<uint8_t>& file = files_[static_cast<size_t>(month - 1)];
    const size_t at = static_cast<size_t>(record - 1) * kTariffRecordLength;
    const RecordBuffer buffer = encodeTariffRecord(cells);
    if (file.size() < at + kTariffRecordLength) {
        if (buffer.allZero() && file.size() <= at) return; // a record past the end reads as zeros already
        file.resize(at + kTariffRecordLength, 0);
    }
    std::copy(buffer.bytes().begin(), buffer.bytes().end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

std::vector<int32_t> TariffEdit::records(int month, const TariffScope& scope) const {
    checkMonth(month);
    std::vector<int32_t> out;
    if (scope.isWholeFile()) {
        const size_t count =
            std::max(bytes(month).size(), read_[static_cast<size_t>(month - 1)].size()) / kTariffRecordLength;
        for (size_t r = 1; r <= count; ++r)
            out.push_back(static_cast<int32_t>(r));
        return out;
    }
    std::set<int32_t> seen;
    const int first = scope.group >= 0 ? scope.group : 0;
    const int last = scope.group >= 0 ? scope.group : 26;
    for (int group = first; group <= last; ++group) {
        auto r = tariffRecordNumber(scope.region, scope.serviceRelationship, group, year_, month, 0);
        if (r && *r > 0 && seen.insert(*r).second) out.push_back(*r);
    }
    return out;
}

std::vector<TariffTableRow> TariffEdit::table(int month, int region, int serviceRelationship,
                                              const std::vector<std::string>& groupNames) const {
    std::vector<TariffTableRow> rows;
    for (int group = 0; group <= 26; ++group) {
        auto r = tariffRecordNumber(region, serviceRelationship, group, year_, month, 0);
        if (!r || *r < 1) continue;
        TariffRecord cells = record(month, *r);
        if (!cells.hasAnyAmount()) continue; // the group has no table
        std::string label = static_cast<size_t>(group) < groupNames.size() ? groupNames[group] : "";
        if (label.empty()) label = "Gruppe " + std::to_string(group + 1);
        rows.push_back({group, label, *r, cells});
    }
    return rows;
}

void TariffEdit::setAmount(int month, int32_t record, int entry, const std::string& text) {
    checkMonth(month);
    if (record < 1) throw TariffInputError("Einen Tarifsatz " + std::to_string(record) + " gibt es nicht.");
    const std::optional<int32_t> cents = parseTariffAmount(text, entry);
    TariffRecord cells = this->record(month, record);
    cells.row[static_cast<size_t>(entry)] = cents.value_or(0);
    cells.hasAmount.set(static_cast<size_t>(entry), cents.has_value());
    put(month, record, cells);
}

void TariffEdit::copy(int fromMonth, int toMonth, const TariffScope& scope) {
    checkMonth(fromMonth);
    checkMonth(toMonth);
    if (toMonth <= fromMonth)
        throw TariffInputError(
            "Kopiert wird in die folgenden Monate des Jahres: der letzte Monat muss nach dem "
            "Monat " +
            std::to_string(fromMonth) + " liegen. Es wurde nichts geändert.");
    for (int month = fromMonth + 1; month <= toMonth; ++month) {
        if (scope.isWholeFile()) {
            files_[static_cast<size_t>(month - 1)] = bytes(fromMonth);
            continue;
        }
        for (int32_t r : records(fromMonth, scope))
            put(month, r, record(fromMonth, r));
    }
}

std::vector<TariffChange> TariffEdit::planRaise(const TariffScope& scope, const TariffRaise& raise) const {
    checkMonth(raise.fromMonth);
    std::vector<TariffChange> changes;
    for (int month = raise.fromMonth; month <= 12; ++month)
        for (int32_t r : records(month, scope)) {
            const TariffRecord cells = record(month, r);
            for (int k = std::max(0, raise.firstEntry); k <= std::min(raise.lastEntry, kTariffEntries - 1);
                 ++k) {
                const auto cents = cells.amount(k);
                if (!cents || *cents == 0) continue;
                changes.push_back({month, r, k, *cents, raisedAmount(*cents, raise)});
            }
        }
    return changes;
}

void TariffEdit::apply(const std::vector<TariffChange>& changes) {
    for (const TariffChange& c : changes) {
        TariffRecord cells = record(c.month, c.record);
        cells.row[static_cast<size_t>(c.entry)] = c.newCents;
        cells.hasAmount.set(static_cast<size_t>(c.entry));
        put(c.month, c.record, cells);
    }
}

std::vector<int> TariffEdit::changedMonths() const {
    std::vector<int> months;
    for (int month = 1; month <= 12; ++month)
        if (files_[static_cast<size_t>(month - 1)] != read_[static_cast<size_t>(month - 1)])
            months.push_back(month);
    return months;
}

namespace {

// A replacement failed and the files already replaced could not all be put back: their copies are kept.
class TariffRestoreError : public StorageError {
  public:
    TariffRestoreError(const std::string& cause, fs::path copies)
        : StorageError(cause), copies_(std::move(copies)) {}
    const fs::path& copies() const { return copies_; }

  private:
    fs::path copies_;
};

// Writes the files beside their targets, then renames them over; on a failure nothing has changed.
// Under the folder's lock, as the archive installation and the start's recovery of an interrupted write.
void replaceAll(const fs::path& folder,
                const std::vector<std::pair<fs::path, const std::vector<uint8_t>*>>& files) {
    FolderLock lock(folder);
    std::vector<fs::path> staged;
    auto removeStaged = [&] {
        std::error_code ec;
        for (const fs::path& p : staged)
            fs::remove(p, ec);
    };
    try {
        for (const auto& [target, content] : files) {
            fs::path temp = target;
            temp += ".neu";
            writeFileAtomically(temp, *content);
            staged.push_back(temp);
        }
        FileSnapshot snapshot(folder);
        for (const auto& file : files)
            snapshot.add(file.first);
        for (size_t i = 0; i < files.size(); ++i) {
            std::error_code ec;
            fs::rename(staged[i], files[i].first, ec);
            if (ec) {
                const std::string cause = "Die Tarifdatei " + files[i].first.filename().string() +
                                          " kann nicht ersetzt werden: " + ec.message();
                if (!snapshot.restore()) throw TariffRestoreError(cause, snapshot.folder());
                throw StorageError(cause);
            }
        }
    } catch (...) {
        removeStaged();
        throw;
    }
}

} // namespace

namespace {

std::string monthOf(int month, int year) {
    return (month < 10 ? "0" : "") + std::to_string(month) + "/" + std::to_string(year);
}

} // namespace

std::vector<std::string> tariffRaiseLines(const std::vector<TariffChange>& changes, const TariffRaise& raise,
                                          int year, size_t limit) {
    std::string heading = "Erhöhung um " + euros(raise.hundredthsOfPercent) + " %";
    if (raise.minimumCents > 0) heading += ", mindestens " + euros(raise.minimumCents) + " Euro,";
    if (raise.firstEntry > 0 || raise.lastEntry < kTariffEntries - 1)
        heading += " (Einträge " + std::to_string(raise.firstEntry) + " bis " +
                   std::to_string(raise.lastEntry) + ")";
    heading += " ab " + monthOf(raise.fromMonth, year) + ": " + std::to_string(changes.size()) + " Beträge";
    std::vector<std::string> lines{heading};
    for (size_t i = 0; i < changes.size() && i < limit; ++i) {
        const TariffChange& c = changes[i];
        lines.push_back(monthOf(c.month, year) + " Satz " + std::to_string(c.record) + " Eintrag " +
                        std::to_string(c.entry) + ": " + euros(c.oldCents) + " -> " + euros(c.newCents));
    }
    if (changes.size() > limit)
        lines.push_back("... und " + std::to_string(changes.size() - limit) + " weitere");
    return lines;
}

PromptMessage tariffRaiseQuestion(const std::vector<TariffChange>& changes, int year) {
    const int first = changes.empty() ? 0 : changes.front().month;
    return PromptMessage{PromptIcon::Question,
                         "Tariftabellen erhöhen",
                         {std::to_string(changes.size()) + " Beträge der Tariftabellen ab " +
                              monthOf(first, year) + " werden erhöht.",
                          "Sollen die Tariftabellen so geändert werden?"},
                         PromptButtons::YesNo,
                         true};
}

std::vector<std::string> tariffWrittenLines(const std::vector<int>& months, int year) {
    std::string list;
    for (size_t i = 0; i < months.size(); ++i)
        list += (i ? ", " : "") + monthOf(months[i], year);
    const bool one = months.size() == 1;
    return {(one ? "Die Tariftabelle des Monats " : "Die Tariftabellen der Monate ") + list +
                (one ? " wurde gespeichert." : " wurden gespeichert."),
            "Neue Berechnungen verwenden die geänderten Beträge. Gespeicherte Personalfälle behalten ihre "
            "Beträge, bis sie neu berechnet werden: Menü \"Daten\", \"Alle Fälle neu durchrechnen\" (Y60)."};
}

TariffWriteResult writeTariffEdit(Session& g, TariffEdit& edit,
                                  const std::function<std::string()>& administratorPassword) {
    const std::vector<int> months = edit.changedMonths();
    if (months.empty()) return TariffWriteResult::Nothing;
    if (!ConfirmUnprotected(g, administratorPassword)) {
        g.prompter.tell("Tariftabellen", {"Die Tariftabellen wurden nicht geändert."}, PromptIcon::Warning);
        return TariffWriteResult::Refused;
    }
    std::vector<std::pair<fs::path, const std::vector<uint8_t>*>> files;
    for (int month : months)
        files.emplace_back(tariffFilePath(edit.dataRoot(), edit.year(), month), &edit.bytes(month));
    // The open files of the session's year are closed while they are replaced and opened again
    // afterwards, whatever happened, so that the next calculation reads what the folder holds.
    const int openYear = g.tariffs.year() != 0 ? g.tariffs.year() : g.year;
    g.tariffs = TariffYear();
    const fs::path folder = edit.dataRoot() / "Tarife";
    std::vector<uint8_t> handEdits;
    try {
        // The record of the months changed by hand goes with the tables, so that a download asks first.
        handEdits = tariffHandEditBytes(
            withTariffHandEdits(readTariffHandEdits(folder), folder, edit.year(), months, localToday()));
        files.emplace_back(tariffHandEditPath(folder), &handEdits);
        replaceAll(folder, files);
    } catch (const std::exception& e) {
        g.tariffs = TariffYear(g.dataRootOrProgram(), openYear);
        const auto* partly = dynamic_cast<const TariffRestoreError*>(&e);
        g.prompter.tell("Fehler",
                        {"Die Tariftabellen konnten nicht gespeichert werden: " + failureCause(e),
                         partly
                             ? "Nicht alle Tarifdateien konnten zurückgestellt werden. Die vorigen Dateien "
                               "liegen in " +
                                   partly->copies().string() + "."
                             : "Die Tarifdateien sind unverändert."},
                        PromptIcon::Critical);
        return TariffWriteResult::Failed;
    }
    g.tariffs = TariffYear(g.dataRootOrProgram(), openYear);
    edit.markWritten();
    g.prompter.tell("Tariftabellen", tariffWrittenLines(months, edit.year()));
    return TariffWriteResult::Written;
}

std::vector<std::string> tariffGroupNames(const fs::path& dataRoot, int year, int serviceRelationship) {
    return payGroupNames(OptionTextFile(optionTextPath(dataRoot, year)), serviceRelationship);
}

std::vector<std::string> tariffRegionNames(const fs::path& dataRoot, int year) {
    return regionNames(OptionTextFile(optionTextPath(dataRoot, year)));
}

std::vector<std::string> tariffServiceRelationshipNames(const fs::path& dataRoot, int year) {
    return serviceRelationshipNames(OptionTextFile(optionTextPath(dataRoot, year)), false);
}

std::optional<std::string> tariffComment(const fs::path& dataRoot) {
    const fs::path path = dataRoot / "Tarife" / "Kommentar.txt";
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    const std::vector<uint8_t> bytes = readWholeFile(path);
    std::string text =
        cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

} // namespace varemo
