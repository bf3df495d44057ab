#pragma once
// Installing a downloaded tariff archive ("Tarife" + year + ".zip") into a tariff folder.
//
// An archive is taken only as a whole. Every entry must be a plain file name in the folder itself
// (no folder part, no absolute path, no drive letter, no "..", no link or folder entry) and one of
// year + month + ".ttt" of the archive's year (month 1 to 12, no leading zero), "Kommentar.txt" or
// "Strukturausgleich.txt"; a tariff file must hold whole records of 108 bytes, and the archive at least
// one tariff file. The entries are unpacked into a temporary folder inside the tariff folder and moved
// in only when all of them were read completely (checksums included); a move that fails midway puts
// back the files already replaced. A refused or damaged archive leaves the tariff folder as it was.
// The months installed leave the record of hand-edited months (session/tariff_hand_edits.h) in the same
// move.

#include "base/error.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace varemo {

// The archive was refused or could not be installed; the message says why and that nothing changed.
class ArchiveError : public Error {
  public:
    using Error::Error;
};

inline constexpr uint64_t kMaxArchiveEntryBytes = 32u << 20;

// Installs the archive's files into tariffFolder (made when missing) and returns their names.
// Throws ArchiveError; the folder is then unchanged.
std::vector<std::string> installTariffArchive(const std::vector<uint8_t>& archive,
                                              const std::filesystem::path& tariffFolder, int year);

} // namespace varemo
