#pragma once
// The annual-earnings check (§ 6 Abs. 1 Nr. 1 SGB V): the expected regular annual pay of the case
// against the year's compulsory-insurance limit (Jahresarbeitsentgeltgrenze).
//
// The expected pay: each current pay line 8 to 17 marked "S" × 12, holiday pay (line 18) once, the
// base for the annual special payment once, the part of the supplementary-pension levy subject to
// contributions × 12, an additional annual amount typed by the user, and the pay with other employers
// (typed, or the additional amount of line 24, position "Monatl. Hinzurechnungsbetrag", × 12).
// One-time payments of line 20 are shown with the multiplier 0: they count only where they are due
// every year, which the user decides ("Bitte Zeile 20 und 22 beachten!").
//
// The verdict: a compulsorily insured employee whose pay exceeds the limit gets "Überschreitung! Was
// ist nun zu tun?", otherwise "Noch keine Überschreitung! Es ist nichts zu tun."; an employee insured
// privately or voluntarily (KV kinds 1, 3, 8, 11 and 12) whose pay does not exceed the limit gets
// "Unterschreitung! Was ist nun zu tun?", otherwise "Keine Unterschreitung! Es ist nichts zu tun.".

#include "model/globaldaten.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

struct AnnualEarningsRow {
    int line = 0;       // the sheet line, 0 for rows that are no sheet line
    std::string text;   // "Bezeichnung"
    Money amount;       // "Betrag"
    int multiplier = 0; // "Multiplikator"
    Money annual;       // "Jahresbetrag"
};

struct AnnualEarningsInput {
    Money specialPaymentBase;       // the expected annual special payment
    Money supplementaryPensionPart; // monthly part of the supplementary-pension levy subject to contributions
    Money additionalAnnual;         // "Zusätzlicher Jahresbetrag (+/-) lt. Eingabe"
    std::optional<Money> otherEmployers; // typed annual pay with other employers
    bool exemptOn2002 = false;           // "Bereits am 31.12.2002 versicherungsfrei"
};

struct AnnualEarningsCheck {
    std::string heading; // "Berechnung des Jahresarbeitsentgelts für " + name
    std::string legalReference = "§ 6 SGB V";
    std::vector<AnnualEarningsRow> rows;
    std::string totalText; // "Jahresarbeitsentgelt bezogen auf " + month and year
    Money total;
    std::string limitText; // "Jahresarbeitsentgeltgrenze " + year
    Money limit;
    bool compulsorilyInsured = true;
    std::string verdict;
    std::vector<std::string> notes;
};

AnnualEarningsCheck annualEarningsCheck(const Globaldaten& g, const AnnualEarningsInput& in);

} // namespace varemo
