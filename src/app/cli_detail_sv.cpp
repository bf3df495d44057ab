// sheet --detail sv: the social-insurance worksheet of the case-month: pay, days, ceilings and the
// one-time payments against the unused ceilings, each branch's base with the employee's and the
// employer's share, and the employer's levies.

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "deductions/kind_lists.h"
#include "deductions/missing_rates.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

// The notice of the U1/U2 rates the case's health fund does not know, if any.
std::vector<PromptMessage> levyNotices(const Session& g) {
    std::vector<PromptMessage> notices;
    if (auto notice = missingLevyRateNotice(g)) notices.push_back(*notice);
    return notices;
}

std::string amount(Money m) {
    std::ostringstream out;
    out << std::setw(12) << m.toDisplay();
    return out.str();
}

void row(std::ostream& out, const std::string& text, Money m) {
    out << padded(text, 52) << amount(m) << "\n";
}

struct Branch {
    const char* key;
    const char* title;
    const BranchResult* result;
};

std::string branchJson(const Branch& b) {
    const BranchResult& r = *b.result;
    std::ostringstream out;
    out << jsonString(b.key) << ":{\"kind\":" << r.kind << ",\"baseCents\":" << jsonCents(r.base)
        << ",\"employeeRate\":" << jsonString(formatRate(r.employeeRate))
        << ",\"employerRate\":" << jsonString(formatRate(r.employerRate))
        << ",\"employeeCents\":" << jsonCents(r.employee) << ",\"employerCents\":" << jsonCents(r.employer)
        << ",\"subsidyCents\":" << jsonCents(r.subsidy) << ",\"entered\":" << (r.entered ? "true" : "false")
        << "}";
    return out.str();
}

std::string accountJson(const CeilingAccount& a) {
    std::ostringstream out;
    out << "{\"monthCeilingCents\":" << jsonCents(a.monthCeiling)
        << ",\"yearCeilingCents\":" << jsonCents(a.yearCeiling)
        << ",\"earlierAssessedCents\":" << jsonCents(a.earlierAssessed)
        << ",\"regularAssessedCents\":" << jsonCents(a.regularAssessed)
        << ",\"unusedCents\":" << jsonCents(a.unused) << ",\"oneTimeCents\":" << jsonCents(a.oneTime)
        << ",\"oneTimeAssessedCents\":" << jsonCents(a.oneTimeAssessed)
        << ",\"baseCents\":" << jsonCents(a.base()) << "}";
    return out.str();
}

std::string levyJson(const char* key, const Levy& l) {
    std::ostringstream out;
    out << jsonString(key) << ":{\"liable\":" << (l.liable ? "true" : "false")
        << ",\"baseCents\":" << jsonCents(l.base) << ",\"rate\":" << jsonString(formatRate(l.rate))
        << ",\"cents\":" << jsonCents(l.amount) << "}";
    return out.str();
}

std::string marchJson(const MarchClause& m) {
    std::ostringstream out;
    out << "{\"checked\":" << (m.checked ? "true" : "false")
        << ",\"attributed\":" << (m.attributed ? "true" : "false") << ",\"note\":" << jsonString(m.note)
        << ",\"year\":" << m.year << ",\"month\":" << m.monthIndex + 1
        << ",\"kvAccount\":" << accountJson(m.kvAccount) << ",\"rvAccount\":" << accountJson(m.rvAccount);
    const Branch branches[] = {{"kv", "", &m.kv},
                               {"kvAdditional", "", &m.kvAdditional},
                               {"pv", "", &m.pv},
                               {"rv", "", &m.rv},
                               {"av", "", &m.av}};
    for (const Branch& b : branches)
        out << "," << branchJson(b);
    out << "}";
    return out.str();
}

