#include "data_source.h"

#include "base/cp1252.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace varemo::datagen {

SourceText SourceText::read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DataError(path.string() + ": cannot read the file");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return fromString(path.string(), text);
}

SourceText SourceText::fromString(std::string name, std::string_view text) {
    SourceText source;
    source.name_ = std::move(name);
    std::string line;
    std::istringstream in{std::string(text)};
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        source.lines_.push_back(line);
    }
    return source;
}

void SourceText::fail(int line, const std::string& message) const {
    throw DataError(name_ + ":" + std::to_string(line) + ": " + message);
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::vector<std::string> splitCsv(const SourceText& source, int line) {
    const std::string& text = source.line(line);
    std::vector<std::string> fields;
    size_t i = 0;
    for (;;) {
        std::string field;
        if (i < text.size() && text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) source.fail(line, "quoted field not closed on its line");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i];
            }
            if (i < text.size() && text[i] != ',') source.fail(line, "a comma must follow a quoted field");
        } else {
            while (i < text.size() && text[i] != ',') {
                if (text[i] == '"') source.fail(line, "quote inside an unquoted field");
                field += text[i++];
            }
        }
        fields.push_back(field);
        if (i >= text.size()) return fields;
        ++i; // the comma
    }
}

bool parseCount(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return true;
}

bool parseFixed(const std::string& text, int decimals, int64_t& value) {
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    int wholeValue = 0;
    if (!parseCount(whole, wholeValue)) return false;
    if (point != std::string::npos && (fraction.empty() || fraction.size() > static_cast<size_t>(decimals) ||
                                       fraction.find_first_not_of("0123456789") != std::string::npos))
        return false;
    value = wholeValue;
    for (int d = 0; d < decimals; ++d)
        value = value * 10 +
                (static_cast<size_t>(d) < fraction.size() ? fraction[static_cast<size_t>(d)] - '0' : 0);
    return true;
}

bool fitsWindows1252(const std::string& utf8) {
    return cp1252ToUtf8(utf8ToCp1252(utf8)) == utf8;
}

std::string cppString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (byte < 0x20 || byte == 0x7f) {
            // Octal: at most three digits, so a following digit cannot join the escape.
            const char digits[] = {'\\', static_cast<char>('0' + (byte >> 6)),
                                   static_cast<char>('0' + ((byte >> 3) & 7)),
                                   static_cast<char>('0' + (byte & 7))};
            out.append(digits, sizeof digits);
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) throw DataError(path.string() + ": cannot write the file");
}

void writeIfChanged(const std::filesystem::path& path, const std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
        const std::string old{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (old == content) return;
    }
    writeFile(path, content);
}

} // namespace varemo::datagen
