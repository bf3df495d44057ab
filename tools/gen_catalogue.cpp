// The catalogue of service relationships (checked by parseServiceRelationshipCatalogue) as the table the
// command line's "catalogue" prints, and the readable pay tables themselves, from which the command
// "tariff" tells where an entry of a tariff file comes from.

#include "generators.h"

namespace varemo::datagen {
namespace {

const char* kindName(ServiceKind kind) {
    switch (kind) {
    case ServiceKind::CivilServant:
        return "ServiceKind::CivilServant";
    case ServiceKind::Employee:
        return "ServiceKind::Employee";
    case ServiceKind::None:
        return "ServiceKind::None";
    }
    return "ServiceKind::None";
}

std::string list(const std::vector<std::string>& texts) {
    std::string out = "{";
    for (size_t i = 0; i < texts.size(); ++i)
        out += (i ? ", " : "") + cppString(texts[i]);
    return out + "}";
}

// A source as adjacent string literals, one per line.
std::string textLiteral(const SourceText& text) {
    std::string out;
    for (int n = 1; n <= text.lineCount(); ++n)
        out += "\n        " + cppString(text.line(n) + "\n");
    return text.lineCount() ? out : " \"\"";
}

} // namespace

std::string catalogueCpp(const std::vector<ServiceRelationshipInfo>& catalogue,
                         const SourceText& catalogueTsv, const SourceText& indexTsv,
                         const std::vector<SourceText>& payTableCsvs) {
    std::string tables;
    for (const SourceText& csv : payTableCsvs) {
        const std::string file = std::filesystem::path(csv.name()).stem().string();
        tables += "            {" + cppString(file) + "," + textLiteral(csv) + "},\n";
    }
    std::string rows;
    for (const ServiceRelationshipInfo& sr : catalogue)
        rows += "        {" + std::to_string(sr.code) + ", " + cppString(sr.name) + ", " + kindName(sr.kind) +
                ",\n" + "         " + list(sr.tables) + ",\n" + "         " + list(sr.groups) + "},\n";
    return "// Generated from data/catalogue/service-relationships.tsv by tools/make_data. Do not edit.\n"
           "#include \"app/cli_catalogue.h\"\n"
           "\n"
           "namespace varemo::cli {\n"
           "\n"
           "const std::vector<ServiceRelationshipInfo>& shippedCatalogue() {\n"
           "    static const std::vector<ServiceRelationshipInfo> catalogue = {\n" +
           rows +
           "    };\n"
           "    return catalogue;\n"
           "}\n"
           "\n"
           "const TariffSources& shippedTariffSources() {\n"
           "    static const TariffSources sources = TariffSources::fromTexts(" +
           textLiteral(catalogueTsv) + ",\n       " + textLiteral(indexTsv) + ",\n        {\n" + tables +
           "        });\n"
           "    return sources;\n"
           "}\n"
           "\n"
           "} // namespace varemo::cli\n";
}

} // namespace varemo::datagen
