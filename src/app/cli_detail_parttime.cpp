// sheet --detail parttime: the explanation "T E I L Z E I T G E H A L T" and the reduction overview, in
// partial retirement with the categories and factors of the pay lines;
// sheet --detail special: the view of the annual special payment.

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "deductions/partial_retirement.h"
#include "pay/part_time.h"
#include "presentation/special_payment_view.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

std::string centsJson(Money m) {
    return std::to_string(jsonCents(m));
}

} // namespace

void printPartTimeDetail(const Session& g, bool json) {
    const PartTimeExplanation e = explainPartTime(g);
    const std::vector<ReductionRow> overview = reductionOverview(g);
    std::ostringstream out;
    if (json) {
        out << "{\"title\":" << jsonString(PartTimeExplanation::kTitle) << ",\"rows\":[";
        for (size_t i = 0; i < e.rows.size(); ++i) {
            const PartTimeRow& r = e.rows[i];
            out << (i ? "," : "") << "{\"line\":" << r.line << ",\"text\":" << jsonString(r.text)
                << ",\"fullCents\":" << centsJson(r.full) << ",\"factor\":" << jsonString(r.factor)
                << ",\"partTimeCents\":" << centsJson(r.partTime) << "}";
        }
        out << "],\"localAllowance\":[";
        for (size_t i = 0; i < e.localAllowance.size(); ++i)
            out << (i ? "," : "") << "{\"label\":" << jsonString(e.localAllowance[i].first)
                << ",\"cents\":" << centsJson(e.localAllowance[i].second) << "}";
        out << "],\"totalLabel\":" << jsonString(PartTimeExplanation::kTotalLabel)
            << ",\"totalCents\":" << centsJson(e.total) << ",\"overview\":[";
        for (size_t i = 0; i < overview.size(); ++i)
            out << (i ? "," : "") << "{\"label\":" << jsonString(overview[i].label)
                << ",\"factor\":" << jsonString(overview[i].factor)
                << ",\"cents\":" << centsJson(overview[i].amount) << "}";
        out << "]";
        if (isPartialRetirement(g.workingCase)) {
            out << ",\"partialRetirement\":";
            printPartialRetirementCategories(g, true, out);
            out << ",\"account\":";
            printWorkingTimeAccount(g, true, out);
        }
        out << "}\n";
    } else {
        out << PartTimeExplanation::kTitle << "\n\n";
        for (const PartTimeRow& r : e.rows)
            out << std::setw(2) << r.line << "  " << padded(r.text, 36) << amountText(r.full) << "  "
                << padded(r.factor, 9) << amountText(r.partTime) << "\n";
        if (!e.localAllowance.empty()) {
            out << "\n" << e.localAllowance.front().first << "\n";
            for (size_t i = 1; i < e.localAllowance.size(); ++i)
                out << "    " << padded(e.localAllowance[i].first, 36)
                    << amountText(e.localAllowance[i].second) << "\n";
        }
        out << "\n    " << padded(PartTimeExplanation::kTotalLabel, 36) << std::string(25, ' ')
            << amountText(e.total) << "\n\n";
        for (const ReductionRow& r : overview)
            out << "    " << padded(r.label, 28) << padded(r.factor, 14) << amountText(r.amount) << "\n";
        if (isPartialRetirement(g.workingCase)) {
            out << "\n";
            printPartialRetirementCategories(g, false, out);
            if (isWorkingTimeAccount(g.workingCase)) {
                out << "\n";
                printWorkingTimeAccount(g, false, out);
            }
        }
    }
    std::cout << out.str();
}

void printSpecialPaymentDetail(const Session& g, bool json) {
    // The view reads the case's other months through the session's open case files.
    const SpecialPaymentView v = specialPaymentView(const_cast<Session&>(g));
    std::ostringstream out;
    if (json) {
        out << "{\"title\":" << jsonString(v.title) << ",\"months\":[";
        for (size_t i = 0; i < v.rows.size(); ++i) {
            const SpecialPaymentMonth& m = v.rows[i].second;
            out << (i ? "," : "") << "{\"month\":" << jsonString(v.rows[i].first)
                << ",\"fullCents\":" << centsJson(m.full) << ",\"partTimeCents\":" << centsJson(m.partTime)
                << ",\"retirementCents\":" << centsJson(m.retirement)
                << ",\"actualCents\":" << centsJson(m.actual)
                << ",\"marked\":" << (m.marked ? "true" : "false")
                << ",\"occupied\":" << (m.occupied ? "true" : "false") << "}";
        }
        out << "],\"summary\":[";
        for (size_t i = 0; i < v.summary.size(); ++i)
            out << (i ? "," : "") << "{\"label\":" << jsonString(v.summary[i].first)
                << ",\"value\":" << jsonString(v.summary[i].second) << "}";
        out << "],\"footnotes\":[";
        for (size_t i = 0; i < v.footnotes.size(); ++i)
            out << (i ? "," : "") << jsonString(v.footnotes[i]);
        out << "]}\n";
    } else {
        out << v.title << "\n\n" << padded("", 12);
        for (size_t i = 1; i < v.header.size(); ++i)
            out << std::setw(14) << v.header[i];
        out << "\n";
        for (const auto& [name, m] : v.rows)
            out << padded(name, 11) << (m.marked ? "*" : " ") << amountText(m.full) << amountText(m.partTime)
                << amountText(m.retirement) << amountText(m.actual) << "\n";
        out << "\n";
        for (const auto& [label, value] : v.summary)
            out << padded(label, 28) << std::setw(16) << value << "\n";
        out << "\n";
        for (const std::string& f : v.footnotes)
            out << f << "\n";
    }
    std::cout << out.str();
}

} // namespace varemo::cli
