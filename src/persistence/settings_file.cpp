#include "persistence/settings_file.h"

#include "base/cp1252.h"
#include "persistence/case_files.h"
#include "persistence/file_ops.h"

#include <array>

namespace varemo {
namespace {

using namespace settings_record;

constexpr int kPasswordShift = 50;

// The two words are kept as they are stored (codes raised by 50), so that neither appears as text in the
// program file.
constexpr std::array<uint8_t, 9> kDefaultWord = {116, 151, 165, 161, 158, 150, 167, 160, 153};
constexpr std::array<uint8_t, 10> kAdministratorWord = {118, 155, 151, 160, 165, 166, 154, 151, 164, 164};

template <size_t N> std::string unshift(const std::array<uint8_t, N>& stored) {
    std::string bytes;
    for (uint8_t b : stored)
        bytes += static_cast<char>(b - kPasswordShift);
    return cp1252ToUtf8(bytes);
}

// Sample labels of an administration for the first users after the public one.
constexpr std::array<const char*, 9> kSampleLabels = {
    "Personalamt", "Besoldungsstelle", "Vergütungsstelle",      "Haushaltsabteilung", "Organisationsamt",
    "Hauptamt",    "Rechnungsprüfung", "Gleichstellungsstelle", "Personalrat",
};

} // namespace

std::string UserFolderName(int user) {
    if (user < 1 || user > kUsers) return "";
    if (user < 10) return "User00" + std::to_string(user);
    if (user < 100) return "User0" + std::to_string(user);
    return "User100";
}

std::string defaultServerPath(int server) {
    return "Bitte Programmverzeichnis auf dem " + std::to_string(server) + ". Server eintragen";
}

std::string defaultPassword() {
    return unshift(kDefaultWord);
}
std::string administratorPassword() {
    return unshift(kAdministratorWord);
}

std::optional<std::vector<uint8_t>> encodePassword(const std::string& utf8) {
    std::string bytes = utf8ToCp1252(utf8);
    if (bytes.size() > kValueLength) return std::nullopt;
    std::vector<uint8_t> out;
    for (char c : bytes) {
        int code = static_cast<unsigned char>(c);
        if (code + kPasswordShift > 255) return std::nullopt;
        out.push_back(static_cast<uint8_t>(code + kPasswordShift));
    }
    out.resize(kValueLength, ' ');
    return out;
}

std::string decodePassword(const RecordBuffer& record) {
    const auto& b = record.bytes();
    size_t end = kValue + kValueLength;
    while (end > kValue && (b[end - 1] == ' ' || b[end - 1] == 0))
        --end;
    std::string bytes;
    for (size_t i = kValue; i < end; ++i)
        bytes += static_cast<char>(b[i] >= kPasswordShift ? b[i] - kPasswordShift : 0);
    return cp1252ToUtf8(bytes);
}

void setPasswordField(RecordBuffer& record, const std::vector<uint8_t>& encoded) {
    auto& b = record.bytes();
    for (size_t i = 0; i < kValueLength; ++i)
        b[kValue + i] = i < encoded.size() ? encoded[i] : ' ';
}

std::vector<uint8_t> defaultSettingsFile(const std::string& programFolderText) {
    std::vector<uint8_t> file;
    file.reserve(kSettingsRecordLength * kSettingsRecords);
    const auto password = *encodePassword(defaultPassword());
    std::string path = utf8ToCp1252(programFolderText).size() <= kPathLength ? programFolderText : "";
    for (int n = 1; n <= kSettingsRecords; ++n) {
        RecordBuffer r(kSettingsRecordLength);
        r.setText(0, kSettingsRecordLength, "");
        if (n <= kUsers) {
            std::string label = n == 1 ? "User001 (immer öffentlich)"
                                : n - 2 < static_cast<int>(kSampleLabels.size())
                                    ? kSampleLabels[size_t(n - 2)]
                                    : UserFolderName(n);
            r.setText(kLabel, kLabelLength, label);
            r.setText(kPath, kPathLength, path);
            setPasswordField(r, password);
        } else if (n == kProtectionRecord) {
            r.setText(kValue, kValueLength, kProtectionOff);
        } else if (n >= kFirstServerRecord) {
            r.setText(kLabel, kLabelLength, "0");
            r.setText(kPath, kPathLength, defaultServerPath(n - kFirstServerRecord + 1));
        } else {
            r.setText(kValue, kValueLength, "0");
        }
        file.insert(file.end(), r.bytes().begin(), r.bytes().end());
    }
    return file;
}

std::filesystem::path settingsFilePath(const std::filesystem::path& programDir) {
    return findFileIgnoringCase(programDir, kSettingsFileName);
}

RecordBuffer readSettingsRecord(const std::filesystem::path& programDir, int record) {
    return readRecordIfExists(settingsFilePath(programDir), kSettingsRecordLength, record);
}

void updateSettingsRecord(const std::filesystem::path& programDir, int record,
                          const std::function<void(RecordBuffer&)>& edit) {
    updateRecord(settingsFilePath(programDir), kSettingsRecordLength, record, edit);
}

std::string correctProgramFilesRoot(std::string root, const FolderExists& exists) {
    if (!startsWithPath(root, "C:\\Program")) return root;
    const std::string x86 = "C:\\Program Files (x86)";
    const std::string programme = "C:\\Programme";
    const std::string programmeX86 = "C:\\Programme (x86)";
    if (!exists(x86 + "\\" + kProgramFolderName) && startsWithPath(root, x86))
        root = programme + root.substr(x86.size());
    if (!exists(programmeX86 + "\\" + kProgramFolderName) && startsWithPath(root, programmeX86))
        root = programme + root.substr(programmeX86.size());
    if (!exists(programme) && startsWithPath(root, programme)) root = x86 + root.substr(programme.size());
    return root;
}

std::string storageRootFor(const std::string& chosenFolder) {
    // Separators follow the chosen folder's spelling; a Windows folder keeps its backslashes.
    bool slash = chosenFolder.find('/') != std::string::npos && chosenFolder.find('\\') == std::string::npos;
    char sep = slash ? '/' : '\\';
    std::string root = chosenFolder;
    if (root.empty() || (root.back() != '/' && root.back() != '\\')) root += sep;
    root += kProgramFolderName;
    root += sep;
    const std::string twice = std::string(kProgramFolderName) + sep + kProgramFolderName + sep;
    if (endsWithPathIgnoringCase(root, twice)) root.erase(root.size() - twice.size() / 2);
    return root;
}

} // namespace varemo
