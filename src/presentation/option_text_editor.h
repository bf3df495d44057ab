#pragma once
// The editor of the option-list texts ("Texte der Auswahllisten bearbeiten") without the window: the
// records of a year's option-text file (session/option_text_edit.h) with the texts typed and not yet
// saved, the choice of the records shown (a range of records and a search text), the check of a typed
// text, "Vorgabewerte" from the shipped file and the saving of all changes together.

#include "session/option_text_edit.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varemo {

class OptionTextEditor {
  public:
    // The record ranges a clerk looks for, named after the sheet lines whose lists they fill.
    struct Range {
        const char* caption; // German, as the window offers it
        int first;
        int last;
    };
    static const std::vector<Range>& ranges();

    struct Row {
        int record = 0;
        std::string text;
        bool changed = false; // typed and not yet saved
    };

    // Reads the year's records (the file the engine reads, or the shipped one while there is none).
    // Throws StorageError when a file cannot be read.
    OptionTextEditor(const Session& g, int year);

    int year() const { return year_; }
    int recordCount() const { return static_cast<int>(stored_.size()); }
    // The records from first to last (clipped to the file) whose text holds search (without regard to
    // case; an empty search shows them all), with the texts typed so far.
    std::vector<Row> rows(int first, int last, const std::string& search) const;
    std::string text(int record) const;
    std::string storedText(int record) const;

    // Takes the text for the record; otherwise the German message and nothing changes.
    std::optional<std::string> enter(int record, const std::string& utf8);
    // "Vorgabewerte": the record's text of the shipped file replaces the typed one; the German message
    // when there is no shipped file of the year (nothing changes then).
    std::optional<std::string> restoreDefault(int record);
    bool hasChanges() const { return !changes_.empty(); }
    const std::map<int, std::string>& changes() const { return changes_; }

    // "Änderungen speichern" (SaveOptionTexts); on success the saved texts are the stored ones.
    StorageResult save(Session& g, const std::string& administratorPassword);

  private:
    bool inFile(int record) const { return record >= 1 && record <= recordCount(); }

    int year_;
    std::vector<std::string> stored_;
    std::vector<std::string> shipped_;
    std::map<int, std::string> changes_;
};

} // namespace varemo
