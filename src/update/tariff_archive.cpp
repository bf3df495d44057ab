#include "update/tariff_archive.h"

#include "persistence/file_ops.h"
#include "persistence/folder_lock.h"
#include "session/tariff_hand_edits.h"
#include "tariffs/tariff_file.h"
#include "update/shared_library.h"

#include <sys/stat.h>
#include <zip.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <unistd.h>

namespace varemo {
namespace fs = std::filesystem;

namespace {

constexpr const char* kNothingChanged = " Die installierten Tariftabellen sind unverändert.";
constexpr const char* kUnpackPrefix = ".entpacken-";

[[noreturn]] void refuse(const std::string& why) {
    throw ArchiveError("Das Tarifarchiv wurde nicht übernommen: " + why + kNothingChanged);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether name is year + month (1 to 12, no leading zero) + ".ttt".
bool isTariffFileOf(const std::string& name, int year) {
    const std::string prefix = std::to_string(year);
    const std::string ext = ".ttt";
    if (name.size() <= prefix.size() + ext.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
        return false;
    const std::string month = name.substr(prefix.size(), name.size() - prefix.size() - ext.size());
    if (month.empty() || month.size() > 2 || month[0] == '0') return false;
    for (char c : month)
        if (!isDigit(c)) return false;
    const int m = std::stoi(month);
    return m >= 1 && m <= 12;
}

// Whether the name stays inside the folder: a plain file name without any folder part.
bool isPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == '/' || c == '\\' || c == ':') return false;
    return true;
}

std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    return std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
           std::to_string(counter++);
}

struct Entry {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The functions of libzip the installation uses, looked up when the first archive is read.
#define VAREMO_ZIP_FUNCTION(name) decltype(&::name) name = library.function<decltype(::name)>(#name)
struct Zip {
    SharedLibrary library{"libzip.so.4", "das Entpacken der Tarifarchive (Paket libzip4)"};
    VAREMO_ZIP_FUNCTION(zip_discard);
    VAREMO_ZIP_FUNCTION(zip_error_init);
    VAREMO_ZIP_FUNCTION(zip_error_fini);
    VAREMO_ZIP_FUNCTION(zip_source_buffer_create);
    VAREMO_ZIP_FUNCTION(zip_source_free);
    VAREMO_ZIP_FUNCTION(zip_open_from_source);
    VAREMO_ZIP_FUNCTION(zip_get_num_entries);
    VAREMO_ZIP_FUNCTION(zip_get_name);
    VAREMO_ZIP_FUNCTION(zip_file_get_external_attributes);
    VAREMO_ZIP_FUNCTION(zip_stat_init);
    VAREMO_ZIP_FUNCTION(zip_stat_index);
    VAREMO_ZIP_FUNCTION(zip_fopen_index);
    VAREMO_ZIP_FUNCTION(zip_fread);
    VAREMO_ZIP_FUNCTION(zip_fclose);
};
#undef VAREMO_ZIP_FUNCTION

// Loaded once per process; a failed load is tried again by the next archive.
const Zip& zipLibrary() {
    static std::mutex mutex;
    static std::unique_ptr<Zip> loaded;
    const std::lock_guard lock(mutex);
    if (!loaded) {
        try {
            loaded = std::make_unique<Zip>();
        } catch (const Error& e) {
            refuse(e.what());
        }
    }
    return *loaded;
}

struct ZipCloser {
    decltype(&::zip_discard) discard;
    void operator()(zip_t* z) const { discard(z); }
};

// Reads and checks every entry of the archive; nothing is written yet.
std::vector<Entry> readEntries(const std::vector<uint8_t>& archive, int year) {
    if (archive.empty()) refuse("Die heruntergeladene Datei ist leer.");
    const Zip& z = zipLibrary();
    zip_error_t error;
    z.zip_error_init(&error);
    zip_source_t* source = z.zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
    if (!source) refuse("Die heruntergeladene Datei konnte nicht gelesen werden.");
    std::unique_ptr<zip_t, ZipCloser> zip(z.zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error),
                                          ZipCloser{z.zip_discard});
    if (!zip) {
        z.zip_source_free(source);
        z.zip_error_fini(&error);
        refuse("Die heruntergeladene Datei ist kein gültiges Zip-Archiv oder beschädigt.");
    }
    z.zip_error_fini(&error);

