// The catalogue of service relationships (checked by parseServiceRelationshipCatalogue) as the table the
// command line's "catalogue" prints.

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

} // namespace

std::string catalogueCpp(const std::vector<ServiceRelationshipInfo>& catalogue) {
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
           "} // namespace varemo::cli\n";
}

} // namespace varemo::datagen
