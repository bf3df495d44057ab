#include "tariffs/tariff_sources.h"

#include "support/temp_dir.h"
#include "tariffs/multipliers.h"
#include "tariffs/tariff_address.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace varemo {
namespace {

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A catalogue of codes 0 to 38; `lines` replaces the rows of the codes it names.
std::string catalogue(const std::map<int, std::string>& lines) {
    std::string text = "code\tname\tkind\ttable\tgroups\n";
    for (int code = 0; code < kServiceRelationships; ++code) {
        auto it = lines.find(code);
        text += it != lines.end() ? it->second : std::to_string(code) + "\tReserve\tnone\t-\t-";
        text += "\n";
    }
    return text;
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TariffSourceError& e) {
        return e.what();
    }
    return "no error";
}

class TariffSourcesTest : public ::testing::Test {
  protected:
    void writeData(const std::map<int, std::string>& codes, const std::string& index,
                   const std::map<std::string, std::string>& csvs) {
        writeText(dir_.path() / "catalogue" / "service-relationships.tsv", catalogue(codes));
        writeText(dir_.path() / "catalogue" / "pay-tables.tsv", "table\tcontent\tregions\tgaps\n" + index);
        for (const auto& [name, text] : csvs)
            writeText(dir_.path() / "paytables" / (name + ".csv"), "valid_from,group,step,amount\n" + text);
    }

    test::TempDir dir_;
};

TEST_F(TariffSourcesTest, BuildsStepsFlatAmountsAndFamilyAllowance) {
    writeData(
        {{0, "0\tA\tcivil\tsteps_a|family\tA2|-|A4"},
         {5, "5\tCandidates\tcivil\tflat_c\tLOW|HIGH"},
         {10, "10\tE\temployee\tsteps_e\tE1|E2"}},
        "steps_a\tsteps\t0,3\t-\nfamily\tfamily\t0\t-\nflat_c\tflat\t0\t-\nsteps_e\tsteps\t1-2\t-\n",
        {{"steps_a", "2020-01,A2,1,2000.00\n2020-01,A2,8,2800.01\n2020-01,A3,1,3000.00\n"
                     "2020-01,A4,1,4000.00\n"},
         {"family", "2020-01,VERHEIRATET,0,150.00\n2020-01,KIND,1,100.00\n2020-01,KIND,2,110.00\n"
                    "2020-01,KIND,3,300.00\n2020-01,ERHOEHUNG_A4,1,5.00\n2020-01,ERHOEHUNG_A4,2,20.00\n"},
         {"flat_c", "2020-01,HIGH,0,1500.50\n"},
         {"steps_e", "2020-01,E1,2,1800.00\n2020-01,E2,1,1900.00\n"}});
    auto sources = TariffSources::load(dir_.path());
    auto image = buildTariffMonth(sources, 2020, 1);

    auto a2 = image.row(1); // region 0, base 1, position 0
    EXPECT_EQ(a2[0], 200000);
    EXPECT_EQ(a2[7], 280001);
    EXPECT_EQ(a2[16], 15000);
    EXPECT_EQ(a2[17], 10000);
    EXPECT_EQ(a2[18], 21000);
    EXPECT_EQ(a2[22], 21000 + 4 * 30000);
    EXPECT_EQ(image.row(2), TariffRow{}) << "position 1 is unused";
    auto a4 = image.row(3);
    EXPECT_EQ(a4[0], 400000);
    EXPECT_EQ(a4[17], 10500);
    EXPECT_EQ(a4[18], 10500 + 11000 + 2000);
    EXPECT_EQ(a4[19], a4[18] + 32000);
    // Steps for region 3, but the family allowance only for region 0.
    EXPECT_EQ(image.row(3 * 440 + 3)[0], 400000);
    EXPECT_EQ(image.row(3 * 440 + 3)[16], 0);

    EXPECT_EQ(image.row(52), TariffRow{});      // LOW has no amount
    EXPECT_EQ(image.row(53)[0], 150050);        // HIGH, flat at entry 0
    EXPECT_EQ(image.row(440 + 160)[0], 0);      // E1 begins at step 2 ...
    EXPECT_EQ(image.row(440 + 160)[1], 180000); // ... which is entry 1
    EXPECT_EQ(image.row(2 * 440 + 161)[0], 190000);
    EXPECT_EQ(image.row(160), TariffRow{}); // not in region 0
    EXPECT_EQ(image.rows().rbegin()->first, 3 * 440 + 3);

    // No block before 2020: nothing at all.
    EXPECT_TRUE(buildTariffMonth(sources, 2019, 12).rows().empty());

    writeTariffFiles(sources, dir_.path() / "prog", 2020, 2020);
    auto path = tariffFilePath(dir_.path() / "prog", 2020, 1);
    EXPECT_EQ(std::filesystem::file_size(path), (3 * 440 + 3) * 108u);
    EXPECT_EQ(TariffFile(path).read(3), a4);
    EXPECT_TRUE(std::filesystem::exists(tariffFilePath(dir_.path() / "prog", 2020, 12)));

    // The file tells the cells the tables leave out from amounts: E1 has no step 1, A2 no step 2, the
    // base amount of the family allowance is a real 0; a position without a group has no record.
    TariffFile file(path);
    EXPECT_EQ(file.readRecord(440 + 160).amount(0), std::nullopt);
    EXPECT_EQ(file.readRecord(440 + 160).amount(1), 180000);
    EXPECT_EQ(file.readRecord(1).amount(1), std::nullopt);
    EXPECT_EQ(file.readRecord(1).amount(15), 0);
    EXPECT_EQ(file.readRecord(1).amount(16), 15000);
    EXPECT_FALSE(file.readRecord(2).hasAnyAmount());
    EXPECT_FALSE(file.readRecord(52).hasAnyAmount());
}

