// The slot vocabulary against the line table and the month record, and the service-relationship
// questions against the shipped catalogue.

#include "model/sheet.h"
#include "persistence/month_record.h"
#include "tariffs/service_relationship.h"
#include "tariffs/tariff_sources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <vector>

using namespace varemo;

namespace {

std::set<AmountSlot> amountsOfLines(int first, int last, std::set<int> except = {}) {
    std::set<AmountSlot> out;
    for (int line = first; line <= last; ++line)
        if (!except.count(line)) out.insert(lineInfo(line).amount.value());
    return out;
}

std::set<AmountSlot> slotSet(AmountSlot first, AmountSlot last) {
    std::set<AmountSlot> out;
    for (AmountSlot s : slotsFrom(first, last))
        out.insert(s);
    return out;
}

} // namespace

TEST(Slots, NamedStretchesAreTheLinesTheySayTheyAre) {
    EXPECT_EQ(slotSet(slots::kFirstTax, slots::kLastTax), amountsOfLines(34, 36));
    EXPECT_EQ(slotSet(slots::kFirstContribution, slots::kLastContribution), amountsOfLines(37, 41));
    // The net pay takes lines 34 to 46 but adds the child benefit (line 43) on its own.
    EXPECT_EQ(slotSet(slots::kFirstDeduction, slots::kLastDeduction), amountsOfLines(34, 46, {43}));
    std::vector<AmountSlot> walked;
    for (AmountSlot s : slotsFrom(AmountSlot::RegularHours, AmountSlot::PaidDays))
        walked.push_back(s);
    EXPECT_EQ(walked, (std::vector<AmountSlot>{AmountSlot::RegularHours, AmountSlot::AgreedHours,
                                               AmountSlot::MonthDays, AmountSlot::PaidDays}));
    EXPECT_TRUE(slots::isWorkingTime(AmountSlot::PaidDays));
    EXPECT_FALSE(slots::isWorkingTime(AmountSlot::Reserved4));
}

TEST(Slots, NumbersFromOutsideAreCheckedAgainstTheArrays) {
    EXPECT_EQ(keySlotNumbered(0), KeySlot{0});
    EXPECT_EQ(keySlotNumbered(55), KeySlot::FlatTaxLimitChoice);
    EXPECT_FALSE(keySlotNumbered(56));
    EXPECT_FALSE(keySlotNumbered(-1));
    EXPECT_EQ(amountSlotNumbered(65), AmountSlot{65});
    EXPECT_FALSE(amountSlotNumbered(66));
    EXPECT_FALSE(amountSlotNumbered(-1));
}

TEST(Slots, RecordOffsetsAreWhereTheRecordPacksTheSlot) {
    Case c = defaultCase();
    c.setKey(KeySlot::OldAgeRelief, 7);
    c.setKey(KeySlot::FlatTaxLimitChoice, 5);
    c.setAmount(AmountSlot::NetPay, -123456);
    c.setAmount(AmountSlot::ClassIVFactor, 987);
    const RecordBuffer r = packMonthRecord(c);
    EXPECT_EQ(month_record::keyOffset(KeySlot::OldAgeRelief), 60u); // what the year transfer patches
    EXPECT_EQ(r.i16(month_record::keyOffset(KeySlot::OldAgeRelief)), 7);
    EXPECT_EQ(r.i16(month_record::keyOffset(KeySlot::FlatTaxLimitChoice)), 5);
    EXPECT_EQ(r.i32(month_record::amountOffset(AmountSlot::NetPay)), -123456);
    EXPECT_EQ(r.i32(month_record::amountOffset(AmountSlot::ClassIVFactor)), 987);
}

TEST(ServiceRelationships, AgreeWithTheShippedCatalogue) {
    std::ifstream in(std::string(VAREMO_SOURCE_DATA_DIR) + "/catalogue/service-relationships.tsv");
    ASSERT_TRUE(in);
    const auto catalogue = parseServiceRelationshipCatalogue(in);
    ASSERT_EQ(catalogue.size(), 39u);
    for (const auto& sr : catalogue) {
        SCOPED_TRACE(sr.name);
        EXPECT_EQ(isCivilServant(sr.code), sr.kind == ServiceKind::CivilServant);
        EXPECT_EQ(isEmployee(sr.code), sr.kind == ServiceKind::Employee);
        EXPECT_EQ(payFamily(sr.code) == PayFamily::None, sr.kind == ServiceKind::None);
        if (isWithoutPayTable(sr.code)) {
            EXPECT_TRUE(sr.tables.empty());
        }
        EXPECT_EQ(usesPayTables(sr.code), isCivilServant(sr.code) || isTariffEmployee(sr.code));
        EXPECT_EQ(paysContributions(sr.code),
                  !isCivilServant(sr.code) && sr.code != kServiceRelationshipNoPay);
        const bool tvl = sr.name.find("TV-L") != std::string::npos && sr.code != relationship::kTrainees;
        EXPECT_EQ(payFamily(sr.code) == PayFamily::Tvl, tvl);
        EXPECT_EQ(payFamily(sr.code) == PayFamily::TvoedBund, sr.name == "TVöD Bund");
        EXPECT_EQ(payFamily(sr.code) == PayFamily::TvoedVka,
                  sr.name.rfind("TVöD", 0) == 0 && sr.name != "TVöD Bund");
    }
    EXPECT_EQ(catalogue[relationship::kNoPay].name, "Ohne laufende Bezüge");
    EXPECT_EQ(catalogue[relationship::kTrainees].name, "TVAöD/TV-L Auszubildende(r)");
    EXPECT_TRUE(isPayOrderA(relationship::kPayOrderAOwnTitle));
    EXPECT_FALSE(isPayOrderA(relationship::kCivilOwnTable));
    EXPECT_TRUE(isFederalCivilServant(relationship::kPayOrderR, kRegionFederal));
    EXPECT_FALSE(isFederalCivilServant(relationship::kTvoedBund, kRegionFederal));
    EXPECT_FALSE(isFederalCivilServant(relationship::kPayOrderR, 1));
}

TEST(ServiceRelationships, AverageSpecialPaymentBaseFromTvoedBundToTheOwnTable) {
    EXPECT_FALSE(hasAverageSpecialPaymentBase(relationship::kPayOrderAOwnTitle));
    EXPECT_FALSE(hasAverageSpecialPaymentBase(relationship::kTvlSocial)); // September alone
    EXPECT_TRUE(hasAverageSpecialPaymentBase(relationship::kTvoedBund));
    EXPECT_TRUE(hasAverageSpecialPaymentBase(relationship::kEmployeeOwnTable));
    EXPECT_FALSE(hasAverageSpecialPaymentBase(relationship::kAgreedSalary));
}
