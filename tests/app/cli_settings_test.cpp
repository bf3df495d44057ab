// The user's settings of a year and the export and import of cases through varemo20-cli: every command
// is a new process that starts from the files, so a changed figure shows that the setting was stored,
// read at start-up and used by the step.

#include "persistence/settings_file.h"
#include "session/startup.h"
#include "session/users.h"
#include "support/cli_runner.h"
#include "support/json.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using varemo::test::Json;
using varemo::test::parseJson;
namespace fs = std::filesystem;

using varemo::test::employerItem;
using varemo::test::lineCents;

namespace {

using Result = varemo::test::CliResult;

struct Folder {
    varemo::test::TempDir dir;

    Folder() { varemo::test::copyShippedFiles(dir.path()); }

    Result run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--program-dir", dir.path().string()});
        return varemo::test::runCli(args);
    }
    Result setting(const std::string& name, const std::string& value) const {
        return run({"settings", "set", name, value, "--year", "2020"});
    }
    Json sheet(const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = varemo::test::caseMonthArgs(dir.path(), "sheet", 2020, 1);
        args.push_back("--json");
        args.insert(args.end(), more.begin(), more.end());
        const Result r = varemo::test::runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return parseJson(r.out);
    }
    // TVöD VKA in Bayern, group 15, step 6 ("Endstufe"), VBL Bund, case 1 REAL, January 2020.
    void makeCase() const {
        std::vector<std::string> args = varemo::test::caseMonthArgs(dir.path(), "set", 2020, 1);
        for (const char* a :
             {"--line", "2=2", "--line", "4=12", "--key", "5=14", "--line", "8=5", "--line", "27=0"})
            args.push_back(a);
        const Result r = varemo::test::runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
    }
    fs::path user() const { return dir.path() / "User001"; }
};

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

// Each setting is changed with `settings set`, and the next process calculates with it.
TEST(CliSettings, StoredSettingsChangeTheSheetAsTheLawSays) {
    Folder f;
    f.makeCase();
    const Json before = f.sheet();
    // Grundentgelt of the table: 5.842,91; above both ceilings of 2020.
    ASSERT_EQ(lineCents(before, 8), 584291);
    // The levy of VBL Bund exceeds the tax-free 207,00; of the rest the employer taxes up to the limit
    // of 92,03 at 20 % (§ 40b EStG): 18,41 wage tax. Church tax on it at Bayern's flat rate of 7 %:
    // 18,41 × 7 % = 1,2887 → 1,29.
    EXPECT_EQ(employerItem(before, " KiStr. für ATV-Umlage"), 129);
    // KV on the ceiling 4.687,50, each contribution rounded on its own: half of 14,6 %, 4.687,50 ×
    // 7,3 % = 342,1875 → 342,19, and half of the fund's additional 0,70 % (§ 249 SGB V), 4.687,50 ×
    // 0,35 % = 16,40625 → 16,41; together 358,60.
    EXPECT_EQ(lineCents(before, 37), -35860);
    // PV on the ceiling at half of 3,05 %: 4.687,50 × 1,525 % = 71,484375 → 71,48.
    EXPECT_EQ(lineCents(before, 38), -7148);

    // Church tax on flat-rate wage tax at 5,5 % (the Land's table as the user keeps it):
    // 18,41 × 5,5 % = 1,01255 → 1,01.
    ASSERT_EQ(f.setting("kirchensteuer.2.pauschal", "5,5").status, 0);
    EXPECT_EQ(employerItem(f.sheet(), " KiStr. für ATV-Umlage"), 101);

    // The fund's additional rate 1,70 % from January: 342,19 + 4.687,50 × 0,85 % (39,84375 → 39,84)
    // = 382,03.
    ASSERT_EQ(f.setting("kasse.0.zusatz", "1,70").status, 0);
    // The care rate 3,30 %: 4.687,50 × 1,65 % = 77,34375 → 77,34 (the rate's halves, § 58 SGB XI).
    ASSERT_EQ(f.setting("sv.pv", "3,30").status, 0);
    const Json rates = f.sheet();
    EXPECT_EQ(lineCents(rates, 37), -38203);
    EXPECT_EQ(lineCents(rates, 38), -7734);

    // U1 liability (an employer with at most 30 employees, § 1 AAG): the fund's U1 of 2,00 % on the
    // pay subject to pension insurance (§ 7 AAG), here 5.842,91 plus the levy part of 363,57 liable to
    // contributions (worksheet line 23): 6.206,48 × 2,00 % = 124,1296 → 124,13.
    EXPECT_FALSE(f.sheet({"--detail", "sv"})["levies"]["u1"]["liable"].boolean);
    ASSERT_EQ(f.setting("umlage.u1", "ja").status, 0);
    const Json u1 = f.sheet({"--detail", "sv"})["levies"]["u1"];
    EXPECT_TRUE(u1["liable"].boolean);
    EXPECT_EQ(u1["baseCents"].integer(), 620648);
    EXPECT_EQ(u1["cents"].integer(), 12413);

    // The tariff-employee multiplier of 102 % (tables not yet raised): 5.842,91 × 1,02 = 5.959,7682
    // → 5.959,77.
    ASSERT_EQ(f.setting("multiplikator.tarif", "102").status, 0);
    EXPECT_EQ(lineCents(f.sheet(), 8), 595977);

    // "settings get" shows what is stored; the shipped value is named where nothing was changed.
    const Result get = f.run({"settings", "get", "multiplikator.tarif", "--year", "2020"});
    EXPECT_TRUE(contains(get.out, "multiplikator.tarif = 102,00")) << get.out;
    const Result other = f.run({"settings", "get", "multiplikator.tarif", "--year", "2019"});
    EXPECT_TRUE(contains(other.out, "multiplikator.tarif = 100,00")) << other.out;
}