void printAccount(std::ostream& out, const CeilingAccount& a, bool health) {
    out << (health ? "-  in der Krankenversicherung" : "-  in der Rentenversicherung ") << "\n";
    row(out, "   Beitragsbemessungsgrenze des Monats", a.monthCeiling);
    row(out, "   Beitragsbemessungsgrenzen Januar bis Monat", a.yearCeiling);
    row(out, "   beitragspflichtig in den Vormonaten", a.earlierAssessed);
    row(out, "   laufendes Entgelt bis zur Grenze", a.regularAssessed);
    row(out,
        health ? "ungenutzte Krankenvers.-Beitragsbemessungsgrenze"
               : "ungenutzte Rentenvers. -Beitragsbemessungsgrenze",
        a.unused);
    row(out, "   Einmalzahlung", a.oneTime);
    row(out, "   davon beitragspflichtig", a.oneTimeAssessed);
    row(out, health ? "   somit krankenversicherungspflichtig" : "   somit rentenversicherungspflichtig",
        a.base());
}

} // namespace

void printSocialInsuranceDetail(const Session& g, bool json) {
    const SocialInsuranceWorksheet& w = g.social.worksheet;
    const Branch branches[] = {
        {"kv", "Krankenversicherung", &w.kv},      {"kvAdditional", "KV-Zusatzbeitrag", &w.kvAdditional},
        {"pv", "Pflegeversicherung", &w.pv},       {"rv", "Rentenversicherung", &w.rv},
        {"av", "Arbeitslosenversicherung", &w.av},
    };
    if (json) {
        std::ostringstream out;
        out << "{\"year\":" << g.year << ",\"month\":" << g.month() << ",\"case\":" << g.caseNumber
            << ",\"computed\":" << (w.computed ? "true" : "false")
            << ",\"region\":" << jsonString(w.region == Region::East ? "East" : "West")
            << ",\"svDays\":" << w.svDays << ",\"regularPayCents\":" << jsonCents(w.regularPay)
            << ",\"oneTimePayCents\":" << jsonCents(w.oneTimePay)
            << ",\"otherEmploymentsPayCents\":" << jsonCents(w.otherEmploymentsPay)
            << ",\"zone\":" << (w.zone ? "true" : "false")
            << ",\"zoneByLaw\":" << (w.zoneByLaw ? "true" : "false")
            << ",\"zoneUpperBoundCents\":" << jsonCents(w.zoneUpperBound)
            << ",\"zoneFactor\":" << w.zoneFactor << ",\"zoneBaseCents\":" << jsonCents(w.zoneBase)
            << ",\"kvAccount\":" << accountJson(w.kvAccount) << ",\"rvAccount\":" << accountJson(w.rvAccount)
            << ",\"marchClause\":" << marchJson(w.march);
        for (const Branch& b : branches)
            out << "," << branchJson(b);
        out << ",\"levies\":{\"fund\":" << w.levies.fund << "," << levyJson("u1", w.levies.u1) << ","
            << levyJson("u2", w.levies.u2) << "," << levyJson("u3", w.levies.u3)
            << ",\"u1RateKnown\":" << (levyRateMissing(g, FundField::U1) ? "false" : "true")
            << ",\"u2RateKnown\":" << (levyRateMissing(g, FundField::U2) ? "false" : "true") << "}"
            << ",\"employeeTotalCents\":" << jsonCents(w.employeeTotal())
            << ",\"employerTotalCents\":" << jsonCents(w.employerTotal()) << ",\"lines\":{";
        for (int line = 37; line <= 40; ++line)
            out << (line > 37 ? "," : "") << "\"" << line << "\":" << lineAmount(g.workingCase, line).value();
        out << "}," << noticesJson(levyNotices(g)) << "}\n";
        std::cout << out.str();
        return;
    }

    std::ostringstream out;
    out << "Sozialversicherung — " << dataSetName(g.dataSet) << " " << std::setfill('0') << std::setw(2)
        << g.month() << "/" << g.year << ", Personalfall " << g.caseNumber << std::setfill(' ') << "\n";
    if (!w.computed) {
        out << "(nicht berechnet)\n";
        std::cout << out.str();
        return;
    }
    out << "Region " << (w.region == Region::East ? "Ost" : "West") << ", SV-Tage " << w.svDays << "\n";
    row(out, "SV-pflichtiges laufendes Entgelt", w.regularPay);
    row(out, "SV-pflichtige Einmalzahlungen", w.oneTimePay);
    if (w.otherEmploymentsPay > Money()) row(out, "Entgelt weiterer Beschäftigungen", w.otherEmploymentsPay);
    if (w.zone) {
        if (w.zoneByLaw) out << "Gleitzone kraft Gesetzes (§ 20 Abs. 2 SGB IV)\n";
        row(out, "Gleitzone bis", w.zoneUpperBound);
        out << padded("Faktor F", 52) << std::setw(12) << formatRate(Rate{w.zoneFactor}) << "\n";
        row(out, "beitragspflichtige Einnahme (BE)", w.zoneBase);
    }
    row(out, "zu berücksichtigende Beträge aus früherem Arbeitsverh.:", Money());
    printAccount(out, w.kvAccount, true);
    printAccount(out, w.rvAccount, false);
    if (w.march.checked) {
        out << "\nMärzklausel (§ 23a Abs. 4 SGB IV)\n";
        if (!w.march.attributed) {
            out << w.march.note << "\n";
        } else {
            out << "Einmalzahlung zugeordnet dem Monat " << std::setfill('0') << std::setw(2)
                << w.march.monthIndex + 1 << "/" << w.march.year << std::setfill(' ') << "\n";
            printAccount(out, w.march.kvAccount, true);
            printAccount(out, w.march.rvAccount, false);
            const std::pair<const char*, const BranchResult*> parts[] = {
                {"KV", &w.march.kv},
                {"KV-Zusatzbeitrag", &w.march.kvAdditional},
                {"PV", &w.march.pv},
                {"RV", &w.march.rv},
                {"AV", &w.march.av}};
            for (const auto& [name, r] : parts) {
                if (r->base == Money()) continue;
                out << padded(std::string("   ") + name + " " + std::to_string(w.march.year), 30)
                    << amount(r->base) << std::setw(9) << formatRate(r->employeeRate) << amount(r->employee)
                    << std::setw(9) << formatRate(r->employerRate) << amount(r->employer)
                    << amount(r->subsidy) << "\n";
            }
            out << "(in den Zweigen unten enthalten)\n";
        }
    }
    out << "\n"
        << padded("Zweig", 30) << std::setw(12) << "Basis" << std::setw(9) << "AN %" << std::setw(12) << "AN"
        << std::setw(9) << "AG %" << std::setw(12) << "AG" << std::setw(12) << "Zuschuss"
        << "\n";
    for (const Branch& b : branches) {
        const BranchResult& r = *b.result;
        out << padded(std::string(b.title) + " (" + std::to_string(r.kind) + ")", 30) << amount(r.base)
            << std::setw(9) << formatRate(r.employeeRate) << amount(r.employee) << std::setw(9)
            << formatRate(r.employerRate) << amount(r.employer) << amount(r.subsidy)
            << (r.entered ? "  lt. Eingabe" : "") << "\n";
    }
    row(out, "Arbeitnehmeranteile zusammen", w.employeeTotal());
    row(out, "Arbeitgeberanteile und Zuschüsse zusammen", w.employerTotal());
    out << "\nUmlagen (Kasse " << w.levies.fund << ")\n";
    const std::pair<const char*, const Levy*> levies[] = {
        {"U1", &w.levies.u1}, {"U2", &w.levies.u2}, {"Insolvenzgeld", &w.levies.u3}};
    for (const auto& [name, l] : levies) {
        if (!l->liable) {
            out << padded(name, 16) << kNoLevyNotice << "\n";
            continue;
        }
        const bool missing = (l == &w.levies.u1 && levyRateMissing(g, FundField::U1)) ||
                             (l == &w.levies.u2 && levyRateMissing(g, FundField::U2));
        if (missing) {
            out << padded(name, 16) << amount(l->base) << "  Satz nicht bekannt\n";
            continue;
        }
        out << padded(name, 16) << amount(l->base) << std::setw(9) << formatRate(l->rate) << " %"
            << amount(l->amount) << "\n";
    }
    out << noticesText(levyNotices(g));
    std::cout << out.str();
}

} // namespace varemo::cli
