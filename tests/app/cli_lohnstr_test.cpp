// End-to-end tests of varemo20-cli lohnstr (the flow chart alone) and of sheet --detail tax.

#include "support/cli_runner.h"
#include "support/json.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using varemo::test::Json;
using varemo::test::parseJson;

namespace {

using Result = varemo::test::CliResult;

Result run(const std::vector<std::string>& args) {
    return varemo::test::runCli(args);
}

std::vector<std::string> split(std::string line, char sep) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    while (std::getline(in, cell, sep))
        cells.push_back(cell);
    return cells;
}

// NAME=VALUE lines into a map.
std::map<std::string, std::string> outputs(const std::string& text) {
    std::map<std::string, std::string> values;
    for (const std::string& line : split(text, '\n')) {
        auto eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

const char* const kOutputs[] = {"BK",     "BKS",    "BKV",   "LSTLZZ", "SOLZLZZ",  "SOLZS",
                                "SOLZV",  "STS",    "STV",   "VKVLZZ", "VKVSONST", "VFRB",
                                "VFRBS1", "VFRBS2", "WVFRB", "WVFRBO", "WVFRBM"};

} // namespace

// Vector #8 of the reference: 2019, LZZ 2, RE4 400000, STKL 4, ZKF 1, R 0, KRV 1, KVZ 0.90, af 1,
// f 0.950 → LSTLZZ 65800, SOLZLZZ 3055. Names are taken in either case; af and f default to 1.
TEST(CliLohnstr, NamesDefaultsAndJson) {
    const std::vector<std::string> base = {"lohnstr", "--year", "2019",  "LZZ=2",   "RE4=400000",
                                           "STKL=4",  "ZKF=1",  "KRV=1", "KVZ=0.90"};
    auto with = [&base](std::initializer_list<std::string> more) {
        std::vector<std::string> args = base;
        args.insert(args.end(), more);
        return args;
    };
    Result text = run(with({"af=1", "f=0.950"}));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(outputs(text.out).at("LSTLZZ"), "65800");
    EXPECT_EQ(outputs(text.out).at("SOLZLZZ"), "3055");
    EXPECT_EQ(text.out.substr(0, 3), "BK=");
    EXPECT_EQ(outputs(run(with({"AF=1", "F=0.950"})).out).at("LSTLZZ"), "65800");
    EXPECT_EQ(outputs(run(base).out).at("LSTLZZ"), "69266") << "f is 1.000 unless named (vector #9)";

    Result json = run(with({"f=0.950", "--json"}));
    ASSERT_EQ(json.status, 0) << json.err;
    Json j = parseJson(json.out);
    EXPECT_EQ(j["LSTLZZ"].integer(), 65800);
    EXPECT_EQ(j["SOLZLZZ"].integer(), 3055);
    EXPECT_EQ(j["BK"].integer(), 0);
    EXPECT_EQ(j.object.size(), std::size(kOutputs));
}

TEST(CliLohnstr, UsageErrors) {
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "RE4=300000", "STKL=1"}).status, 2) << "LZZ missing";
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "LZZ=2", "RE4=300000"}).status, 2) << "STKL missing";
    EXPECT_EQ(run({"lohnstr", "--year", "2016", "LZZ=2", "STKL=1"}).status, 2);
    EXPECT_EQ(run({"lohnstr", "LZZ=2", "STKL=1"}).status, 2) << "no year";
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "LZZ=2", "STKL=7"}).status, 2);
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "LZZ=2", "STKL=1", "XYZ=1"}).status, 2);
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "LZZ=2", "STKL=1", "RE4=12,5"}).status, 2);
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "LZZ=2", "STKL=1", "RE4=-100"}).status, 2) << "below 0";
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "LZZ=2", "STKL=1", "KVZ=x"}).status, 2);
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "LZZ=2", "STKL=1", "lzz=1"}).status, 2) << "named twice";
    Result ok = run({"lohnstr", "--year", "2020", "LZZ=2", "STKL=1"});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(outputs(ok.out).at("LSTLZZ"), "0");
}