// The fund settings ("atv.vee") and the annual special payment percentages ("Jasoza.vee").
TEST(CliSettings, FundSettingsAndSpecialPaymentPercentagesReachTheirSteps) {
    Folder f;
    f.makeCase();
    // VBL West levy 8,26 %, of it 1,81 % the employee's: the employer's 6,45 % of 5.842,91 = 376,87.
    EXPECT_EQ(employerItem(f.sheet(), " ATV/Pens.-Umlage"), 37687);
    // A levy of 8,50 %: the employer's share 8,50 − 1,81 = 6,69 %, 5.842,91 × 6,69 % = 390,890679 →
    // 390,89.
    ASSERT_EQ(f.setting("zv.0.west.umlage", "8,50").status, 0);
    EXPECT_EQ(employerItem(f.sheet(), " ATV/Pens.-Umlage"), 39089);

    // Line 19 "Jahressonderzahlung" in November (§ 20 TVöD): the average of July to September,
    // 5.899,26, times the group's percentage, twelve months occupied. TVöD VKA, E13 to E15, 2020: 51,78 %
    // → 3.054,637 → 3.054,64; with 60 % entered: 3.539,556 → 3.539,56.
    std::vector<std::string> args = varemo::test::caseMonthArgs(f.dir.path(), "set", 2020, 1);
    args.insert(args.end(), {"--line", "19=0"});
    ASSERT_EQ(varemo::test::runCli(args).status, 0);
    auto november = [&f] {
        std::vector<std::string> a = varemo::test::caseMonthArgs(f.dir.path(), "sheet", 2020, 11);
        a.push_back("--json");
        return lineCents(parseJson(varemo::test::runCli(a).out), 19);
    };
    EXPECT_EQ(november(), 305464);
    ASSERT_EQ(f.setting("jsz.1.12.west", "60").status, 0);
    EXPECT_EQ(november(), 353956);
}

