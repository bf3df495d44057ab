#include "model/pension_state.h"

#include "law/church_tax.h"

#include <stdexcept>

namespace varemo {
namespace {

constexpr const char* kLabels[PensionWorksheet::kLines] = {
    "1. BRUTTOGEHALT",
    "2. - davon umlagefreie",
    "3. - umlagefr.Anteil i.d.Zuwendung",
    "4. + umlagepflichtige Sachbezüge",
    "5. + umlagepflichtige Geldleistungen",
    "6. - umlagefreie Beträge",
    "7. = Summe",
    "8. Umlagebemessungsgrenze",
    "9. Umlagepflichtiges Entgelt",
    "10. * 1,8 bei ATZ vereinb.ab 1.1.03",
    "11. Umlage des AG aus Nr.10 (0,00 %)",
    ".     ergibt Zusatzumlage (0,00 %)",
    "13. Gesamtumlage (Nr. 11 + 12)",
    "14. Str.frei 0,00 - §3Entg.Umw(0,00)",
    "15. Rest zu versteuern ( Nr. 13 - 14)",
    "16. lt.ATV versteuert AG pauschal",
    "17. Rest zu versteuern durch AN",
    "18. AN verbeitragt voll Nr.13 - Nr.19",
    "19. Ermäß.Verbeitr.Nr14+Nr16, max.100",
    "20. entspricht Entgelt bei 0,00 % Umlagesatz",
    "21. davon sind 2,5 zu verbeitragen",
    "22. - Freibetrag",
    "23. Insgesamt zu verbeitragen (18+21-22)",
    "24. Umlage lt. Nr. 13",
    "25. 20 % Lohnsteuer aus Nr. 16",
    "26. 5,5 % Soli-Zuschlag aus Nr. 25",
    "27. 0,0 % Kirchensteuer aus Nr. 25",
    "28. 0,00 % Sanierungszusch.aus Nr.9",
    "29. 0,00 % Kapitalbeitrag des AG",
    "30. S U M M E  AG-AUFWAND",
    "31. 0,00 % v.Nr.10 AN-Anteil",
};

constexpr const char* kEmployerLabels[kEmployerItems] = {
    " Bruttogehalt",         " KV-AG-Anteil",           " PV-AG-Anteil",
    " RV-AG-Anteil",         " AV-AG-Anteil",           " ATV-Beitrag",
    " ATV/Pens.-Umlage",     " Steuern f. ATV-Umlage",  " KiStr. für ATV-Umlage",
    " ATV-Sanierungsgeld",   " Übernommene Steuern",    " ATZ-Aufstockungsbetrag",
    " Sachbezüge",           " Kalkulatorische Kosten", " Sonst. Geldleistungen",
    " Umlagen (U1, U2, U3)",
};

size_t index(int line) {
    if (line < 1 || line > PensionWorksheet::kLines)
        throw std::out_of_range("pension worksheet line " + std::to_string(line));
    return static_cast<size_t>(line - 1);
}

} // namespace

std::string defaultPensionLineLabel(int line) {
    return kLabels[index(line)];
}

PensionWorksheet::PensionWorksheet() {
    clear();
}

Money& PensionWorksheet::amount(int line) {
    return amounts_[index(line)];
}
const Money& PensionWorksheet::amount(int line) const {
    return amounts_[index(line)];
}
std::string PensionWorksheet::label(int line) const {
    const size_t i = index(line);
    if (!labels_[i].empty()) return labels_[i];
    switch (line) {
    case 11:
        if (levyRate_) return "11. Umlage des AG aus Nr.10 (" + formatPensionRate(*levyRate_) + " %)";
        break;
    case 12:
        if (additionalRate_)
            return ".     ergibt Zusatzumlage (" + formatPensionRate(*additionalRate_) + " %)";
        break;
    case 14:
        switch (taxFree_) {
        case TaxFreeCaption::Capital:
            return "14. Str.frei " + allowance_.toDisplay() + " - §3Nr.63(" + lessFunded_.toDisplay() + ")";
        case TaxFreeCaption::Deferred:
            return "14. Str.frei " + allowance_.toDisplay() + " - §3Entg.Umw(" + lessFunded_.toDisplay() +
                   ")";
        case TaxFreeCaption::NotFirstEmployment:
            return "14. Steuerfreibetrag nur im 1. Arb.Verhält.";
        case TaxFreeCaption::None:
            break;
        }
        break;
    case 20:
        if (levyRate_) return "20. entspricht Entgelt bei " + formatPensionRate(*levyRate_) + " % Umlagesatz";
        break;
    case 27:
        if (churchRate_) return "27. " + formatRate(*churchRate_, 1) + " % Kirchensteuer aus Nr. 25";
        break;
    case 28:
        if (restructuringRate_)
            return "28. " + formatPensionRate(*restructuringRate_) + " % Sanierungszusch.aus Nr.9";
        break;
    case 29:
        if (capitalRate_) return "29. " + formatPensionRate(*capitalRate_) + " % Kapitalbeitrag des AG";
        break;
    case 31:
        switch (share_) {
        case ShareCaption::RateOfLevyPay:
            return "31. " + formatRate(shareValue_, 2) + " % v.Nr.10 AN-Anteil";
        case ShareCaption::Entered:
            return "31. " + employeeShareText(shareValue_);
        case ShareCaption::Hamburg:
            return "31. " + formatRate(shareValue_, 2) + " % RG-Beitrag Hamburg";
        case ShareCaption::None:
            break;
        }
        break;
    default:
        break;
    }
    return kLabels[i];
}
void PensionWorksheet::setLabel(int line, std::string text) {
    labels_[index(line)] = std::move(text);
}

void PensionWorksheet::setLevyRate(int32_t rate) {
    levyRate_ = rate;
}
void PensionWorksheet::setAdditionalLevyRate(int32_t rate) {
    additionalRate_ = rate;
}
void PensionWorksheet::setTaxFreeAllowance(Money allowance, Money lessFunded, bool capital) {
    taxFree_ = capital ? TaxFreeCaption::Capital : TaxFreeCaption::Deferred;
    allowance_ = allowance;
    lessFunded_ = lessFunded;
}
void PensionWorksheet::setNoTaxFreeAllowance() {
    taxFree_ = TaxFreeCaption::NotFirstEmployment;
}
void PensionWorksheet::setFlatChurchRate(int32_t hundredths) {
    churchRate_ = hundredths;
}
void PensionWorksheet::setRestructuringRate(int32_t rate) {
    restructuringRate_ = rate;
}
void PensionWorksheet::setCapitalRate(int32_t rate) {
    capitalRate_ = rate;
}
void PensionWorksheet::setShareCaption(ShareCaption kind, int32_t value) {
    share_ = kind;
    shareValue_ = value;
}

void PensionWorksheet::clear() {
    amounts_.fill(Money());
    additionalBase = Money();
    for (std::string& text : labels_)
        text.clear();
    levyRate_.reset();
    additionalRate_.reset();
    churchRate_.reset();
    restructuringRate_.reset();
    capitalRate_.reset();
    taxFree_ = TaxFreeCaption::None;
    allowance_ = Money();
    lessFunded_ = Money();
    share_ = ShareCaption::None;
    shareValue_ = 0;
}

bool PensionWorksheet::operator==(const PensionWorksheet& other) const {
    if (amounts_ != other.amounts_ || additionalBase != other.additionalBase) return false;
    for (int line = 1; line <= kLines; ++line)
        if (label(line) != other.label(line)) return false;
    return true;
}

const char* employerItemLabel(EmployerItem item) {
    int i = static_cast<int>(item);
    if (i < 0 || i >= kEmployerItems) throw std::out_of_range("employer cost item");
    return kEmployerLabels[i];
}

} // namespace varemo
