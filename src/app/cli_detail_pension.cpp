// sheet --detail zv: the 31 lines of the supplementary pension ("A T V - B E T R I E B S R E N T E");
// sheet --detail employer: the employer's cost of the month and, for a civil servant, the pension levy.
// The JSON of the sheet carries the employer's cost as well (employerCostJson).

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "deductions/missing_rates.h"
#include "deductions/pension_levy.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

std::string header(const Session& g, const char* title) {
    std::ostringstream out;
    out << title << " — " << dataSetName(g.dataSet) << " " << std::setfill('0') << std::setw(2) << g.month()
        << "/" << g.year << ", Personalfall " << g.caseNumber << "\n";
    return out.str();
}

std::string lineText(const Session& g, int line) {
    const std::string& text = g.sheet.line(line).text;
    return text.empty() ? lineInfo(line).caption : text;
}

// The employee's share of the capital contribution (sheet line 41), shown below line 31.
std::string employeeCapitalLabel(const Session& g) {
    return "Zeile 41: " + formatPensionRate(g.pension.employeeCapitalRate) + " % Kapitalbeitrag des AN";
}

std::string levyJson(const Session& g) {
    const CivilServantLevy& levy = g.pension.civilServantLevy;
    std::ostringstream out;
    out << "{\"kind\":" << levy.kind << ",\"rows\":[";
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const auto& row = levy.rows[static_cast<size_t>(line - kFirstGrossLine)];
        out << (line > kFirstGrossLine ? "," : "") << "{\"line\":" << line
            << ",\"text\":" << jsonString(lineText(g, line)) << ",\"baseCents\":" << jsonCents(row.base)
            << ",\"factor\":" << jsonString(formatLevyFactor(row.factorThousandths))
            << ",\"cents\":" << jsonCents(row.levy) << "}";
    }
    out << "],\"annualBaseCents\":" << jsonCents(levy.annualBase)
        << ",\"totalLabel\":" << jsonString(CivilServantLevy::kTotalLabel)
        << ",\"totalCents\":" << jsonCents(levy.total) << "}";
    return out.str();
}

void printLevyText(const Session& g, std::ostream& out) {
    const CivilServantLevy& levy = g.pension.civilServantLevy;
    out << CivilServantLevy::kTitle1 << "\n" << CivilServantLevy::kTitle2 << "\n";
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const auto& row = levy.rows[static_cast<size_t>(line - kFirstGrossLine)];
        out << std::setw(2) << line << "  " << padded(lineText(g, line), 36) << amountText(row.base) << "  "
            << formatLevyFactor(row.factorThousandths) << amountText(row.levy) << "\n";
    }
    if (levy.annualBase != Money())
        out << padded("Jahresbasis (Juli x 12)", 40) << amountText(levy.annualBase) << "\n";
    out << padded(CivilServantLevy::kTotalLabel, 40) << padded("", 24) << amountText(levy.total) << "\n";
}

} // namespace

std::string employerCostJson(const Session& g) {
    const EmployerCost& e = g.pension.employer;
    std::ostringstream out;
    out << "\"employerCost\":[";
    for (int i = 0; i < kEmployerItems; ++i)
        out << (i ? "," : "") << "{\"label\":" << jsonString(employerItemLabel(static_cast<EmployerItem>(i)))
            << ",\"cents\":" << jsonCents(e.items[static_cast<size_t>(i)]) << "}";
    out << "],\"employerTotalCents\":" << jsonCents(e.total);
    return out.str();
}

void printPensionDetail(const Session& g, bool json) {
    const PensionWorksheet& w = g.pension.worksheet;
    std::vector<PromptMessage> notices;
    if (auto notice = missingPensionRateNotice(g)) notices.push_back(*notice);
    std::ostringstream out;
    if (json) {
        out << "{\"title\":" << jsonString(PensionWorksheet::kTitle) << ",\"year\":" << g.year
            << ",\"month\":" << g.month() << ",\"case\":" << g.caseNumber << ",\"lines\":[";
        for (int line = 1; line <= PensionWorksheet::kLines; ++line)
            out << (line > 1 ? "," : "") << "{\"line\":" << line << ",\"label\":" << jsonString(w.label(line))
                << ",\"cents\":" << jsonCents(w.amount(line)) << "}";
        out << "],\"additionalBase\":{\"label\":" << jsonString(PensionWorksheet::kAdditionalBaseLabel)
            << ",\"cents\":" << jsonCents(w.additionalBase)
            << "},\"employerHeading\":" << jsonString(PensionWorksheet::kEmployerHeading)
            << ",\"svAddedPayCents\":" << jsonCents(g.pension.svAddedPay)
            << ",\"levyOneTimeShareCents\":" << jsonCents(g.pension.levyOneTimeShare)
            << ",\"employeeCapital\":{\"label\":" << jsonString(employeeCapitalLabel(g))
            << ",\"cents\":" << jsonCents(g.pension.employeeCapital) << "}," << noticesJson(notices) << "}\n";
    } else {
        out << header(g, PensionWorksheet::kTitle);
        for (int line = 1; line <= PensionWorksheet::kLines; ++line) {
            if (line == 12)
                out << padded(PensionWorksheet::kAdditionalBaseLabel, 46) << amountText(w.additionalBase)
                    << "\n";
            if (line == 24) out << PensionWorksheet::kEmployerHeading << "\n";
            out << padded(w.label(line), 46) << amountText(w.amount(line)) << "\n";
        }
        out << padded(employeeCapitalLabel(g), 46) << amountText(g.pension.employeeCapital) << "\n";
        out << noticesText(notices);
    }
    std::cout << out.str();
}

void printEmployerDetail(const Session& g, bool json) {
    const EmployerCost& e = g.pension.employer;
    std::ostringstream out;
    if (json) {
        out << "{\"year\":" << g.year << ",\"month\":" << g.month() << ",\"case\":" << g.caseNumber << ","
            << employerCostJson(g) << ",\"totalLabel\":" << jsonString(kEmployerTotalLabel);
        if (g.pension.civilServantLevy.applies) out << ",\"civilServantLevy\":" << levyJson(g);
        out << "}\n";
    } else {
        out << header(g, "Arbeitgeber-Sicht");
        for (int i = 0; i < kEmployerItems; ++i)
            out << padded(employerItemLabel(static_cast<EmployerItem>(i)), 30)
                << amountText(e.items[static_cast<size_t>(i)]) << "\n";
        out << padded(kEmployerTotalLabel, 30) << amountText(e.total) << "\n";
        if (g.pension.civilServantLevy.applies) {
            out << "\n";
            printLevyText(g, out);
        }
    }
    std::cout << out.str();
}

} // namespace varemo::cli