TEST_F(TariffSourcesTest, FixedSalariesBesideStepsAndTheOriginOfEachEntry) {
    // R1 with steps, R3 a fixed salary (step 0) in the same table: the fixed amount is entry 0.
    writeData({{4, "4\tR\tcivil\tr|family\tR1|R2|R3"}}, "r\tsteps\t0\t-\nfamily\tfamily\t0\t-\n",
              {{"r", "2020-03,R1,1,4000.00\n2020-03,R1,2,4100.00\n2020-03,R3,0,6000.00\n"},
               {"family", "2020-01,VERHEIRATET,0,150.00\n"}});
    auto sources = TariffSources::load(dir_.path());
    auto image = buildTariffMonth(sources, 2020, 3);
    EXPECT_EQ(image.row(39)[1], 410000);
    EXPECT_EQ(image.row(41)[0], 600000);
    // The fixed salary, the family allowance's base amount (a real 0) and its married amount.
    EXPECT_EQ(image.record(41).hasAmount.count(), 3u);

    auto origin = image.originOf(39, 1);
    ASSERT_TRUE(origin);
    EXPECT_EQ(origin->table, "r.csv");
    EXPECT_EQ(tariffMonthText(origin->validFrom), "2020-03");
    EXPECT_EQ(origin->group, "R1");
    EXPECT_EQ(origin->step, 2);
    EXPECT_EQ(image.originOf(41, 0)->step, 0);
    EXPECT_EQ(image.originOf(39, 16)->table, "family.csv"); // the block of January still applies
    EXPECT_EQ(tariffMonthText(image.originOf(39, 16)->validFrom), "2020-01");
    EXPECT_FALSE(image.originOf(39, 2));
    EXPECT_FALSE(image.originOf(40, 0)) << "R2 has no cell in r.csv";
    EXPECT_TRUE(image.originOf(40, 16)) << "but the family allowance";

    // The same sources from texts (as the command line carries them) build the same month.
    auto fromTexts = TariffSources::fromTexts(
        catalogue({{4, "4\tR\tcivil\tr|family\tR1|R2|R3"}}),
        "table\tcontent\tregions\tgaps\nr\tsteps\t0\t-\nfamily\tfamily\t0\t-\n",
        {{"r",
          "valid_from,group,step,amount\n2020-03,R1,1,4000.00\n2020-03,R1,2,4100.00\n2020-03,R3,0,6000.00\n"},
         {"family", "valid_from,group,step,amount\n2020-01,VERHEIRATET,0,150.00\n"}});
    EXPECT_EQ(buildTariffMonth(fromTexts, 2020, 3).rows(), image.rows());
}

TEST_F(TariffSourcesTest, BlocksGapsAndNoFallback) {
    writeData({{12, "12\tE\temployee\tt\tE1|E2"}}, "t\tsteps\t1\t2019-04..2020-02\n",
              {{"t", "2018-03,E1,1,10.00\n2018-03,E2,1,20.00\n2020-03,E1,1,11.00\n"}});
    auto sources = TariffSources::load(dir_.path());
    const int32_t e1 = 440 + 200, e2 = 440 + 201;
    EXPECT_TRUE(buildTariffMonth(sources, 2018, 2).rows().empty());
    EXPECT_EQ(buildTariffMonth(sources, 2019, 3).row(e1)[0], 1000);
    EXPECT_TRUE(buildTariffMonth(sources, 2019, 4).rows().empty());
    EXPECT_TRUE(buildTariffMonth(sources, 2020, 2).rows().empty());
    auto march = buildTariffMonth(sources, 2020, 3);
    EXPECT_EQ(march.row(e1)[0], 1100);
    EXPECT_EQ(march.row(e2)[0], 0) << "E2 is missing from the 2020-03 block and stays empty";
}

