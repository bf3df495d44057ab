#include "law/church_tax.h"

namespace varemo {

ChurchTaxTable shippedChurchTax(int year) {
    ChurchTaxTable table{};
    for (const ShippedChurchTaxRow& row : shippedChurchTaxRows())
        if (row.year == year && row.region >= 0 && row.region < kRegionCount)
            table[static_cast<size_t>(row.region)] = row.values;
    return table;
}

int32_t ChurchTaxRate(int churchOption, int denomination) {
    if (denomination == 6) return 0;
    switch (churchOption) {
    case 0:
        return 800;
    case 1:
        return 900;
    case 4:
        return 700;
    case 5:
        return 600;
    case 6:
        return 500;
    case 7:
        return 400;
    default:
        return 0;
    }
}

int defaultChurchOption(int region, int year) {
    if (region < 0 || region >= kRegionCount) return 1;
    return shippedChurchTax(year)[static_cast<size_t>(region)].rateHundredths == 800 ? 0 : 1;
}

std::string formatRate(int32_t hundredths, int minDecimals) {
    std::string sign = hundredths < 0 ? "-" : "";
    int64_t value = hundredths < 0 ? -static_cast<int64_t>(hundredths) : hundredths;
    std::string text = sign + std::to_string(value / 100);
    int64_t fraction = value % 100;
    if (fraction == 0 && minDecimals == 0) return text;
    std::string digits = {static_cast<char>('0' + fraction / 10), static_cast<char>('0' + fraction % 10)};
    while (static_cast<int>(digits.size()) > minDecimals && digits.back() == '0')
        digits.pop_back();
    return digits.empty() ? text : text + "," + digits;
}

} // namespace varemo
