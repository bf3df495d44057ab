#pragma once
// Sessions for the pay tests: one on the tariff and text files the build generated, one on a temporary
// program folder whose tariff files a test writes itself.

#include "pay/basic_pay.h"
#include "session/case_load.h"
#include "support/session.h"
#include "tariffs/tariff_file.h"

namespace varemo::test {

// The case-month (year, month 1 to 12) on the shipped tables of the build tree; the case files live in
// the session's temporary folder.
struct ShippedSession : TestSession {
    ShippedSession(int year, int month) : TestSession(year, DataSet::Real, 1, month) {
        g.programDir = VAREMO_BUILD_DIR;
        OpenPayTables(g);
        LoadCaseMonth(g);
    }

    Case& c() { return g.workingCase; }
    void setCase(int region, int relationship, int group, int step) {
        c().setKey(KeySlot::Region, static_cast<int16_t>(region));
        c().setKey(KeySlot::ServiceRelationship, static_cast<int16_t>(relationship));
        c().setKey(KeySlot::PayGroup, static_cast<int16_t>(group));
        c().setKey(KeySlot::Step, static_cast<int16_t>(step));
    }
    void setMonth(int month) { c().setKey(KeySlot::Month, static_cast<int16_t>(month - 1)); }
    // Runs the tariff lookup of the month and returns line 8.
    int32_t basicPay() {
        TariffLookup(g);
        return c().amount(AmountSlot::BasicPay);
    }
};

// A session on its own temporary program folder; write() puts rows into its tariff files.
struct OwnTablesSession : TestSession {
    explicit OwnTablesSession(int year = 2020, int month = 1) : TestSession(year, DataSet::Real, 1, month) {
        LoadCaseMonth(g);
    }
    void write(int month, int64_t record, const TariffRow& row) {
        std::filesystem::create_directories(g.programDir / "Tarife");
        TariffFile(tariffFilePath(g.programDir, g.year, month)).write(record, row);
        // Every month of the year exists, as in a real program folder.
        for (int m = 1; m <= 12; ++m) {
            TariffFile file(tariffFilePath(g.programDir, g.year, m));
            if (!file.exists()) file.write(1, TariffRow{});
        }
        OpenPayTables(g);
    }
    Case& c() { return g.workingCase; }
};

} // namespace varemo::test
