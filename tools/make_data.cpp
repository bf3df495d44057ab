// Build-time generator of everything the program ships: reads the readable sources below a data folder
// (data/README.md describes them), checks them, and writes
//   <program folder>/Tarife/<year><month>.ttt   the tariff files of every month of the years given
//   <program folder>/Tarife/Kommentar.txt       the remarks of the tariff editor
//   <program folder>/Tarife/EDZ.ttt             the texts of the experience-period window
//   <program folder>/Texte/MyText<yy>.txt       the option-text files of the years given
//   <program folder>/Texte/MNET.txt, MNET2.txt  the minimum-net tables of partial retirement
//   <program folder>/Texte/Belehrung.txt        the default legal-remedy paragraph of the notices
//   <program folder>/tvflex.pcg                 the agreements of the working-time-account variant
//   <source folder>/*.cpp                       the tables the libraries compile (church tax, health
//                                                funds, pension funds, special payments, the command
//                                                line's catalogue, the option texts longer than a
//                                                record)
// A bad source stops it with "<file>:<line>: <what>" before it writes a file (two pay tables that
// disagree on one entry of a tariff file are found while the tariff files are written).
//
//   make_data <data folder> <program folder> <source folder> <first year> <last year>

#include "data_source.h"
#include "generators.h"
#include "tariffs/tariff_sources.h"

#include <exception>
#include <iostream>
#include <map>
#include <string>

using namespace varemo;
using namespace varemo::datagen;

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr
            << "usage: make_data <data folder> <program folder> <source folder> <first year> <last year>\n";
        return 2;
    }
    try {
        const std::filesystem::path data = argv[1];
        const std::filesystem::path program = argv[2];
        const std::filesystem::path sources = argv[3];
        int firstYear = 0;
        int lastYear = 0;
        if (!parseCount(argv[4], firstYear) || !parseCount(argv[5], lastYear) || lastYear < firstYear)
            throw DataError("first and last year expected");

        // Read and check the sources first, so that a bad row leaves the previous files in place.
        const TariffSources tariffs = TariffSources::load(data);
        std::vector<SourceText> payTableCsvs;
        for (const auto& [name, info] : tariffs.index)
            payTableCsvs.push_back(SourceText::read(data / "paytables" / (name + ".csv")));
        std::map<std::filesystem::path, std::string> generated = {
            {"church_tax_data.cpp", churchTaxCpp(SourceText::read(data / "church-tax" / "church-tax.tsv"))},
            {"fund_table_data.cpp", healthFundsCpp(SourceText::read(data / "health-funds" / "funds.tsv"))},
            {"pension_funds_data.cpp",
             pensionFundsCpp(SourceText::read(data / "pension-funds" / "funds.csv"),
                             SourceText::read(data / "pension-funds" / "thresholds.csv"))},
            {"special_payment_data.cpp",
             specialPaymentsCpp(SourceText::read(data / "special-payments" / "jahressonderzahlung.csv"),
                                SourceText::read(data / "special-payments" / "einmalzahlungen.csv"),
                                SourceText::read(data / "special-payments" / "beamte_sonderzahlung.csv"))},
            {"cli_catalogue_data.cpp",
             catalogueCpp(tariffs.catalogue,
                          SourceText::read(data / "catalogue" / "service-relationships.tsv"),
                          SourceText::read(data / "catalogue" / "pay-tables.tsv"), payTableCsvs)},
        };
        const std::vector<TextRow> texts =
            parseTextRows(SourceText::read(data / "option-texts" / "texts.tsv"));
        const std::string remarks = remarksFile(SourceText::read(data / "option-texts" / "Kommentar.txt"));
        const std::string remedy = remedyTextFile(SourceText::read(data / "texts" / "Belehrung.txt"));
        const std::string experience = experienceFile(SourceText::read(data / "experience" / "EDZ.txt"));
        const MinimumNetFiles minimumNet =
            minimumNetFiles(SourceText::read(data / "minimum-net" / "minimum-net.csv"));

        const std::string agreements =
            accountAgreementsFile(SourceText::read(data / "working-time-account" / "tvflex.csv"));

        std::vector<std::map<int, std::string>> yearTexts;
        for (int year = firstYear; year <= lastYear; ++year)
            yearTexts.push_back(optionTextRecords(tariffs, texts, year, firstYear, lastYear));
        generated.emplace("option_text_long_data.cpp", longOptionTextsCpp(yearTexts));

        writeTariffFiles(tariffs, program, firstYear, lastYear);
        writeFile(program / "Tarife" / "Kommentar.txt", remarks);
        writeFile(program / "Tarife" / "EDZ.ttt", experience);
        writeFile(program / "Texte" / "MNET.txt", minimumNet.table2008);
        writeFile(program / "Texte" / "MNET2.txt", minimumNet.table83);
        writeFile(program / "Texte" / "Belehrung.txt", remedy);
        writeFile(program / "tvflex.pcg", agreements);
        for (int year = firstYear; year <= lastYear; ++year)
            writeFile(optionTextFilePath(program, year),
                      optionTextFile(yearTexts[static_cast<size_t>(year - firstYear)]));
        for (const auto& [name, content] : generated)
            writeIfChanged(sources / name, content);
    } catch (const std::exception& e) {
        std::cerr << "make_data: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