// The worksheet of a case-month with 3,000.00 on line 13; lines 34 to 36 of the sheet are its
// steps 16 to 18.
TEST(CliLohnstr, SheetDetailTaxPrintsTheWorksheet) {
    varemo::test::TempDir dir;
    auto command = [&dir](const std::string& name, std::initializer_list<std::string> more) {
        std::vector<std::string> args = varemo::test::caseMonthArgs(dir.path(), name, 2020, 1);
        args.insert(args.end(), more);
        return args;
    };
    Result set = run(command("set", {"--amount", "12=3000", "--key", "36=1", "--json"}));
    ASSERT_EQ(set.status, 0) << set.err;
    Json sheet = parseJson(set.out);

    Result detail = run(command("sheet", {"--detail", "tax", "--json"}));
    ASSERT_EQ(detail.status, 0) << detail.err;
    Json j = parseJson(detail.out);
    EXPECT_EQ(j["title"].string, "Berechnung der Steuern");
    ASSERT_EQ(j["steps"].array.size(), 32u);
    EXPECT_EQ(j["steps"][0]["label"].string, "1.  BRUTTOGEHALT");
    EXPECT_EQ(j["steps"][9]["label"].string, "10. = STEUERPFL. ENTGELT");
    EXPECT_EQ(j["steps"][9]["amount"].number, 3000.0);
    EXPECT_GT(j["steps"][15]["amount"].number, 0.0);
    EXPECT_EQ(sheet["lines"][33]["amountCents"].integer(),
              -static_cast<long long>(j["steps"][15]["amount"].number * 100 + 0.5));
    EXPECT_EQ(sheet["lines"][35]["amountCents"].integer(),
              -static_cast<long long>(j["steps"][17]["amount"].number * 100 + 0.5));
    EXPECT_EQ(j["adjustment"]["status"].string, "notRequested");

    Result text = run(command("sheet", {"--detail", "tax"}));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Berechnung der Steuern"), std::string::npos);
    EXPECT_NE(text.out.find("Steuerberechnung aus der Einmalzahlung\n22. Str.pfl.Entgelt i.d. Vormonaten"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("32. 9  % Kirchensteuer aus Nr. 30"), std::string::npos);

    EXPECT_EQ(run(command("sheet", {"--detail", "nothing"})).status, 2);
}

// The batch form reads each vector file as it is (year, label and expected-output columns included)
// and must print, for every row, exactly the outputs the file expects.
TEST(CliLohnstrCsv, EveryVectorFileAsItIs) {
    int rowsChecked = 0;
    for (const char* kind : {"official", "pap"}) {
        for (int year = 2017; year <= 2021; ++year) {
            const std::string path =
                std::string(VAREMO_TEST_DATA) + "/wagetax/" + kind + "_" + std::to_string(year) + ".csv";
            const Result result = run({"lohnstr", "--csv", path});
            ASSERT_EQ(result.status, 0) << path << ": " << result.err;
            std::ifstream in(path);
            std::string line;
            std::getline(in, line);
            const std::vector<std::string> header = split(line, ',');
            std::map<int, std::vector<std::string>> expected; // by line number in the file
            for (int number = 2; std::getline(in, line); ++number)
                if (!line.empty()) expected[number] = split(line, ',');

            std::stringstream printed(result.out);
            std::getline(printed, line);
            const std::vector<std::string> outHeader = split(line, ',');
            ASSERT_EQ(outHeader.size(), 1 + std::size(kOutputs));
            EXPECT_EQ(outHeader[0], "line");
            size_t rows = 0;
            while (std::getline(printed, line)) {
                const std::vector<std::string> cells = split(line, ',');
                ASSERT_EQ(cells.size(), outHeader.size()) << line;
                const auto row = expected.find(std::stoi(cells[0]));
                ASSERT_NE(row, expected.end()) << path << ": no input line " << cells[0];
                for (size_t o = 1; o < outHeader.size(); ++o)
                    for (size_t c = 0; c < header.size(); ++c)
                        if (header[c] == outHeader[o]) {
                            EXPECT_EQ(cells[o], row->second[c])
                                << path << " line " << cells[0] << " " << header[c];
                        }
                ++rows;
            }
            EXPECT_EQ(rows, expected.size()) << path;
            rowsChecked += static_cast<int>(rows);
        }
    }
    EXPECT_GT(rowsChecked, 3900);
}

// Without a year column --year applies; af and f default to 1 (vectors #8 and #9 above). A bad cell
// or an unknown column stops the command with the line named and prints no row at all.
TEST(CliLohnstrCsv, DefaultsAndRefusals) {
    varemo::test::TempDir dir;
    auto write = [&dir](const std::string& name, const std::string& text) {
        const std::string path = (dir.path() / name).string();
        std::ofstream(path) << text;
        return path;
    };
    const std::string good = write("good.csv", "lzz,RE4,STKL,ZKF,KRV,KVZ,F\r\n"
                                               "2,400000,4,1,1,0.90,0.950\r\n"
                                               "\r\n"
                                               "2,400000,4,1,1,0.90,1\r\n");
    Result result = run({"lohnstr", "--year", "2019", "--csv", good});
    ASSERT_EQ(result.status, 0) << result.err;
    std::stringstream printed(result.out);
    std::string line;
    std::getline(printed, line);
    const std::vector<std::string> header = split(line, ',');
    ASSERT_EQ(header.size(), 18u);
    EXPECT_EQ(header[4], "LSTLZZ");
    std::getline(printed, line);
    EXPECT_EQ(split(line, ',')[0], "2");
    EXPECT_EQ(split(line, ',')[4], "65800");
    EXPECT_EQ(split(line, ',')[5], "3055");
    std::getline(printed, line);
    EXPECT_EQ(split(line, ',')[0], "4") << "line numbers count the empty line";
    EXPECT_EQ(split(line, ',')[4], "69266");
    EXPECT_EQ(run({"lohnstr", "--csv", good}).status, 2) << "no year anywhere";

    const std::string badCell = write("bad.csv", "LZZ,RE4,STKL\n2,300000,1\n2,12.5,1\n");
    result = run({"lohnstr", "--year", "2020", "--csv", badCell});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("line 3"), std::string::npos) << result.err;

    for (const std::string& text :
         {std::string("LZZ,RE4,STKL,XYZ\n2,1,1,1\n"), std::string("RE4,STKL\n1,1\n"),
          std::string("LZZ,RE4,STKL\n2,1\n"), std::string("LZZ,STKL\n2,7\n")}) {
        result = run({"lohnstr", "--year", "2020", "--csv", write("refused.csv", text)});
        EXPECT_EQ(result.status, 2) << text;
        EXPECT_EQ(result.out, "") << text;
    }
    EXPECT_EQ(run({"lohnstr", "--year", "2020", "--csv", (dir.path() / "missing.csv").string()}).status, 2);
}
