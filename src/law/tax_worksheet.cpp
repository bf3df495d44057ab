#include "law/tax_worksheet.h"

#include "law/church_tax.h"

#include <stdexcept>

namespace varemo {
namespace {

// Steps 24 and 26 have no caption of their own elsewhere; theirs follow the neighbours' style.
constexpr std::array<const char*, TaxWorksheet::kSteps> kLabels = {
    "1.  BRUTTOGEHALT",
    "2.   -   davon steuerfrei",
    "3.  +   steuerpflichtige ATV-Umlage",
    "4.  -    davon versteuert AG pauschal",
    "5.  +   steuerpflichtige Sachleistungen",
    "6.  +   steuerpflichtige Geldleistungen",
    "7.   -   AG versteuert pauschal",
    "8.   -   AN versteuert pauschal",
    "9.   -   str.freie Beträge §§ 3, 40 EStG",
    "10. = STEUERPFL. ENTGELT",
    "11. +/- Betrag lt. Lohnsteuerkarte",
    "12.  -  Einmalzahlung",
    "13.  -  Anteil d.Einmalzahl.an 3-4",
    "14. =  zu versteuern vom lfd. Entgelt",
    "15. Nr. 14 = voller Monat",
    "16. Lohnsteuer aus Nr. 15",
    "17. Solizuschl. aus Nr. 15",
    "18. Kirchenstr. aus Nr. 15",
    "19. Pauschale Lohnsteuer aus Nr. 8",
    "20.  5,5 % Solizuschlag aus Nr. 19",
    "21.  0,0 %   Kirchensteuer aus Nr. 19",
    "22. Str.pfl.Entgelt i.d. Vormonaten",
    "23. + 12 restliche Monate ohne Einmalz.",
    "24. = Jahresentgelt ohne Einmalzahlung",
    "25. + Einmalzahlung (Nr.12 + Nr.13)",
    "26. = Jahresentgelt mit Einmalzahlung",
    "27. jeweils +/- Jahresbeträge lt.LStKarte",
    "28. Lohnsteuer aus Nr. 24 mit 27",
    "29. Lohnsteuer aus Nr. 26 mit 27",
    "30. mehr (Nr. 29 minus Nr. 28)",
    "31. 5,5 % Soli-Zuschlag aus Nr. 30",
    "32. 0  % Kirchensteuer aus Nr. 30",
};

size_t index(int step) {
    if (step < 1 || step > TaxWorksheet::kSteps) throw std::out_of_range("tax step " + std::to_string(step));
    return static_cast<size_t>(step - 1);
}

} // namespace

std::string defaultTaxStepLabel(int step) {
    return kLabels[index(step)];
}

TaxWorksheet::TaxWorksheet() {
    clear();
}

Money& TaxWorksheet::amount(int step) {
    return amounts_[index(step)];
}
const Money& TaxWorksheet::amount(int step) const {
    return amounts_[index(step)];
}
const std::string& TaxWorksheet::label(int step) const {
    return labels_[index(step)];
}
void TaxWorksheet::setLabel(int step, std::string text) {
    labels_[index(step)] = std::move(text);
}

void TaxWorksheet::clear() {
    amounts_.fill(Money());
    for (int step = 1; step <= kSteps; ++step)
        labels_[index(step)] = kLabels[index(step)];
    partialMonth_ = false;
}

void TaxWorksheet::setPartialMonth(const std::string& days) {
    partialMonth_ = true;
    setLabel(15, "15. Nr. 14 / " + days + " Tage = je Kalendertag");
    setLabel(16, "16. Lohnsteuer aus Nr. 15 * " + days + " Tage");
    setLabel(17, "17. Kirchenstr. aus Nr. 15 * " + days + " Tage");
    setLabel(18, "18. Solizuschl. aus Nr. 15 * " + days + " Tage");
}

void TaxWorksheet::setFlatChurchRate(int32_t hundredths) {
    if (hundredths == 0)
        setLabel(21, kLabels[index(21)]);
    else
        setLabel(21, "21. " + formatRate(hundredths, 1) + " %   Kirchensteuer aus Nr. 19");
}

void TaxWorksheet::setRemainingMonths(int months) {
    setLabel(23, "23. + " + std::to_string(months) + " restliche Monate ohne Einmalz.");
}

void TaxWorksheet::setChurchRate(int32_t hundredths) {
    setLabel(32, "32. " + formatRate(hundredths, 0) + "  % Kirchensteuer aus Nr. 30");
}

void TaxWorksheet::setCurrentTaxes(Money wageTax, Money surcharge, Money churchTax) {
    amount(16) = wageTax;
    amount(partialMonth_ ? 18 : 17) = surcharge;
    amount(partialMonth_ ? 17 : 18) = churchTax;
}

} // namespace varemo