// The civil servants' special payment of a Land as the user keeps it ("beasoza.vee"): every command a new
// process, so the figure shows the rule stored, read at the start and applied by the run.
TEST(CliSettings, CivilServantRulesOfTheLandReachTheSpecialPayment) {
    Folder f;
    // A civil servant of Bayern, A 11 step 6 (3.922,66 a month all year), married with two children,
    // line 19 "Jährliche Sonderzahlung".
    std::vector<std::string> args = varemo::test::caseMonthArgs(f.dir.path(), "set", 2020, 1);
    for (const char* a : {"--line", "2=2", "--line", "4=0", "--key", "5=10", "--line", "8=5", "--line",
                          "10=3", "--line", "19=0"})
        args.push_back(a);
    ASSERT_EQ(varemo::test::runCli(args).status, 0);
    auto line19 = [&f](int month) {
        std::vector<std::string> a = varemo::test::caseMonthArgs(f.dir.path(), "sheet", 2020, month);
        a.push_back("--json");
        const Result r = varemo::test::runCli(a);
        return std::make_pair(lineCents(parseJson(r.out), 19), r.err);
    };
    // Art. 82 ff. BayBesG: A3 to A11 get 70 % of the base (the September pay, 3.922,66) × 12/12 occupied
    // months = 2.745,862 → 2.745,86, and 25,56 per child: + 2 × 25,56 = 2.796,98, with the December pay.
    EXPECT_EQ(line19(11).first, 0);
    EXPECT_EQ(line19(12).first, 279698);

    // The user's rule: 75,5 % paid in November and 100,00 per child: 3.922,66 × 75,5 % = 2.961,6083
    // → 2.961,61; + 2 × 100,00 = 3.161,61.
    ASSERT_EQ(f.setting("beamte-sz.2.1.prozent", "75,5").status, 0);
    ASSERT_EQ(f.setting("beamte-sz.2.5.betrag", "100").status, 0);
    ASSERT_EQ(f.setting("beamte-sz.2.monat", "11").status, 0);
    EXPECT_EQ(line19(11).first, 316161);
    EXPECT_EQ(line19(12).first, 0);
    // Bayern's family-allowance part is no rule the run applies; Bayern has no sixth rule.
    EXPECT_EQ(f.setting("beamte-sz.2.3.prozent", "10").status, 1);
    EXPECT_EQ(f.setting("beamte-sz.2.6.betrag", "10").status, 1);

    // A damaged record (an unknown marker for Bayern) is named, and the shipped rules apply again.
    const fs::path file = f.user() / "beasoza.vee";
    std::string bytes = fileBytes(file);
    bytes.at(3 * 1092 + 4 + 64 * 2) = 7;
    std::ofstream(file, std::ios::binary) << bytes;
    const auto [november, message] = line19(11);
    EXPECT_EQ(november, 0);
    EXPECT_TRUE(contains(message, "beasoza.vee ist beschädigt: Satz 4 enthält eine ungültige Kennung für "
                                  "Bayern. Für die Sonderzahlung der Beamten im Jahr 2020 gelten die "
                                  "Vorgabewerte."))
        << message;
    EXPECT_EQ(line19(12).first, 279698);
}

// The pay switches of the year: holiday pay, the solidarity surcharge and the trainees' name.
TEST(CliSettings, PaySwitchesReachTheirSteps) {
    Folder f;
    // A civil servant of the Bund, A6 step 4, tax class III, line 18 "Urlaubsgeld".
    std::vector<std::string> args = varemo::test::caseMonthArgs(f.dir.path(), "set", 2020, 1);
    for (const char* a : {"--line", "2=0", "--line", "4=0", "--key", "5=5", "--line", "8=3", "--line",
                          "34=21", "--line", "18=0"})
        args.push_back(a);
    ASSERT_EQ(varemo::test::runCli(args).status, 0);
    auto month = [&f](int m) {
        std::vector<std::string> a = varemo::test::caseMonthArgs(f.dir.path(), "sheet", 2020, m);
        a.push_back("--json");
        return parseJson(varemo::test::runCli(a).out);
    };
    // Class III: the year's wage tax 12 × 134,66 = 1.615,92 stays below the surcharge's exemption limit
    // of 1.944 (§ 3 (3) SolZG, doubled for class III): no surcharge. Without the flow chart's rule the
    // simple 5,5 %: 134,66 × 5,5 % = 7,4063 → 7,40.
    const Json january = month(1);
    ASSERT_EQ(lineCents(january, 34), -13466);
    EXPECT_EQ(lineCents(january, 35), 0);
    // July's holiday pay of the lower civil-servant groups: 332,34; the switch pays everybody 255,65.
    EXPECT_EQ(lineCents(month(7), 18), 33234);

    ASSERT_EQ(f.setting("soli.programmablauf", "nein").status, 0);
    ASSERT_EQ(f.setting("urlaubsgeld", "ja").status, 0);
    EXPECT_EQ(lineCents(month(1), 35), -740);
    EXPECT_EQ(lineCents(month(7), 18), 25565);

    auto traineeName = [&f] {
        const Result r = f.run({"options", "--line", "4", "--year", "2020", "--json"});
        return parseJson(r.out)["entries"][20]["text"].string;
    };
    EXPECT_EQ(traineeName(), "TVAöD/TV-L Auszubildende(r)");
    ASSERT_EQ(f.setting("auszubildende.bezeichnung", "ja").status, 0);
    EXPECT_EQ(traineeName(), "TVAöd/TV-L/AOK Auszubildende(r)");
}

