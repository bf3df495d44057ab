// partial-retirement: the side calculations of the partial-retirement pay of a case-month for the three
// legal bases (AtG, TV ATZ, Altersteilzeitzuschlagsverordnung) and the additional pension contributions,
// or of the block models with a working-time account; the categories and factors of the pay lines and the
// working-time account also for sheet --detail parttime.

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "deductions/partial_retirement.h"
#include "law/partial_retirement.h"
#include "pay/part_time.h"

#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

std::string cents(Money m) {
    return std::to_string(jsonCents(m));
}

std::string netJson(const FlatRateNet& n) {
    return "{\"grossCents\":" + cents(n.gross) + ",\"wageTaxCents\":" + cents(n.wageTax) +
           ",\"surchargeCents\":" + cents(n.surcharge) + ",\"churchTaxCents\":" + cents(n.churchTax) +
           ",\"socialInsuranceCents\":" + cents(n.socialInsurance) + ",\"netCents\":" + cents(n.net) + "}";
}

std::string raiseJson(const MinimumNetRaise& r) {
    return "{\"percent\":" + std::to_string(r.percent) +
           ",\"fromTable\":" + (r.fromTable ? "true" : "false") + ",\"fullTime\":" + netJson(r.fullTime) +
           ",\"partTime\":" + netJson(r.partTime) +
           ",\"minimumNetCents\":" + (r.minimumNet ? cents(*r.minimumNet) : "null") +
           ",\"missing\":" + jsonString(r.missing) + ",\"raiseCents\":" + cents(r.raise) + "}";
}

std::string progressionJson(const ProgressionEstimate& p) {
    return "{\"taxableCents\":" + cents(p.taxable) + ",\"topUpsCents\":" + cents(p.topUps) +
           ",\"totalCents\":" + cents(p.total) + ",\"wageTaxCents\":" + cents(p.wageTax) +
           ",\"surchargeCents\":" + cents(p.surcharge) + ",\"churchTaxCents\":" + cents(p.churchTax) +
           ",\"wageTaxRateHundredths\":" + std::to_string(p.wageTaxRate) +
           ",\"surchargeRateHundredths\":" + std::to_string(p.surchargeRate) +
           ",\"churchTaxRateHundredths\":" + std::to_string(p.churchTaxRate) +
           ",\"extraWageTaxCents\":" + cents(p.extraWageTax) +
           ",\"extraSurchargeCents\":" + cents(p.extraSurcharge) +
           ",\"extraChurchTaxCents\":" + cents(p.extraChurchTax) +
           ",\"extraTotalCents\":" + cents(p.extraTotal) + "}";
}

std::string line(const std::string& label, Money amount) {
    return "  " + padded(label, 56) + amountText(amount) + "\n";
}

std::string netLines(const FlatRateNet& n, bool employee) {
    std::string out = line("  Bruttoentgelt", n.gross) + line("  - Lohnsteuer", n.wageTax) +
                      line("  - Solidaritätszuschlag", n.surcharge) +
                      line("  - Kirchensteuer 8 %", n.churchTax);
    if (employee) out += line("  - Sozialversicherung (AN)", n.socialInsurance);
    return out;
}

std::string raiseText(const MinimumNetRaise& r, bool agreement) {
    std::string out;
    if (r.fromTable) {
        out += line("Pauschaliertes Vollzeit-Nettoentgelt: Vollzeit-Brutto", r.fullTime.gross);
        if (r.minimumNet)
            out += line(std::string("  laut Mindestnettoentgelttabelle ") + (agreement ? "für 83 %" : "2008"),
                        *r.minimumNet);
        else
            out += "  [fehlt] " + r.missing + "\n";
    } else {
        out += netLines(r.fullTime, true) + line("Pauschaliertes Vollzeit-Nettoentgelt", r.fullTime.net);
        if (r.minimumNet)
            out += line("  davon " + std::to_string(r.percent) + " % (Mindestnettoentgelt)", *r.minimumNet);
    }
    out += netLines(r.partTime, true) + line("Fiktives Teilzeit-Nettoentgelt ", r.partTime.net);
    out += line("Erh.a." + std::to_string(r.percent) + "% d.Vollzeit-Nettoentgelts", r.raise);
    return out;
}

