#pragma once
// Fuzz targets: one per stored file format. Each takes arbitrary bytes, puts them into a temporary
// program folder under the file's name and runs the program's own reading path on them (start-up,
// loading a case-month, a case operation, the sheet). A damaged file may be refused with a message or a
// varemo::Error; anything else that escapes (a crash, a sanitizer report, another exception, a run that
// does not end, files grown far beyond the input) is a finding. The target tariff_archive takes a
// downloaded archive instead: it must be installed whole or refused with the tariff folder unchanged.
//
// Every input starts with two control bytes, the file's bytes follow:
//   byte 0  bits 0-1  how the file is there: 0 a file, 1 a folder in its place, 2 a file without any
//                     permission, 3 a link to a file elsewhere (tariff_archive: how the tariff folder is)
//           bits 2-4  the operation (target-specific, see fuzz_targets.cpp)
//   byte 1            the selection (case, month, user, entry; target-specific)

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varemo::fuzz {

struct Target {
    const char* name; // also the folder of its seeds below tests/fuzz/corpus
    void (*run)(const uint8_t* data, size_t size);
};

const std::vector<Target>& targets();
const Target* findTarget(const std::string& name);

// The folder holding Tarife/ and Texte/ as the build makes them (VAREMO_FUZZ_DATA overrides it).
std::string shippedDataDir();

// An escape other than a refusal of the file: printed with note() (where the runner keeps the input),
// then the process aborts, as a sanitizer report would.
[[noreturn]] void finding(const std::string& what);
std::string& note();

// Writes the seed inputs of every target (valid files made by the program itself, and the inputs of
// faults found before) into corpusDir/<target>/.
void writeSeeds(const std::string& corpusDir);

} // namespace varemo::fuzz