TEST(CliSettings, ABadValueOrADamagedFileChangesNothingAndSaysWhy) {
    Folder f;
    f.makeCase();
    ASSERT_EQ(f.setting("sv.pv", "3,30").status, 0);
    const varemo::test::FolderFiles before = varemo::test::filesBelow(f.user());

    for (const auto& [name, value] :
         std::vector<std::pair<std::string, std::string>>{{"sv.pv", "drei"},
                                                          {"sv.pv", "3,3001"},
                                                          {"kirchensteuer.2.satz", "12"},
                                                          {"umlage.u1", "vielleicht"},
                                                          {"zv.0.west.umlage-an", "50"}}) {
        const Result r = f.setting(name, value);
        EXPECT_EQ(r.status, 1) << name << " " << value;
        EXPECT_TRUE(contains(r.err, "[Einstellungen] Der Wert \"" + value + "\" für " + name)) << r.err;
        EXPECT_TRUE(contains(r.err, "Es wurde nichts geändert.")) << r.err;
    }
    EXPECT_EQ(varemo::test::changedFiles(before, varemo::test::filesBelow(f.user())),
              std::vector<std::string>{});

    // A marker byte no version writes: the file is named, nothing is calculated with a silent default.
    {
        std::fstream vee(f.user() / "varemo20.vee", std::ios::in | std::ios::out | std::ios::binary);
        vee.seekp(6514 * 3 + 32); // record of 2020, social-insurance block
        vee.put(static_cast<char>(7));
    }
    const Result damaged = f.run(varemo::test::caseMonthArgs(f.dir.path(), "sheet", 2020, 1));
    EXPECT_NE(damaged.status, 0);
    EXPECT_TRUE(contains(damaged.err, "varemo20.vee ist beschädigt")) << damaged.err;
}