std::string accountLineJson(const AccountLine& l) {
    return "{\"line\":" + std::to_string(l.line) + ",\"current\":" + (l.current ? "true" : "false") +
           ",\"taxFree\":" + (l.taxFree ? "true" : "false") + ",\"baseCents\":" + cents(l.base) +
           ",\"withdrawalCents\":" + cents(l.withdrawal) + ",\"payCents\":" + cents(l.pay) +
           ",\"regularCents\":" + cents(l.regular) + ",\"topUpBaseCents\":" + cents(l.topUpBase) + "}";
}

} // namespace

void printWorkingTimeAccount(const Session& g, bool json, std::ostream& out) {
    const WorkingTimeAccount& a = g.retirement.account;
    const StatutoryPensionTopUp& p = a.pension;
    if (json) {
        out << "{\"computed\":" << (a.computed ? "true" : "false") << ",\"missing\":" << jsonString(a.missing)
            << ",\"agreement\":" << jsonString(a.agreement.name)
            << ",\"topUpHundredths\":" << a.agreement.topUpHundredths
            << ",\"startBefore\":" << a.agreement.startBefore
            << ",\"releasePhase\":" << (a.releasePhase ? "true" : "false") << ",\"lines\":[";
        for (size_t i = 0; i < a.lines.size(); ++i)
            out << (i ? "," : "") << accountLineJson(a.lines[i]);
        out << "],\"creditCents\":" << cents(a.credit) << ",\"withdrawalCents\":" << cents(a.withdrawal)
            << ",\"earlierMonthsCents\":" << cents(a.earlierMonths) << ",\"topUpCents\":" << cents(a.topUp)
            << ",\"pension\":{\"ceilingCents\":" << cents(a.ceiling)
            << ",\"regularCents\":" << cents(p.regular) << ",\"limitCents\":" << cents(p.limit)
            << ",\"roomCents\":" << cents(p.room) << ",\"targetCents\":" << cents(p.target)
            << ",\"baseCents\":" << cents(p.base) << ",\"rate\":" << jsonString(a.rateName)
            << ",\"contributionCents\":" << cents(a.contribution)
            << ",\"oneTimeRoomCents\":" << cents(a.oneTimeRoom)
            << "},\"fund\":{\"payCents\":" << cents(a.fundPay) << ",\"raisedCents\":" << cents(a.fundRaised)
            << ",\"levyRate\":" << jsonString(a.fundLevyRate) << ",\"levyCents\":" << cents(a.fundLevy)
            << "},\"progression\":" << progressionJson(a.progression) << "}";
        return;
    }
    if (!a.computed) {
        out << (a.missing.empty() ? "Zeile 23 ist nicht auf ein Blockmodell mit Wertguthaben eingestellt."
                                  : a.missing)
            << "\n";
        return;
    }
    out << "Berechnung des ATZ-Gehalts nach " << a.agreement.name
        << (a.releasePhase ? " in der Freistellungsphase\n" : " in der Arbeitsphase\n")
        << "Zeile  Basisentgelt  Entnahme  ATZ-Entgelt  ATZ-Regelarbeitsentgelt  Aufzustockende Beträge\n";
    for (const AccountLine& l : a.lines)
        out << "  " << (l.line == 0 ? "ZV" : (l.line < 10 ? " " : "") + std::to_string(l.line)) << "  "
            << amountText(l.base) << "  " << amountText(l.withdrawal) << "  " << amountText(l.pay) << "  "
            << amountText(l.regular) << "  " << amountText(l.topUpBase) << (l.current ? "" : "  (sonstiges)")
            << "\n";
    out << (a.releasePhase ? line("Entnahme aus dem Wertguthaben in mtl. gleichen Raten", a.withdrawal)
                           : line("Einstellungen in das Wertguthaben", a.credit))
        << line("Wertguthaben aus den Vormonaten dieses Jahres", a.earlierMonths)
        << line(std::to_string(a.agreement.topUpHundredths / 100) + " %-ige Aufstockung, steuerfrei", a.topUp)
        << line("Regelarbeitsentgelt", p.regular)
        << line("Obergrenze der Aufstockung (Anteil der Beitragsbemessungsgrenze)", p.limit)
        << line("Maximaler Spielraum für die Aufstockung", p.room) << line("Aufstockungssoll", p.target)
        << line("Somit Aufstockung", p.base)
        << line(a.rateName + " % RV-Beitrag hat der AG zusätzlich aufzubringen:", a.contribution)
        << line("Sonstiges Entgelt kann verbeitragt werden bis: ", a.oneTimeRoom)
        << line("ZV: vers.pfl.Entgelt", a.fundPay) << line("ZV: Aufstockung auf das 1.8-fache", a.fundRaised)
        << line("ZV: Umlage " + a.fundLevyRate + " % aus ATZ-Entgelt", a.fundLevy)
        << line("Nachbelastung durch den Progressionsvorbehalt", a.progression.extraTotal);
}

