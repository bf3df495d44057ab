// Build-time generator of the shipped tariff files: reads the catalogue and the pay-table CSVs below a
// data folder and writes <program folder>/Tarife/<year><month>.ttt for every month of the years given.
//
//   make_tariffs <data folder> <program folder> <first year> <last year>

#include "tariffs/tariff_sources.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: make_tariffs <data folder> <program folder> <first year> <last year>\n";
        return 2;
    }
    try {
        const int firstYear = std::stoi(argv[3]);
        const int lastYear = std::stoi(argv[4]);
        auto sources = varemo::TariffSources::load(argv[1]);
        varemo::writeTariffFiles(sources, argv[2], firstYear, lastYear);
    } catch (const std::exception& e) {
        std::cerr << "make_tariffs: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