// Export of all data sets, deleting the year and importing it again gives every case file back byte for
// byte; a cut-off export file and a "no" change nothing.
TEST(CliExport, RoundTripRestoresEveryCaseFileAndBadFilesChangeNothing) {
    Folder f;
    ASSERT_EQ(f.run({"new-case", "--year", "2020", "--count", "2"}).status, 0);
    f.makeCase();
    ASSERT_EQ(f.run({"set", "--year", "2020", "--set", "PLAN", "--case", "2", "--month", "3", "--name",
                     "Müller, Jürgen"})
                  .status,
              0);
    auto caseFiles = [&f] {
        varemo::test::FolderFiles files;
        for (const auto& [name, bytes] : varemo::test::filesBelow(f.user()))
            if (name.rfind("V2020", 0) == 0) files[name] = bytes;
        return files;
    };
    const varemo::test::FolderFiles original = caseFiles();
    ASSERT_EQ(original.size(), 39u);

    const fs::path file = f.dir.path() / "export.json";
    const Result exported = f.run({"export", "--year", "2020", "--out", file.string()});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(contains(exported.out, "6 Personalfälle exportiert")) << exported.out;
    const Json doc = parseJson(fileBytes(file));
    EXPECT_EQ(doc["version"].integer(), 1);
    EXPECT_EQ(doc["sets"][1]["set"].string, "PLAN");
    EXPECT_EQ(doc["sets"][1]["cases"][1]["name"].string, "Müller, Jürgen");

    ASSERT_EQ(f.run({"--answer", "yes", "delete-year", "--year", "2020"}).status, 0);
    ASSERT_NE(caseFiles(), original);
    // Case 1 was made again by the deletion: the import asks, and "no" keeps the files.
    const varemo::test::FolderFiles afterDelete = varemo::test::filesBelow(f.user());
    const Result refused = f.run({"import", file.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.err, "sind die Personalfälle 1 schon belegt")) << refused.err;
    EXPECT_EQ(varemo::test::changedFiles(afterDelete, varemo::test::filesBelow(f.user())),
              std::vector<std::string>{});

    const Result imported = f.run({"--answer", "yes", "import", file.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(varemo::test::changedFiles(original, caseFiles()), std::vector<std::string>{});
    EXPECT_EQ(caseFiles(), original);

    // Cut off in the middle, or a foreign JSON: refused with the file named, nothing written.
    const std::string text = fileBytes(file);
    const fs::path cut = f.dir.path() / "cut.json";
    std::ofstream(cut, std::ios::binary) << text.substr(0, text.size() / 2);
    const fs::path foreign = f.dir.path() / "foreign.json";
    std::ofstream(foreign, std::ios::binary) << "{\"format\":\"etwas anderes\",\"version\":1}";
    const varemo::test::FolderFiles restored = varemo::test::filesBelow(f.user());
    for (const fs::path& bad : {cut, foreign}) {
        const Result r = f.run({"--answer", "yes", "import", bad.string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(contains(r.err, "Die Datei " + bad.string() + " kann nicht importiert werden.")) << r.err;
        EXPECT_TRUE(contains(r.err, "Es wurde nichts importiert.")) << r.err;
    }
    EXPECT_EQ(varemo::test::changedFiles(restored, varemo::test::filesBelow(f.user())),
              std::vector<std::string>{});
}

// The yearly tables the calculation reads: the weekly hours of a line 22 without regular hours of its own,
// and the percentage of line 27's "Versorgungsrücklage in %" when the case gives none.
TEST(CliSettings, WeeklyHoursAndPensionLevyOfTheYearReachTheSheet) {
    Folder f;
    f.makeCase();
    auto setCase = [&f](std::vector<std::string> edits) {
        std::vector<std::string> args = varemo::test::caseMonthArgs(f.dir.path(), "set", 2020, 1);
        args.insert(args.end(), edits.begin(), edits.end());
        const Result r = varemo::test::runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
    };
    // 19,5 agreed hours, regular hours left empty: the program's 38,5 hours. Grundentgelt 5.842,91 ×
    // 19,5 / 38,5 (0,50649…) = 2.959,40.
    setCase({"--amount", "0=0", "--amount", "1=19,5"});
    EXPECT_EQ(lineCents(f.sheet(), 22), 295940);
    // TVöD VKA (service relationship 12) West at 39 hours (§ 6 (1) TVöD): 5.842,91 × 19,5 / 39 = 5.842,91
    // × 0,5 = 2.921,455 → 2.921,46.
    ASSERT_EQ(f.setting("wochenstunden.12.west", "39").status, 0);
    setCase({"--amount", "0=0"});
    EXPECT_EQ(lineCents(f.sheet(), 22), 292146);

    // A civil servant of Bayern full time, A 11 step 6: 3.922,66, "Versorgungsrücklage in %" without a
    // percentage of the case: no levy until the year has one.
    setCase({"--line", "4=0", "--key", "5=10", "--line", "8=5", "--line", "27=36", "--amount", "0=38,5",
             "--amount", "1=38,5"});
    EXPECT_EQ(employerItem(f.sheet(), " ATV/Pens.-Umlage"), 0);
    // 12,5 % of the year: factor 0,125; 3.922,66 × 0,125 = 490,3325 → 490,33 as employer cost only.
    ASSERT_EQ(f.setting("pensionsumlage.versorgungsruecklage", "12,5").status, 0);
    const Json after = f.sheet();
    EXPECT_EQ(lineCents(after, 8), 392266);
    EXPECT_EQ(employerItem(after, " ATV/Pens.-Umlage"), 49033);
}

// texts: one record of the year's option-text file, checked as in the window's editor; while the texts
// are protected only the administrator password lets it be written.
TEST(CliTexts, ARecordIsCheckedProtectedAndShownOnTheSheet) {
    Folder f;
    f.makeCase(); // line 2: region 2, record 6681 + 2
    EXPECT_EQ(f.run({"texts", "get", "--year", "2020", "--record", "6683"}).out, "Bayern\n");
    const Result tooLong =
        f.run({"texts", "set", "--year", "2020", "--record", "6683", std::string(36, 'x')});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_NE(tooLong.err.find("Erlaubt sind höchstens 35 Zeichen."), std::string::npos) << tooLong.err;
    {
        varemo::test::ScriptedPrompter prompter;
        varemo::Session g{prompter};
        g.programDir = f.dir.path();
        ASSERT_TRUE(varemo::StartUp(g));
        ASSERT_EQ(varemo::SetProtection(g, true), varemo::StorageResult::Done);
    }
    const Result refused = f.run({"texts", "set", "--year", "2020", "--record", "6683", "Freistaat Bayern"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Die Tariftabellen und die Textdateien sind geschützt."), std::string::npos);
    EXPECT_NE(refused.err.find("Die Texte der Auswahllisten wurden nicht gespeichert."), std::string::npos);
    EXPECT_EQ(f.run({"texts", "set", "--year", "2020", "--record", "6683", "Freistaat Bayern",
                     "--admin-password", "falsch"})
                  .status,
              1);
    EXPECT_EQ(f.sheet()["lines"][1]["text"].string, "Bayern");

    const Result done = f.run({"texts", "set", "--year", "2020", "--record", "6683", "Freistaat Bayern",
                               "--admin-password", varemo::administratorPassword()});
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_EQ(done.out, "Freistaat Bayern\n");
    EXPECT_EQ(f.sheet()["lines"][1]["text"].string, "Freistaat Bayern");
}