void printPartialRetirementCategories(const Session& g, bool json, std::ostream& out) {
    const PayColumns& columns = g.extras.columns;
    if (json) {
        out << "[";
        for (int l = kFirstGrossLine; l <= kLastGrossLine; ++l) {
            const char category = g.workingCase.grossLine(l).partialRetirementCategory;
            out << (l > kFirstGrossLine ? "," : "") << "{\"line\":" << l
                << ",\"category\":" << jsonString(std::string(1, category))
                << ",\"factor\":" << columns.line(l).retirementFactor
                << ",\"previousCents\":" << cents(columns.line(l).partTime)
                << ",\"paidCents\":" << cents(columns.line(l).actual) << "}";
        }
        out << "]";
        return;
    }
    out << "Zeile Kat. ATZ-Quote  für Arbeit in bisherigem Umfang    für Altersteilzeitarbeit\n";
    for (int l = kFirstGrossLine; l <= kLastGrossLine; ++l) {
        const LineColumns& col = columns.line(l);
        out << "  " << (l < 10 ? " " : "") << l << "   "
            << g.workingCase.grossLine(l).partialRetirementCategory << "  "
            << reductionFactorText(col.retirementFactor, true) << amountText(col.partTime) << "    "
            << amountText(col.actual) << "\n";
    }
}

