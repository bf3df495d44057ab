#pragma once
// The parts of the data generator (tools/make_data.cpp), one per readable source of data/. Each reads
// and checks its source and returns what the build writes; a bad row throws DataError naming the file
// and line.

#include "data_source.h"
#include "tariffs/tariff_sources.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace varemo::datagen {

// church-tax/church-tax.tsv → the table behind shippedChurchTaxRows() (law/church_tax.h).
std::string churchTaxCpp(const SourceText& tsv);

// health-funds/funds.tsv → the table behind shippedFundRows() (law/fund_table.h).
std::string healthFundsCpp(const SourceText& tsv);

// pension-funds/funds.csv and thresholds.csv → the tables of law/pension_funds_data.h.
std::string pensionFundsCpp(const SourceText& fundsCsv, const SourceText& thresholdsCsv);

// special-payments/*.csv → the tables of pay/special_payment_data.h.
std::string specialPaymentsCpp(const SourceText& annualPercentCsv, const SourceText& oneTimeCsv,
                               const SourceText& civilServantCsv);

// minimum-net/minimum-net.csv → the bytes of "Texte/MNET.txt" (the 2008 table) and "Texte/MNET2.txt" (the
// 83 % table), 20-byte records.
struct MinimumNetFiles {
    std::string table2008;
    std::string table83;
};
MinimumNetFiles minimumNetFiles(const SourceText& csv);

// experience/EDZ.txt → the bytes of "Tarife/EDZ.ttt" (Windows-1252, CR LF, without the source's remarks).
std::string experienceFile(const SourceText& source);

// working-time-account/tvflex.csv → the bytes of "tvflex.pcg", 32-byte records.
std::string accountAgreementsFile(const SourceText& csv);

// The parsed catalogue → the table behind cli::shippedCatalogue() (app/cli_catalogue.h); the catalogue,
// the pay-table index and the pay tables (named by their files) → cli::shippedTariffSources().
std::string catalogueCpp(const std::vector<ServiceRelationshipInfo>& catalogue,
                         const SourceText& catalogueTsv, const SourceText& indexTsv,
                         const std::vector<SourceText>& payTableCsvs);

// option-texts/texts.tsv and the catalogue → the records of one year's option-text file.
struct TextRow {
    std::vector<int> records; // one record, or the record of an allowance option in every region
    int firstYear = 0;
    int lastYear = 9999;
    std::string text;
};
std::vector<TextRow> parseTextRows(const SourceText& tsv);
std::map<int, std::string> optionTextRecords(const std::vector<ServiceRelationshipInfo>& catalogue,
                                             const std::vector<TextRow>& rows, int year);
// The same, with the group lists following the year: a group that the service relationship's pay tables
// hold in other years of firstYear to lastYear but not in this one names the years they have it
// ("E9 (Tabelle bis 2018)", "E9a (Tabelle ab 2019)"), so that the list of 2019 leads from E9 to E9a and
// E9b. The positions stay: a case keeps its group key.
std::map<int, std::string> optionTextRecords(const TariffSources& sources, const std::vector<TextRow>& rows,
                                             int year, int firstYear, int lastYear);
// The group's name in the list of the year (see above).
std::string payGroupName(const TariffSources& sources, const ServiceRelationshipInfo& sr,
                         const std::string& group, int year, int firstYear, int lastYear);
// The bytes of an option-text file holding the records (35 bytes each, Windows-1252, blank-padded).
std::string optionTextFile(const std::map<int, std::string>& records);

// The C++ table of the shipped texts that a 35-character record cuts (model/option_texts.h,
// shippedLongText), from the records of every year; each record and text once.
std::string longOptionTextsCpp(const std::vector<std::map<int, std::string>>& yearRecords);
// option-texts/Kommentar.txt as the program reads it: Windows-1252, CR LF.
std::string remarksFile(const SourceText& remarks);
// texts/Belehrung.txt, the default legal-remedy paragraph of the notices, in the same form; refused when
// the notice's editor could not hold it (1400 characters, each line end counting as one).
std::string remedyTextFile(const SourceText& text);
// "Texte/MyText20.txt" for 2020.
std::filesystem::path optionTextFilePath(const std::filesystem::path& programDir, int year);

} // namespace varemo::datagen
