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
std::string TaxWorksheet::label(int step) const {
    const size_t i = index(step);
    if (!setLabels_[i].empty()) return setLabels_[i];
    switch (step) {
    case 15:
    case 16:
    case 17:
    case 18:
        if (!partialMonth_) break;
        if (step == 15) return "15. Nr. 14 / " + days_ + " Tage = je Kalendertag";
        if (step == 16) return "16. Lohnsteuer aus Nr. 15 * " + days_ + " Tage";
        if (step == 17) return "17. Kirchenstr. aus Nr. 15 * " + days_ + " Tage";
        return "18. Solizuschl. aus Nr. 15 * " + days_ + " Tage";
    case 21:
        if (flatChurchRate_ != 0)
            return "21. " + formatRate(flatChurchRate_, 1) + " %   Kirchensteuer aus Nr. 19";
        break;
    case 23:
        if (remainingMonths_)
            return "23. + " + std::to_string(*remainingMonths_) + " restliche Monate ohne Einmalz.";
        break;
    case 32:
        if (churchRate_) return "32. " + formatRate(*churchRate_, 0) + "  % Kirchensteuer aus Nr. 30";
        break;
    default:
        break;
    }
    return kLabels[i];
}

void TaxWorksheet::setLabel(int step, std::string text) {
    setLabels_[index(step)] = std::move(text);
}

void TaxWorksheet::clear() {
    amounts_.fill(Money());
    for (std::string& text : setLabels_)
        text.clear();
    partialMonth_ = false;
    days_.clear();
    flatChurchRate_ = 0;
    remainingMonths_.reset();
    churchRate_.reset();
}

void TaxWorksheet::setPartialMonth(const std::string& days) {
    partialMonth_ = true;
    days_ = days;
    for (int step = 15; step <= 18; ++step)
        setLabels_[index(step)].clear();
}

void TaxWorksheet::setFlatChurchRate(int32_t hundredths) {
    flatChurchRate_ = hundredths;
    setLabels_[index(21)].clear();
}

void TaxWorksheet::setRemainingMonths(int months) {
    remainingMonths_ = months;
    setLabels_[index(23)].clear();
}

void TaxWorksheet::setChurchRate(int32_t hundredths) {
    churchRate_ = hundredths;
    setLabels_[index(32)].clear();
}

bool TaxWorksheet::operator==(const TaxWorksheet& other) const {
    if (amounts_ != other.amounts_ || partialMonth_ != other.partialMonth_) return false;
    for (int step = 1; step <= kSteps; ++step)
        if (label(step) != other.label(step)) return false;
    return true;
}

void TaxWorksheet::setCurrentTaxes(Money wageTax, Money surcharge, Money churchTax) {
    amount(16) = wageTax;
    amount(partialMonth_ ? 18 : 17) = surcharge;
    amount(partialMonth_ ? 17 : 18) = churchTax;
}

} // namespace varemo
