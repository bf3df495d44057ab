#include "session/master_data.h"

#include "base/cp1252.h"
#include "base/error.h"
#include "base/file_names.h"
#include "session/guarded.h"

#include <array>
#include <cctype>

namespace varemo {
namespace {

using PersonText = YearRecord::PersonText;

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string withoutBlanks(const std::string& text) {
    std::string out;
    for (char ch : text)
        if (ch != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

bool allDigits(const std::string& text) {
    for (char ch : text)
        if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
    return true;
}

bool isUpper(char ch) {
    return ch >= 'A' && ch <= 'Z';
}

bool isAlnum(char ch) {
    return isUpper(ch) || (ch >= '0' && ch <= '9');
}

// A text of at most length characters that Windows-1252 can hold.
std::optional<std::string> textRefusal(const std::string& text, size_t length, const std::string& caption) {
    if (cp1252ToUtf8(utf8ToCp1252(text)) != text)
        return caption + " enthält Zeichen, die nicht gespeichert werden können.";
    if (utf8Length(text) > length)
        return caption + " darf höchstens " + std::to_string(length) + " Zeichen haben.";
    return std::nullopt;
}

std::optional<std::string> birthdayRefusal(const std::string& text, int year) {
    const std::string message = "Der Geburtstag " + text + " ist kein Datum TT.MM.JJJJ zwischen 1900 und " +
                                std::to_string(year) + ".";
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return message;
    const std::string d = text.substr(0, 2), m = text.substr(3, 2), y = text.substr(6, 4);
    if (!allDigits(d) || !allDigits(m) || !allDigits(y)) return message;
    const int day = std::stoi(d), month = std::stoi(m), yy = std::stoi(y);
    if (yy < 1900 || yy > year || month < 1 || month > 12 || day < 1) return message;
    const bool leap = (yy % 4 == 0 && yy % 100 != 0) || yy % 400 == 0;
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day > kDays[static_cast<size_t>(month - 1)] + (month == 2 && leap ? 1 : 0)) return message;
    return std::nullopt;
}

} // namespace

std::optional<std::string> taxIdRefusal(const std::string& taxId) {
    const std::string head = "Die Steuer-ID " + taxId + " ist ungültig: ";
    if (taxId.size() != 11 || !allDigits(taxId)) return head + "sie hat 11 Ziffern.";
    if (taxId[0] == '0') return head + "sie beginnt nicht mit 0.";
    std::array<int, 10> count{};
    for (size_t i = 0; i < 10; ++i)
        ++count[static_cast<size_t>(taxId[i] - '0')];
    int repeated = 0;
    for (int c : count) {
        if (c > 3) repeated = 2; // counted as more than one repetition: refused below
        if (c >= 2) ++repeated;
    }
    if (repeated != 1) return head + "unter den ersten zehn Ziffern steht genau eine zwei- oder dreimal.";
    for (size_t i = 0; i + 2 < 10; ++i)
        if (taxId[i] == taxId[i + 1] && taxId[i] == taxId[i + 2])
            return head + "eine Ziffer steht nicht dreimal hintereinander.";
    // Check digit of § 139b AO, ISO 7064 MOD 11,10.
    int product = 10;
    for (size_t i = 0; i < 10; ++i) {
        int sum = (taxId[i] - '0' + product) % 10;
        if (sum == 0) sum = 10;
        product = (2 * sum) % 11;
    }
    const int check = (11 - product) % 10;
    if (taxId[10] - '0' != check) return head + "die Prüfziffer stimmt nicht.";
    return std::nullopt;
}

std::optional<std::string> ibanRefusal(const std::string& input) {
    const std::string iban = withoutBlanks(input);
    const std::string head = "Die IBAN " + input + " ist ungültig: ";
    if (iban.size() < 15 || iban.size() > 34 || !isUpper(iban[0]) || !isUpper(iban[1]) ||
        !std::isdigit(static_cast<unsigned char>(iban[2])) ||
        !std::isdigit(static_cast<unsigned char>(iban[3])))
        return head + "sie beginnt mit dem Ländercode und zwei Prüfziffern und hat 15 bis 34 Zeichen.";
    for (char ch : iban)
        if (!isAlnum(ch)) return head + "sie besteht nur aus Buchstaben und Ziffern.";
    if (iban.compare(0, 2, "DE") == 0 && iban.size() != 22)
        return head + "eine deutsche IBAN hat 22 Zeichen.";
    // ISO 13616: the first four characters moved to the end, letters as 10 to 35, the number mod 97 is 1.
    const std::string rearranged = iban.substr(4) + iban.substr(0, 4);
    int rest = 0;
    for (char ch : rearranged) {
        const int value = isUpper(ch) ? ch - 'A' + 10 : ch - '0';
        rest = (rest * (value >= 10 ? 100 : 10) + value) % 97;
    }
    if (rest != 1) return head + "die Prüfsumme stimmt nicht.";
    return std::nullopt;
}

std::optional<std::string> bicRefusal(const std::string& input) {
    const std::string bic = withoutBlanks(input);
    bool valid = bic.size() == 8 || bic.size() == 11;
    for (size_t i = 0; valid && i < bic.size(); ++i)
        valid = i < 6 ? isUpper(bic[i]) : isAlnum(bic[i]);
    if (valid) return std::nullopt;
    return "Die BIC " + input +
           " ist ungültig: sie hat 4 Buchstaben für die Bank, 2 für das Land, 2 Zeichen für den Ort und "
           "gegebenenfalls 3 für die Filiale.";
}

MasterData normalizedMasterData(const MasterData& d) {
    return MasterData{trimmed(d.personalNumber), trimmed(d.taxId),    trimmed(d.birthday),
                      trimmed(d.address1),       trimmed(d.address2), withoutBlanks(d.iban),
                      withoutBlanks(d.bic)};
}

std::optional<std::string> masterDataRefusal(const MasterData& input, int year) {
    const MasterData d = normalizedMasterData(input);
    if (auto r = textRefusal(d.personalNumber, YearRecord::personTextLength(PersonText::PersonalNumber),
                             "Die Personalnummer"))
        return r;
    if (!d.taxId.empty())
        if (auto r = taxIdRefusal(d.taxId)) return r;
    if (!d.birthday.empty())
        if (auto r = birthdayRefusal(d.birthday, year)) return r;
    if (auto r = textRefusal(d.address1, YearRecord::personTextLength(PersonText::Address1),
                             "Die erste Zeile der Anschrift"))
        return r;
    if (auto r = textRefusal(d.address2, YearRecord::personTextLength(PersonText::Address2),
                             "Die zweite Zeile der Anschrift"))
        return r;
    if (!d.iban.empty())
        if (auto r = ibanRefusal(input.iban)) return r;
    if (!d.bic.empty())
        if (auto r = bicRefusal(input.bic)) return r;
    return std::nullopt;
}

std::string ibanInGroups(const std::string& iban) {
    std::string out;
    for (size_t i = 0; i < iban.size(); i += 4)
        out += (out.empty() ? "" : " ") + iban.substr(i, 4);
    return out;
}

MasterData caseMasterData(const Session& g, int caseNumber) {
    if (g.userFolder.empty() || !g.files.isOpen()) return {};
    const YearRecord y(readRecordIfExists(
        findFileIgnoringCase(g.userFolder, caseFileName(g.files.year(), g.files.dataSet(), 13)),
        kYearRecordLength, caseNumber));
    return MasterData{y.personText(PersonText::PersonalNumber),
                      y.personText(PersonText::TaxId),
                      y.serviceDate(YearRecord::ServiceDate::Birthday),
                      y.personText(PersonText::Address1),
                      y.personText(PersonText::Address2),
                      y.personText(PersonText::Iban),
                      y.personText(PersonText::Bic)};
}

bool saveMasterData(Session& g, int caseNumber, const MasterData& input) {
    auto refuse = [&g](const std::string& text) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     "Stammdaten",
                                     {text, "Die Stammdaten wurden nicht gespeichert."},
                                     PromptButtons::Ok});
        return false;
    };
    if (auto refusal = masterDataRefusal(input, g.files.year())) return refuse(*refusal);
    const MasterData d = normalizedMasterData(input);
    try {
        UserFolderWrite lock(g);
        YearRecord y = g.files.readYear(caseNumber);
        y.setPersonText(PersonText::PersonalNumber, d.personalNumber);
        y.setPersonText(PersonText::TaxId, d.taxId);
        y.setServiceDate(YearRecord::ServiceDate::Birthday, d.birthday);
        y.setPersonText(PersonText::Address1, d.address1);
        y.setPersonText(PersonText::Address2, d.address2);
        y.setPersonText(PersonText::Iban, d.iban);
        y.setPersonText(PersonText::Bic, d.bic);
        g.files.writeYear(caseNumber, y);
        return true;
    } catch (const Error& e) {
        return refuse(e.what());
    }
}

} // namespace varemo
