#include "deductions/annual_earnings_check.h"

#include "deductions/insurance_status.h"
#include "law/sv_defaults.h"

#include <algorithm>

namespace varemo {
namespace {

constexpr const char* kMonths[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                   "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
constexpr int kAdditionalAmountOption = 1; // line 24 "Monatl. Hinzurechnungsbetrag"

void add(AnnualEarningsCheck& out, int line, std::string text, Money amount, int multiplier) {
    AnnualEarningsRow row{line, std::move(text), amount, multiplier, amount * multiplier};
    out.total += row.annual;
    out.rows.push_back(std::move(row));
}

} // namespace

AnnualEarningsCheck annualEarningsCheck(const Globaldaten& g, const AnnualEarningsInput& in) {
    const Case& c = g.workingCase;
    AnnualEarningsCheck out;
    out.heading = "Berechnung des Jahresarbeitsentgelts für " + c.name;
    const Sheet& sheet = g.sheet;
    auto label = [&](int line) {
        const std::string& t = sheet.line(line).text;
        return t.empty() ? std::string(lineInfo(line).caption) : t;
    };

    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const GrossLineAttributes& a = c.grossLine(line);
        if (!a.flag(LineFlag::SocialInsurance) || a.reducedAmount == Money()) continue;
        if (line == 19) continue; // replaced by the base for the annual special payment
        int multiplier = line <= 17 ? 12 : (line == 18 ? 1 : 0);
        add(out, line, label(line), a.reducedAmount, multiplier);
    }
    add(out, 0, "Basis für Jahressonderzahlung", in.specialPaymentBase, 1);
    add(out, 0, "SV-pfl.Anteil ZVK-Umlage*)", in.supplementaryPensionPart, 12);
    add(out, 0, "Zusätzlicher Jahresbetrag (+/-) lt. Eingabe", in.additionalAnnual, 1);
    if (in.otherEmployers) {
        add(out, 0, "JAE bei anderen Arbeitgebern lt. Eingabe", *in.otherEmployers, 1);
    } else {
        Money monthly = c.key(KeySlot::TaxAllowance) == kAdditionalAmountOption
                            ? Money::fromCents(c.previousAmount(AmountSlot::TaxAllowance))
                            : Money();
        add(out, 24, "JAE bei anderen Arbeitgebern (Prog.Zeile 24 x 12)", monthly, 12);
    }

    const int month = std::clamp(c.monthIndex(), 0, 11);
    out.totalText =
        "Jahresarbeitsentgelt bezogen auf " + std::string(kMonths[month]) + " " + std::to_string(g.year);
    out.limitText = "Jahresarbeitsentgeltgrenze " + std::to_string(g.year);
    out.limit = compulsoryInsuranceLimit(std::clamp(g.year, 2017, 2021), in.exemptOn2002).value_or(Money());

    const int kind = insuranceStatus(g).kvKind;
    out.compulsorilyInsured = !(kind == 1 || kind == 3 || kind == 8 || kind == 11 || kind == 12);
    const bool exceeds = out.total > out.limit;
    if (out.compulsorilyInsured)
        out.verdict = exceeds ? "Überschreitung! Was ist nun zu tun?"
                              : "Noch keine Überschreitung! Es ist nichts zu tun.";
    else
        out.verdict =
            exceeds ? "Keine Unterschreitung! Es ist nichts zu tun." : "Unterschreitung! Was ist nun zu tun?";
    out.notes = {"Bitte Zeile 20 und 22 beachten!",
                 "*) in Zeile 19: Berechnungsweg siehe Klick auf Lupe-Icon in Zeile 28"};
    return out;
}

} // namespace varemo
