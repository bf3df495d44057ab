#pragma once
// Export and import of cases ("EXPORT von Personalfällen", "Import von Personalfällen"): the records of
// chosen cases go into an export file (persistence/case_export.h) and come back from it byte for byte.

#include "persistence/case_export.h"
#include "session/guarded.h"
#include "session/session.h"

#include <filesystem>
#include <optional>

namespace varemo {

// The stored cases of a year: of one data set or of all three, all of them or the one case named.
// A case counts in a data set when one of its records there is written.
CaseExport collectCases(const Session& g, int year, std::optional<DataSet> set,
                        std::optional<int> caseNumber);

// Writes the export file (replaced at once). Refused (message "Export") when there is no such case;
// nothing in the user folder changes either way. Sets exported, when given, the number of cases.
StorageResult ExportCases(Session& g, int year, std::optional<DataSet> set, std::optional<int> caseNumber,
                          const std::filesystem::path& file, int* exported = nullptr);

// Reads an export file and writes its cases into the case files of its year and data sets, under their
// numbers. A file that cannot be read or is no complete export is refused with the message naming it,
// and nothing changes. When the files hold some of the cases already, asks first (kImportTitle, Yes/No).
// All files are written or, on a failure, none (the message says so). Sets imported, when given, the
// number of cases written.
inline constexpr const char* kImportTitle = "Import von Personalfällen";
StorageResult ImportCases(Session& g, const std::filesystem::path& file, int* imported = nullptr);

} // namespace varemo