TEST_F(TariffSourcesTest, TwoSourcesForOneEntryConflict) {
    // Codes 0 and 7 share their records: the same amounts are fine, different ones are not.
    writeData({{0, "0\tA\tcivil\ta\tA2"}, {7, "7\tA too\tcivil\tb\tA2"}}, "a\tsteps\t0\t-\nb\tsteps\t0\t-\n",
              {{"a", "2020-01,A2,1,100.00\n"}, {"b", "2020-01,A2,1,100.00\n2020-06,A2,1,100.01\n"}});
    auto sources = TariffSources::load(dir_.path());
    EXPECT_EQ(buildTariffMonth(sources, 2020, 5).row(1)[0], 10000);
    auto error = errorOf([&] { buildTariffMonth(sources, 2020, 6); });
    EXPECT_NE(error.find("record 1 entry 0"), std::string::npos) << error;
    EXPECT_NE(error.find("service relationship 7"), std::string::npos) << error;
}

TEST_F(TariffSourcesTest, RejectsBrokenSources) {
    auto csvError = [](const std::string& text) {
        return errorOf([&] {
            std::istringstream in("valid_from,group,step,amount\n" + text);
            PayTable::parseCsv(in, "x.csv");
        });
    };
    EXPECT_EQ(csvError("2020-01,E1,1,12.345\n"), "x.csv:2: amount not in whole cents: 12.345");
    EXPECT_EQ(csvError("2020-01,E1,1,12.00\n\n2020-01,E1,1,13.00\n"), "x.csv:4: cell given twice: E1 step 1");
    EXPECT_EQ(csvError("2020-13,E1,1,12.00\n"), "x.csv:2: month YYYY-MM expected: 2020-13");

    std::istringstream shortCatalogue("code\tname\tkind\ttable\tgroups\n0\tA\tcivil\t-\t-\n");
    EXPECT_THROW(parseServiceRelationshipCatalogue(shortCatalogue), TariffSourceError);
    std::istringstream badRegions("table\tcontent\tregions\tgaps\nt\tsteps\t0-18\t-\n");
    EXPECT_THROW(parsePayTableIndex(badRegions), TariffSourceError);

    // A gap must end where a block begins; a catalogue may only name known tables.
    writeData({}, "t\tsteps\t1\t2019-04..2019-12\n", {{"t", "2018-03,E1,1,10.00\n2020-03,E1,1,11.00\n"}});
    EXPECT_NE(errorOf([&] { TariffSources::load(dir_.path()); }).find("no block starts after the gap"),
              std::string::npos);
    writeData({{10, "10\tE\temployee\tnothing\tE1"}}, "", {});
    EXPECT_EQ(errorOf([&] { TariffSources::load(dir_.path()); }),
              "service relationship 10 names an unknown table: nothing");
}

TEST(ShippedCatalogue, AgreesWithTheRecordLayout) {
    // The project's own sources: every code with a table keeps its groups inside its records.
    auto sources = TariffSources::load(VAREMO_SOURCE_DATA_DIR);
    ASSERT_EQ(sources.catalogue.size(), 39u);
    EXPECT_EQ(sources.catalogue[8].name, "TV-L/H Pflege");
    EXPECT_EQ(sources.catalogue[9].name, "TV-L/H Sozial und Erziehungsdienst");
    for (const auto& sr : sources.catalogue) {
        EXPECT_EQ(sr.kind, sr.code <= 7    ? ServiceKind::CivilServant
                           : sr.code <= 27 ? ServiceKind::Employee
                                           : ServiceKind::None)
            << sr.code;
        if (sr.code >= 25) {
            EXPECT_TRUE(sr.tables.empty()) << sr.code;
        }
    }
    // Group positions: no two codes share a record (7 deliberately reads the records of 0), and the
    // positions labelled AT are exactly the out-of-tariff groups of the multiplier rule.
    std::map<int32_t, int> owner;
    for (const auto& sr : sources.catalogue) {
        for (size_t position = 0; position < sr.groups.size(); ++position) {
            const int group = static_cast<int>(position);
            auto record = tariffRecordNumber(0, sr.code, group, 2021, 12, 0);
            ASSERT_TRUE(record.has_value()) << sr.code;
            auto [it, fresh] = owner.emplace(*record, sr.code);
            if (!fresh) {
                EXPECT_TRUE(it->second == 0 && sr.code == 7) << sr.code << " meets " << it->second;
            }
            if (sr.kind == ServiceKind::Employee) {
                EXPECT_EQ(isOutOfTariffGroup(sr.code, group, 0), sr.groups[position] == "AT")
                    << sr.code << " " << sr.groups[position];
            }
        }
    }
    // Building every month checks that no two codes write different amounts into one record.
    for (int year = 2017; year <= 2021; ++year)
        for (int month = 1; month <= 12; ++month)
            EXPECT_NO_THROW(buildTariffMonth(sources, year, month));
}

} // namespace
} // namespace varemo
