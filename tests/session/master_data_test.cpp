#include "session/master_data.h"

#include <gtest/gtest.h>

namespace varemo {
namespace {

// § 139b AO with ISO 7064 MOD 11,10 for 12345678995, the product p starting at 10, per digit d:
// s = (d + p) mod 10 (0 counts as 10), p = 2s mod 11:
//   1: s 1 p 2;  2: s 4 p 8;  3: s 1 p 2;  4: s 6 p 1;  5: s 6 p 1;  6: s 7 p 3;  7: s 10 p 9;
//   8: s 7 p 3;  9: s 2 p 4;  9: s 3 p 6;  check digit 11 − 6 = 5.
TEST(MasterDataTest, TaxIdsAreCheckedAsTheLawSays) {
    struct Row {
        const char* taxId;
        const char* refusal; // part of the message, empty when valid
    };
    const Row rows[] = {
        {"12345678995", ""},
        {"86095742719", ""},
        {"11213456783", ""}, // 1 three times, not in a row
        {"12345678990", "Prüfziffer"},
        {"1234567899", "11 Ziffern"},
        {"1234567899A", "11 Ziffern"},
        {"02345678995", "nicht mit 0"},
        {"12345678901", "genau eine"}, // no digit repeated
        {"11223456789", "genau eine"}, // two digits repeated
        {"11123456789", "hintereinander"},
    };
    for (const Row& r : rows) {
        const auto refusal = taxIdRefusal(r.taxId);
        if (*r.refusal == '\0')
            EXPECT_FALSE(refusal) << r.taxId << ": " << *refusal;
        else
            EXPECT_TRUE(refusal && refusal->find(r.refusal) != std::string::npos) << r.taxId;
    }
}

// ISO 13616: DE89370400440532013000 → 370400440532013000 DE 89 → 370400440532013000 1314 89, mod 97 = 1.
TEST(MasterDataTest, IbansAndBicsAreCheckedByTheirStandards) {
    EXPECT_FALSE(ibanRefusal("DE89370400440532013000"));
    EXPECT_FALSE(ibanRefusal("de89 3704 0044 0532 0130 00"));
    EXPECT_FALSE(ibanRefusal("GB82WEST12345698765432"));
    EXPECT_NE(ibanRefusal("DE89370400440532013001")->find("Prüfsumme"), std::string::npos);
    EXPECT_NE(ibanRefusal("DE8937040044053201300")->find("22 Zeichen"), std::string::npos);
    EXPECT_TRUE(ibanRefusal("DE89-3704-0044-0532-0130-00"));
    EXPECT_TRUE(ibanRefusal("8937040044053201300012"));
    EXPECT_FALSE(bicRefusal("COBADEFFXXX"));
    EXPECT_FALSE(bicRefusal("COBADEFF"));
    EXPECT_TRUE(bicRefusal("COBADEF"));
    EXPECT_TRUE(bicRefusal("C0BADEFF"));

    MasterData d;
    d.birthday = "29.02.1971";
    EXPECT_NE(masterDataRefusal(d, 2020)->find("Geburtstag"), std::string::npos);
    d.birthday = "29.02.1972";
    EXPECT_FALSE(masterDataRefusal(d, 2020));
    d.address1 = std::string(36, 'x');
    EXPECT_NE(masterDataRefusal(d, 2020)->find("höchstens 35"), std::string::npos);
    d.address1 = "Straße 1 \u20ac"; // the euro sign has a Windows-1252 code
    EXPECT_FALSE(masterDataRefusal(d, 2020));
    d.address1 = "\u0141\u00f3d\u017a"; // Polish letters have none
    EXPECT_TRUE(masterDataRefusal(d, 2020));
}

// A new case starts from the model case's year record, which may have been a person's: it keeps the
// birthday (as before) but not the tax ID or the bank account.
TEST(MasterDataTest, ANewCaseDoesNotInheritThePersonOfTheModelCase) {
    YearRecord model;
    model.setServiceDate(YearRecord::ServiceDate::Birthday, "01.02.1970");
    model.setPersonText(YearRecord::PersonText::TaxId, "12345678995");
    model.setPersonText(YearRecord::PersonText::Iban, "DE89370400440532013000");
    model.clearNewCaseFields();
    EXPECT_EQ(model.personText(YearRecord::PersonText::TaxId), "");
    EXPECT_EQ(model.personText(YearRecord::PersonText::Iban), "");
    EXPECT_EQ(model.serviceDate(YearRecord::ServiceDate::Birthday), "01.02.1970");
}

} // namespace
} // namespace varemo
