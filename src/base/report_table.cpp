#include "base/report_table.h"

#include "base/json_text.h"

#include <sstream>

namespace varemo {
namespace {

std::string csvField(const std::string& given) {
    // A text a spreadsheet would take for a formula (a caption "= BRUTTO- GEHALT", a case named
    // "=HYPERLINK(…)") is kept as text by a leading apostrophe.
    const bool formulaLike = !given.empty() && std::string("=+-@\t\r").find(given[0]) != std::string::npos;
    const std::string text = formulaLike ? "'" + given : given;
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + '"';
}

std::string csvCell(const TableCell& cell) {
    switch (cell.kind) {
    case TableCell::Kind::Amount:
        return csvAmount(cell.amount);
    case TableCell::Kind::Missing:
        return kMissingCellText;
    case TableCell::Kind::Text:
        break;
    }
    return csvField(cell.text);
}

void csvLine(std::ostringstream& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i)
        out << (i ? ";" : "") << csvField(fields[i]);
    out << "\r\n";
}

const char* kindName(RowKind k) {
    switch (k) {
    case RowKind::Heading:
        return "heading";
    case RowKind::Total:
        return "total";
    case RowKind::Empty:
        return "empty";
    case RowKind::Values:
        break;
    }
    return "values";
}

} // namespace

int64_t centsOf(Money m) {
    return mulDiv(m.units(), 1, Money::kUnitsPerCent, Rounding::HalfEven);
}

std::string csvAmount(Money m) {
    const int64_t cents = centsOf(m);
    const uint64_t magnitude = cents < 0 ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
    const unsigned rest = static_cast<unsigned>(magnitude % 100);
    std::string out = cents < 0 ? "-" : "";
    out += std::to_string(magnitude / 100) + ',' + char('0' + rest / 10) + char('0' + rest % 10);
    return out;
}

std::string cellDisplay(const TableCell& cell) {
    switch (cell.kind) {
    case TableCell::Kind::Amount:
        return cell.amount.toDisplay();
    case TableCell::Kind::Missing:
        return kMissingCellText;
    case TableCell::Kind::Text:
        break;
    }
    return cell.text;
}

std::string toCsv(const std::vector<ReportTable>& tables) {
    std::ostringstream out;
    out << "\xEF\xBB\xBF";
    for (size_t t = 0; t < tables.size(); ++t) {
        const ReportTable& table = tables[t];
        if (t) out << "\r\n";
        csvLine(out, {table.title});
        csvLine(out, table.columns);
        for (const TableRow& row : table.rows) {
            for (size_t i = 0; i < row.cells.size(); ++i)
                out << (i ? ";" : "") << csvCell(row.cells[i]);
            out << "\r\n";
        }
        for (const std::string& note : table.notes)
            csvLine(out, {note});
    }
    return out.str();
}

std::string toJson(const std::vector<ReportTable>& tables) {
    std::ostringstream out;
    out << "{\"tables\":[";
    for (size_t t = 0; t < tables.size(); ++t) {
        const ReportTable& table = tables[t];
        out << (t ? "," : "") << "{\"name\":" << jsonString(table.name)
            << ",\"title\":" << jsonString(table.title) << ",\"columns\":[";
        for (size_t i = 0; i < table.columns.size(); ++i)
            out << (i ? "," : "") << jsonString(table.columns[i]);
        out << "],\"rows\":[";
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const TableRow& row = table.rows[r];
            out << (r ? "," : "") << "{\"kind\":\"" << kindName(row.kind) << "\"";
            if (row.caseNumber) out << ",\"case\":" << row.caseNumber;
            if (row.month) out << ",\"month\":" << row.month;
            out << ",\"cells\":[";
            for (size_t i = 0; i < row.cells.size(); ++i) {
                const TableCell& cell = row.cells[i];
                out << (i ? "," : "");
                if (cell.kind == TableCell::Kind::Amount)
                    out << "{\"cents\":" << centsOf(cell.amount) << "}";
                else if (cell.kind == TableCell::Kind::Missing)
                    out << "null";
                else
                    out << jsonString(cell.text);
            }
            out << "]}";
        }
        out << "],\"notes\":[";
        for (size_t i = 0; i < table.notes.size(); ++i)
            out << (i ? "," : "") << jsonString(table.notes[i]);
        out << "]}";
    }
    out << "]}\n";
    return out.str();
}

const std::vector<std::string>& monthColumnCaptions() {
    static const std::vector<std::string> captions = {"JAN.", "FEB.", "MÄRZ", "APRIL", "MAI",  "JUNI",
                                                      "JULI", "AUG.", "SEP.", "OKT.",  "NOV.", "DEZ."};
    return captions;
}

const std::vector<std::string>& monthRowCaptions() {
    static const std::vector<std::string> captions = {"Jan",  "Feb", "März", "April", "Mai", "Juni",
                                                      "Juli", "Aug", "Sept", "Okt",   "Nov", "Dez"};
    return captions;
}

} // namespace varemo