void printPartialRetirement(const Session& g, bool json) {
    const PartialRetirementResult& r = g.retirement.result;
    std::ostringstream out;
    if (json) {
        out << "{\"computed\":" << (r.computed ? "true" : "false")
            << ",\"civilServant\":" << (r.civilServant ? "true" : "false")
            << ",\"releasePhase\":" << (r.releasePhase ? "true" : "false") << ",\"lines\":";
        printPartialRetirementCategories(g, true, out);
        out << ",\"atg\":{\"twentyBaseCents\":" << cents(r.atgTwenty.base)
            << ",\"twentyCents\":" << cents(r.atgTwenty.amount) << ",\"raise\":" << raiseJson(r.atgRaise)
            << "}"
            << ",\"agreement\":{\"twentyBaseCents\":" << cents(r.agreementTwenty.base)
            << ",\"twentyCents\":" << cents(r.agreementTwenty.amount)
            << ",\"variantCents\":" << cents(r.agreementVariant)
            << ",\"raise\":" << raiseJson(r.agreementRaise) << "},\"civil\":{\"percent\":" << r.civil.percent
            << ",\"fullTime\":" << netJson(r.civil.fullTime) << ",\"partTime\":" << netJson(r.civil.partTime)
            << ",\"guaranteedNetCents\":" << cents(r.civil.guaranteedNet)
            << ",\"supplementCents\":" << cents(r.civil.supplement) << "}"
            << ",\"pension\":{\"fullTimePayCents\":" << cents(r.pension.fullTimePay)
            << ",\"ninetyPercentCents\":" << cents(r.pension.ninetyPercent)
            << ",\"partTimePayCents\":" << cents(r.pension.partTimePay)
            << ",\"agreementDifferenceCents\":" << cents(r.pension.agreementDifference)
            << ",\"statutoryBaseCents\":" << cents(r.pension.statutoryBase)
            << ",\"differenceCents\":" << cents(r.pension.difference)
            << ",\"rate\":" << jsonString(r.pension.rateName)
            << ",\"contributionCents\":" << cents(r.pension.contribution) << "}"
            << ",\"progression\":" << progressionJson(r.progression) << ",\"topUpCents\":" << cents(r.topUp)
            << ",\"account\":";
        printWorkingTimeAccount(g, true, out);
        out << "}\n";
        std::cout << out.str();
        return;
    }
    if (isWorkingTimeAccount(g.workingCase)) {
        printPartialRetirementCategories(g, false, out);
        out << "\n";
        printWorkingTimeAccount(g, false, out);
        std::cout << out.str();
        return;
    }
    if (!r.computed) {
        std::cout << "Zeile 23 ist nicht auf \"% TV-ATZ Arbeitsphase\" oder \"% TV-ATZ Freizeitphase\" "
                     "eingestellt: keine Aufstockung berechnet.\n";
        return;
    }
    printPartialRetirementCategories(g, false, out);
    if (r.civilServant) {
        const CivilServantSupplement& c = r.civil;
        out << "\nAltersteilzeitzuschlag auf " << c.percent << " % netto\n"
            << netLines(c.fullTime, false) << line(" = FIKTIVES VOLLZEIT-NETTOGEHALT", c.fullTime.net)
            << line("      davon " + std::to_string(c.percent) + " % = GARANTIERTES NETTOGEHALT",
                    c.guaranteedNet)
            << netLines(c.partTime, false) << line(" = Nettogehalt bei Altersteilzeit", c.partTime.net)
            << line(" + Aufstockung (steuerfrei mit Progressionsvorbehalt)", c.supplement);
    } else {
        out << "\nnach dem Altersteilzeitgesetz (AtG)\n"
            << line("20 % - Aufstockung vom Teilzeit-Bruttoentgelt (Basis)", r.atgTwenty.base)
            << line("20 % - Aufstockung vom Teilzeit-Bruttoentgelt", r.atgTwenty.amount)
            << raiseText(r.atgRaise, false);
        out << "\nnach dem Tarifvertrag über Teilzeitarbeit (TV ATZ)\n"
            << line("20 % - Aufstockung vom Teilzeit-Bruttoentgelt (Basis)", r.agreementTwenty.base)
            << line("20 % - Aufstockung vom Teilzeit-Bruttoentgelt", r.agreementTwenty.amount)
            << line("34 % - Aufstockung vom Teilzeit-Bruttoentgelt", r.agreementVariant)
            << raiseText(r.agreementRaise, true);
        const PensionTopUp& p = r.pension;
        out << "\nZusätzliche Beiträge zur Rentenversicherung\n"
            << line("Sozialversicherungspflichtiges Vollzeit-Entgelt abz. Einmalzahlungen", p.fullTimePay)
            << line("davon 90 % =", p.ninetyPercent)
            << line(" -  sozialversicherungspflichtiges Teilzeit-Entgelt ", p.partTimePay)
            << line("    (§ 5 Abs. 4 TV ATZ)", p.agreementDifference)
            << line("    (§ 3 Abs. 1 Nr. 1 b AltTZG)", p.statutoryBase)
            << line(" = vom AG zu versichernder Differenzbetrag", p.difference)
            << "  Bei einem Beitragssatz von " << p.rateName << " % ergibt sich ein zusätzlicher Beitrag von "
            << amountText(p.contribution) << "\n";
    }
    out << "\n" << line("Zeile 43: ATZ-Aufstockung", r.topUp);
    std::cout << out.str();
}

int runPartialRetirement(CliContext& ctx) {
    CaseMonthSelection sel;
    ArgReader reader(ctx.args);
    while (reader.next())
        if (!sel.take(reader)) reader.unknown();
    sel.validate();
    Session g(*ctx.prompter);
    const int opened = openCaseMonth(g, ctx, sel, false);
    if (opened == kCaseMissing) return 1;
    if (opened == 3) return 3;
    printPartialRetirement(g, sel.json);
    return opened;
}

} // namespace varemo::cli
