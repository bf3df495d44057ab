// sheet --detail tax: the TaxWorksheet of the case-month ("Berechnung der Steuern") and, in December,
// the employer's annual adjustment.

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "law/church_tax.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

constexpr const char* kMonths[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                   "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

// A JSON number with the four decimals of the amount, e.g. -12.3400.
std::string jsonAmount(Money m) {
    int64_t units = m.units();
    std::string sign = units < 0 ? "-" : "";
    uint64_t magnitude = units < 0 ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    return sign + std::to_string(magnitude / 10000) + "." + fraction;
}

std::string adjustmentStatus(AnnualAdjustment::Status status) {
    switch (status) {
    case AnnualAdjustment::Status::NotRequested:
        return "notRequested";
    case AnnualAdjustment::Status::Performed:
        return "performed";
    case AnnualAdjustment::Status::RefusedAllowance:
        return "refusedAllowance";
    case AnnualAdjustment::Status::RefusedTaxClass:
        return "refusedTaxClass";
    }
    return "";
}

std::string capCaption(const AnnualAdjustment& a) {
    return "Ki-Steuerkappung bei " + formatRate(a.capHundredths, 1) + " %";
}

void printAdjustmentText(const AnnualAdjustment& a, std::ostream& out) {
    out << "\nJahresausgleich des Arbeitgebers\n";
    if (a.status == AnnualAdjustment::Status::RefusedAllowance) {
        out << "Kein Lohnsteuerjahresausgleich .. \n"
            << "Ein Lohnsteuerjahresausgleich ist nicht zugelassen,\n"
            << "wenn ein Freibetrag oder ein Hinzurechnungsbetrag zu berücksichtigen ist.\n";
        return;
    }
    if (a.status == AnnualAdjustment::Status::RefusedTaxClass) {
        out << "Kein Lohnsteuerjahresausgleich .. \n";
        return;
    }
    out << padded("", 10);
    for (const char* column :
         {"St.pfl. Entgelt", "+/- lt. Steuerkarte", "Lohnsteuer", "Soli.Zuschlag", "Kirchensteuer"})
        out << std::setw(20) << column;
    out << "\n";
    auto row = [&out](const std::string& caption, const AnnualAdjustment::Month& m) {
        out << padded(caption, 10);
        for (Money v : {m.taxable, m.allowance, m.wageTax, m.surcharge, m.churchTax})
            out << std::setw(20) << v.toDisplay();
        out << "\n";
    };
    for (int i = 0; i < 12; ++i)
        row(kMonths[i], a.months[static_cast<size_t>(i)]);
    row("Summe", a.sum);
    out << padded("Zu verst. Entgelt", 30) << amountText(a.annualTaxable) << "\n";
    out << padded("Jahressteuer lt. Tabelle", 30) << amountText(a.annual.wageTax)
        << amountText(a.annual.surcharge) << amountText(a.annual.churchTax) << "\n";
    if (a.capHundredths > 0) out << padded(capCaption(a), 30) << amountText(a.capAmount) << "\n";
    out << padded("also Steuern im Dezember", 30) << amountText(a.december.wageTax)
        << amountText(a.december.surcharge) << amountText(a.december.churchTax) << "\n";
}

std::string adjustmentMonthJson(const AnnualAdjustment::Month& m) {
    return "{\"taxable\":" + jsonAmount(m.taxable) + ",\"allowance\":" + jsonAmount(m.allowance) +
           ",\"wageTax\":" + jsonAmount(m.wageTax) + ",\"surcharge\":" + jsonAmount(m.surcharge) +
           ",\"churchTax\":" + jsonAmount(m.churchTax) + "}";
}

std::string taxesJson(const FlatRateTaxes& t) {
    return "{\"wageTax\":" + jsonAmount(t.wageTax) + ",\"surcharge\":" + jsonAmount(t.surcharge) +
           ",\"churchTax\":" + jsonAmount(t.churchTax) + "}";
}

} // namespace

void printTaxDetail(const Session& g, bool json) {
    const TaxWorksheet& w = g.tax.worksheet;
    const AnnualAdjustment& a = g.tax.adjustment;
    std::ostringstream out;
    if (json) {
        out << "{\"title\":" << jsonString(TaxWorksheet::kTitle) << ",\"year\":" << g.year
            << ",\"month\":" << g.month() << ",\"case\":" << g.caseNumber << ",\"steps\":[";
        for (int step = 1; step <= TaxWorksheet::kSteps; ++step)
            out << (step > 1 ? "," : "") << "{\"step\":" << step << ",\"label\":" << jsonString(w.label(step))
                << ",\"amount\":" << jsonAmount(w.amount(step)) << "}";
        out << "],\"oneTimeHeading\":" << jsonString(TaxWorksheet::kOneTimeHeading)
            << ",\"employerFlat\":" << taxesJson(g.tax.employerFlat)
            << ",\"adjustment\":{\"status\":" << jsonString(adjustmentStatus(a.status));
        if (a.performed()) {
            out << ",\"months\":[";
            for (size_t i = 0; i < a.months.size(); ++i)
                out << (i ? "," : "") << adjustmentMonthJson(a.months[i]);
            out << "],\"sum\":" << adjustmentMonthJson(a.sum)
                << ",\"annualTaxable\":" << jsonAmount(a.annualTaxable)
                << ",\"annual\":" << taxesJson(a.annual) << ",\"december\":" << taxesJson(a.december)
                << ",\"capHundredths\":" << a.capHundredths << ",\"capBase\":" << jsonAmount(a.capBase)
                << ",\"capAmount\":" << jsonAmount(a.capAmount)
                << ",\"churchTaxByTable\":" << jsonAmount(a.churchTaxByTable)
                << ",\"capGoverns\":" << (a.capGoverns ? "true" : "false");
            if (a.capHundredths > 0) out << ",\"capCaption\":" << jsonString(capCaption(a));
        }
        out << "}}\n";
    } else {
        out << TaxWorksheet::kTitle << " — " << dataSetName(g.dataSet) << " " << std::setfill('0')
            << std::setw(2) << g.month() << "/" << g.year << ", Personalfall " << g.caseNumber << "\n"
            << std::setfill(' ');
        for (int step = 1; step <= TaxWorksheet::kSteps; ++step) {
            if (step == 22) out << TaxWorksheet::kOneTimeHeading << "\n";
            out << padded(w.label(step), 46) << amountText(w.amount(step)) << "\n";
        }
        if (a.status != AnnualAdjustment::Status::NotRequested) printAdjustmentText(a, out);
    }
    std::cout << out.str();
}

} // namespace varemo::cli