    const zip_int64_t count = z.zip_get_num_entries(zip.get(), 0);
    std::vector<Entry> entries;
    std::set<std::string> names;
    bool anyTariff = false;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* raw = z.zip_get_name(zip.get(), index, ZIP_FL_ENC_RAW);
        const std::string name = raw ? raw : "";
        const std::string quoted = "\"" + name + "\"";
        if (!isPlainName(name))
            refuse("Der Eintrag " + quoted + " liegt nicht im Ordner Tarife (Pfadangabe oder \"..\").");
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (z.zip_file_get_external_attributes(zip.get(), index, 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX) {
            const mode_t mode = static_cast<mode_t>(attributes >> 16);
            if (S_ISLNK(mode)) refuse("Der Eintrag " + quoted + " ist eine Verknüpfung.");
            if ((mode & S_IFMT) != 0 && !S_ISREG(mode)) refuse("Der Eintrag " + quoted + " ist keine Datei.");
        }
        const bool tariff = isTariffFileOf(name, year);
        if (!tariff && name != "Kommentar.txt" && name != "Strukturausgleich.txt")
            refuse("Der Eintrag " + quoted + " gehört nicht zu den Tariftabellen des Jahres " +
                   std::to_string(year) + ".");
        if (!names.insert(name).second) refuse("Der Eintrag " + quoted + " kommt doppelt vor.");

        zip_stat_t st;
        z.zip_stat_init(&st);
        if (z.zip_stat_index(zip.get(), index, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
            refuse("Der Eintrag " + quoted + " ist beschädigt.");
        if (st.size > kMaxArchiveEntryBytes) refuse("Der Eintrag " + quoted + " ist zu groß.");
        if (tariff && (st.size == 0 || st.size % kTariffRecordLength != 0))
            refuse("Die Datei " + quoted + " besteht nicht aus ganzen Sätzen von 108 Byte.");

        Entry entry{name, std::vector<uint8_t>(static_cast<size_t>(st.size))};
        zip_file_t* file = z.zip_fopen_index(zip.get(), index, 0);
        if (!file) refuse("Der Eintrag " + quoted + " kann nicht entpackt werden.");
        zip_int64_t got = entry.bytes.empty() ? 0 : z.zip_fread(file, entry.bytes.data(), entry.bytes.size());
        // One byte more must not come: the entry is exactly as long as it says. Reading to the end is
        // also what makes the library compare the checksum.
        uint8_t extra = 0;
        const zip_int64_t more = got < 0 ? -1 : z.zip_fread(file, &extra, 1);
        z.zip_fclose(file);
        if (got != static_cast<zip_int64_t>(st.size) || more != 0)
            refuse("Der Eintrag " + quoted + " ist beschädigt (Prüfsumme oder Länge stimmt nicht).");
        anyTariff = anyTariff || tariff;
        entries.push_back(std::move(entry));
    }
    if (!anyTariff) refuse("Das Archiv enthält keine Tariftabellen des Jahres " + std::to_string(year) + ".");
    return entries;
}

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out || fileSize(path) != bytes.size())
        refuse("Die Datei " + path.string() + " konnte nicht geschrieben werden.");
}

class TempFolder {
  public:
    explicit TempFolder(fs::path p) : path_(std::move(p)) {}
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

} // namespace

std::vector<std::string> installTariffArchive(const std::vector<uint8_t>& archive,
                                              const fs::path& tariffFolder, int year) {
    const std::vector<Entry> entries = readEntries(archive, year);

    std::error_code ec;
    fs::create_directories(tariffFolder, ec);
    if (!fs::is_directory(tariffFolder, ec))
        refuse("Der Ordner " + tariffFolder.string() + " kann nicht angelegt werden.");
    std::vector<std::string> installed;
    try {
        // Another workstation installing into the same folder waits its turn. An installation that was
        // cut off (killed, power lost) left its saved copies: they are put back first, so that the
        // tables are never a mix of two years' archives.
        FolderLock lock(tariffFolder);
        for (const fs::path& left : FileSnapshot::leftovers(tariffFolder))
            if (!FileSnapshot::restoreLeftover(left))
                refuse("Eine unterbrochene Installation hinterließ Dateien, die nicht zurückgesetzt werden "
                       "konnten (" +
                       left.string() + ").");
        for (const fs::directory_entry& e : fs::directory_iterator(tariffFolder))
            if (e.path().filename().string().starts_with(kUnpackPrefix)) fs::remove_all(e.path(), ec);

        // The unpacked files wait in a folder of the tariff folder itself, so that moving them in is a
        // rename on the same drive.
        TempFolder temp(tariffFolder / (kUnpackPrefix + uniqueSuffix()));
        if (!fs::create_directory(temp.path(), ec))
            refuse("Im Ordner " + tariffFolder.string() + " kann nicht geschrieben werden.");
        for (const Entry& e : entries)
            writeFile(temp.path() / e.name, e.bytes);

        // The months installed are no longer changed by hand: their record goes in the same move.
        const std::vector<TariffHandEdit> handEdits = readTariffHandEdits(tariffFolder);
        std::vector<int> months;
        for (const Entry& e : entries)
            if (isTariffFileOf(e.name, year))
                months.push_back(std::stoi(e.name.substr(4, e.name.size() - 8)));
        const std::vector<TariffHandEdit> remaining = withoutTariffHandEdits(handEdits, year, months);

        FileSnapshot snapshot(tariffFolder);
        for (const Entry& e : entries)
            snapshot.add(tariffFolder / e.name);
        snapshot.add(tariffHandEditPath(tariffFolder));
        try {
            for (const Entry& e : entries) {
                fs::rename(temp.path() / e.name, tariffFolder / e.name);
                installed.push_back(e.name);
            }
            if (remaining.empty())
                fs::remove(tariffHandEditPath(tariffFolder));
            else if (remaining.size() != handEdits.size())
                writeFileAtomically(tariffHandEditPath(tariffFolder), tariffHandEditBytes(remaining));
        } catch (const std::exception& e) {
            if (!snapshot.restore())
                throw ArchiveError(
                    "Das Tarifarchiv konnte nicht vollständig übernommen werden, und die alten "
                    "Tariftabellen ließen sich nicht zurückholen. Ursache: " +
                    failureCause(e) + " Die gesicherten Dateien liegen in " + snapshot.folder().string() +
                    ".");
            throw;
        }
    } catch (const ArchiveError&) {
        throw;
    } catch (const std::exception& e) {
        throw ArchiveError("Das Tarifarchiv konnte nicht übernommen werden. Ursache: " + failureCause(e) +
                           kNothingChanged);
    }
    return installed;
}

} // namespace varemo
