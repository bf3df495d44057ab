#pragma once
// The export file of cases (docs/case-export.md): a JSON text that carries, for chosen cases of one
// year and one or more data sets, every byte of their twelve month records and of their year record,
// base64-encoded, with the case's name beside it for the reader. Reading it back gives the same bytes.

#include "base/record_file.h"
#include "model/data_set.h"

#include <array>
#include <string>
#include <vector>

namespace varemo {

inline constexpr const char* kCaseExportFormat = "VAREMO 2020 Personalfälle";
inline constexpr int kCaseExportVersion = 1;

struct ExportedCase {
    int number = 0;
    std::string name;                 // the name in the year record, for the reader; checked on reading
    std::vector<RecordBuffer> months; // January to December, kMonthRecordLength bytes each
    RecordBuffer year{0};             // kYearRecordLength bytes
};

struct ExportedSet {
    DataSet set = DataSet::Real;
    std::vector<ExportedCase> cases;
};

struct CaseExport {
    int year = 0;
    std::vector<ExportedSet> sets;
};

std::string caseExportText(const CaseExport& e);

// Reads an export file's text. Anything that is not a complete export of this program (malformed or
// cut off JSON, another format or version, a record of the wrong length, a case twice) throws Error
// with a German message that says what is wrong.
CaseExport parseCaseExport(const std::string& text);

std::string base64Encode(const std::vector<uint8_t>& bytes);
// Nothing when the text is not base64.
bool base64Decode(const std::string& text, std::vector<uint8_t>& out);

} // namespace varemo
