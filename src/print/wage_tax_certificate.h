#pragma once
// The annual wage-tax certificate of one case (kind 45, "L O H N S T E U E R B E S C H E I N I G U N G"):
// the printout of the electronic certificate under § 41b Abs. 1 EStG with the numbered rows of the form of
// the year. Every amount is the sum of the stored months of the case as their sheets show them
// (session/year_figures); the data is gathered once and then exported as a table or printed.

#include "base/report_table.h"
#include "print/list_kind.h"
#include "print/print_kind.h"
#include "session/year_figures.h"

#include <string>
#include <vector>

namespace varemo::print {

struct CertificateRow {
    std::string number;  // "3.", "22. a)"
    std::string caption; // as on the form of the year
    // The annual amount; an empty text where the program keeps nothing for the row (it stays blank on
    // the form); missing where a month of the employment has no figures.
    TableCell value = TableCell::label("");
};

struct WageTaxCertificate {
    int year = 0;
    int caseNumber = 0;
    std::string name;
    // The tax data of the last month of the employment, as the form's "Dem Lohnsteuerabzug wurden
    // zugrunde gelegt" states it.
    std::string taxClass;
    std::string factor; // the factor of class IV with factor, empty otherwise
    std::string childAllowances;
    std::string denomination;
    TableCell annualAllowance = TableCell::label("");
    TableCell annualAddition = TableCell::label("");

    // Row 1: the months with a stored record are the employment; their days within the year.
    std::string from; // "TT.MM.JJJJ", empty when no month is stored
    std::string to;
    int days = 0;
    int daysOfYear = 365;
    // Row 2: stretches of months of the employment without pay (Großbuchstabe "U").
    int interruptions = 0;

    std::vector<CertificateRow> rows;
    std::vector<std::string> notes; // months without figures, and why
};

// The certificate of the months in figures (the case's months of year in g.dataSet).
WageTaxCertificate wageTaxCertificate(const CaseYearFigures& figures, int year);

// Rows "Nr.", "Bezeichnung", "Betrag": the duration and the interruptions as text, then the numbered rows.
ReportTable wageTaxCertificateTable(const WageTaxCertificate& c);

// Kind 45, a list of list_kind.h: the certificate of the request's case and year; false when a month could
// not be calculated (the certificate names it).
bool lohnsteuerbescheinigungdrucken(Session& g, const ListRequest& request, PrintSurface& s,
                                    const PrintOptions& options);

} // namespace varemo::print
