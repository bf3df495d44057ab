// varemo20-cli funds --year Y [--json]: the health-fund list of a year as the program ships it, with
// the rates of every month, the Insolvenzgeld levy rate and how far each value is verified.

#include "app/cli_common.h"
#include "app/json_writer.h"
#include "law/fund_table.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

std::string percent(int32_t hundredths) {
    std::ostringstream out;
    out << hundredths / 100 << "," << std::setw(2) << std::setfill('0') << hundredths % 100;
    return out.str();
}

std::string statusText(const FundStatus& s) {
    return std::string(fundValueStatusName(s.additional)) + "/" + fundValueStatusName(s.u1) + "/" +
           fundValueStatusName(s.u2);
}

void printJson(const FundTable& t) {
    std::ostringstream out;
    out << "{\"year\":" << t.year() << ",\"insolvencyRateThousandths\":" << t.insolvencyRate()
        << ",\"funds\":[";
    for (int f = 0; f < kHealthFunds; ++f) {
        out << (f ? "," : "") << "{\"position\":" << f << ",\"name\":" << jsonString(t.name(f))
            << ",\"months\":[";
        for (int m = 0; m < 12; ++m) {
            const FundRates& r = t.rates(f, m);
            const FundStatus& s = t.status(f, m);
            out << (m ? "," : "") << "{\"month\":" << m + 1 << ",\"general\":" << r.general
                << ",\"reduced\":" << r.reduced << ",\"additional\":" << r.additional << ",\"u1\":" << r.u1
                << ",\"u2\":" << r.u2
                << ",\"status\":{\"additional\":" << jsonString(fundValueStatusName(s.additional))
                << ",\"u1\":" << jsonString(fundValueStatusName(s.u1))
                << ",\"u2\":" << jsonString(fundValueStatusName(s.u2)) << "}}";
        }
        out << "]}";
    }
    out << "]}\n";
    std::cout << out.str();
}

// One row per fund and per month in which one of its values changes.
void printText(const FundTable& t) {
    std::ostringstream out;
    out << "Krankenkassen " << t.year() << ", Insolvenzgeldumlage " << t.insolvencyRate() / 1000 << ","
        << std::setw(3) << std::setfill('0') << t.insolvencyRate() % 1000 << std::setfill(' ') << " %\n";
    out << "Pos  Name                                 ab Monat  allg.   erm.    Zusatz  U1      U2      "
           "Status (Zusatz/U1/U2)\n";
    for (int f = 0; f < kHealthFunds; ++f) {
        for (int m = 0; m < 12; ++m) {
            const FundRates& r = t.rates(f, m);
            if (m > 0 && r == t.rates(f, m - 1) && t.status(f, m) == t.status(f, m - 1)) continue;
            std::string name = m == 0 ? t.name(f) : "";
            size_t width = 0;
            for (unsigned char ch : name)
                width += (ch & 0xC0) != 0x80;
            out << std::setw(3) << f << "  " << name << std::string(width < 37 ? 37 - width : 1, ' ')
                << std::setw(8) << m + 1 << "  " << std::left << std::setw(8) << percent(r.general)
                << std::setw(8) << percent(r.reduced) << std::setw(8) << percent(r.additional) << std::setw(8)
                << percent(r.u1) << std::setw(8) << percent(r.u2) << std::right << statusText(t.status(f, m))
                << "\n";
        }
    }
    std::cout << out.str();
}

} // namespace

int runFunds(CliContext& ctx) {
    int year = 0;
    bool json = false;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--year")
            year = r.intValue();
        else if (r.current() == "--json")
            json = true;
        else
            r.unknown();
    }
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year takes " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    FundTable table = FundTable::defaultsFor(year);
    if (json)
        printJson(table);
    else
        printText(table);
    return 0;
}

} // namespace varemo::cli
