#include "include_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

namespace varemo::architecture {
namespace {

namespace fs = std::filesystem;

TEST(Layers, NoIncludeGoesUpOrSideways) {
    const auto violations = checkIncludes(fs::path(VAREMO_SOURCE_DIR) / "src", programRules());
    std::string all;
    for (const auto& v : violations)
        all += describe(v) + "\n";
    EXPECT_TRUE(violations.empty()) << all;
}

// The checker itself: a small tree with one allowed include of each kind and deliberate faults.
class Tree {
  public:
    Tree() : root_(fs::temp_directory_path() / ("varemo-layers-" + std::to_string(std::random_device{}()))) {}
    ~Tree() { fs::remove_all(root_); }
    void write(const std::string& file, const std::string& text) {
        fs::create_directories((root_ / file).parent_path());
        std::ofstream(root_ / file) << text;
    }
    const fs::path& root() const { return root_; }

  private:
    fs::path root_;
};

TEST(Layers, TheCheckerFindsEveryWrongInclude) {
    Tree t;
    t.write("base/money.h", "#include <string>\n#include \"base/other.h\"\n");
    t.write("law/lohnstr.cpp", "#include \"base/money.h\"\n#include \"tariffs/tariff_file.h\"\n");
    t.write("model/case.h", "// a comment\n#include \"session/session.h\"\n");
    t.write("pay/basic_pay.cpp",
            "#include \"model/case.h\"\n#include \"law/church_tax.h\"\n#include <QString>\n");
    t.write("ui/main_window.cpp", "#include <QWidget>\n#include \"presentation/sheet_view.h\"\n");
    t.write("gadgets/thing.h", "#include \"base/money.h\"\n");

    auto found = checkIncludes(t.root(), programRules());
    std::vector<std::string> texts;
    for (const auto& v : found)
        texts.push_back(describe(v));
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "gadgets/thing.h:0: the folder \"gadgets\" is not a layer",
                         "law/lohnstr.cpp:2: #include tariffs/tariff_file.h: law may not include tariffs",
                         "model/case.h:2: #include session/session.h: model may not include session",
                         "pay/basic_pay.cpp:3: #include QString: Qt outside the window layers",
                     }));
}

TEST(Layers, EveryLayerMayIncludeOnlyLayersBelowIt) {
    const auto& rules = programRules().mayInclude;
    // No cycle: if a may include b, b may not include a.
    for (const auto& [layer, allowed] : rules)
        for (const auto& other : allowed) {
            ASSERT_TRUE(rules.count(other)) << layer << " names " << other;
            EXPECT_FALSE(rules.at(other).count(layer)) << layer << " <-> " << other;
        }
    EXPECT_TRUE(rules.at("base").empty());
    EXPECT_FALSE(rules.at("pay").count("deductions"));
    EXPECT_FALSE(rules.at("calc").count("persistence"));
    EXPECT_TRUE(rules.at("print").count("calculators"));
    EXPECT_FALSE(rules.at("calculators").count("print"));
    EXPECT_FALSE(rules.at("print").count("presentation"));
}

} // namespace
} // namespace varemo::architecture
