// varemo20-cli: the calculation engine from the command line.
//
//   varemo20-cli [--program-dir DIR] [--answer yes|no] COMMAND OPTIONS
//
// Each command lives in a file of its own (cli_<name>.cpp) and is listed in kCommands below.
// Exit status: 0 when everything was done, 1 when an edit was refused, a calculation was aborted or an
// amount left the range of the program (the message says which), 2 for a usage error, 3 when files could
// not be used or the program failed otherwise. A failure that ends a command is printed as
// "[Fehler] text" on stderr, the way the prompter prints its messages; nothing unwinds out of main.

#include "app/cli_common.h"
#include "app/cli_storage.h"
#include "base/error.h"
#include "persistence/file_ops.h"
#include "session/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

using namespace varemo;
using namespace varemo::cli;

namespace {

struct Command {
    const char* name;
    int (*run)(CliContext&);
    const char* usage;
};

const Command kCommands[] = {
    {"sheet", runSheet, "sheet --year Y --set REAL|PLAN|INFO --case N --month M [--json] [--detail NAME]"},
    {"set", runSet,
     "set   --year Y --set REAL|PLAN|INFO --case N --month M [--json]\n"
     "        [--key SLOT=VALUE] [--line N=POS] [--amount SLOT=TEXT] [--date TEXT] [--name TEXT]\n"
     "        [--category LINE=C] ...   (C: the partial-retirement category A to F, a to g of a pay line)"},
    {"lohnstr", runLohnstr,
     "lohnstr --year Y NAME=VALUE ... [--json]   (the wage-tax flow chart alone)\n"
     "lohnstr [--year Y] --csv IN.csv   (one CSV row of all outputs per row of inputs)"},
    {"funds", runFunds, "funds --year Y [--json]   (the health-fund list of the year)"},
    {"options", runOptions,
     "options --line N --year Y [--month M] [--set REAL|PLAN|INFO --case N] [--json]\n"
     "        (a line's option list; a new case's unless a stored case is named)"},
    {"tariff", runTariff,
     "tariff --year Y --month M --region R --relationship S --group G [--title T] [--json]\n"
     "        (the record of the month's tariff file a case reads, and its 27 entries)\n"
     "tariff show --year Y --month M --region R --relationship S [--json]   (a table of the month's file)\n"
     "tariff set --year Y --month M --region R --relationship S --group G --entry K --amount TEXT\n"
     "tariff copy --year Y --from M --to M2 [--region R --relationship S [--group G]]\n"
     "tariff raise --year Y --from M --percent P [--minimum EUR] [--entries K-L]\n"
     "        [--region R --relationship S [--group G]]\n"
     "        (set, copy, raise: [--password P] while the tables are protected; raise asks)\n"
     "tariff comment   (Tarife/Kommentar.txt)"},
    {"catalogue", runCatalogue, "catalogue [--json]   (the service relationships and their pay tables)"},
    {"users", runUsers, "users [--json]   (users, protection and servers of the settings file)"},
    {"new-case", runNewCase, "new-case --year Y [--count N]   (new cases in INFO, PLAN and REAL)"},
    {"copy-case", runCopyCase,
     "copy-case --year Y --case N --from INFO|PLAN|REAL --to INFO|PLAN|REAL   (asks when the target holds "
     "the "
     "case; --answer yes copies)"},
    {"delete-year", runDeleteYear, "delete-year --year Y   (asks; --answer yes deletes)"},
    {"transfer", runTransfer, "transfer --year Y (--case N | --all)   (into the following year; asks)"},
    {"backup", runBackup, "backup   (rotates the three backups of the user folder)"},
    {"restore", runRestore, "restore --from 1|2|3   (the user folder back to a backup; asks)"},
    {"select-user", runSelectUser, "select-user N [--password P]"},
    {"print", runPrint,
     "print --kind K --year Y --set REAL|PLAN|INFO --case N --month M (--text | --pdf FILE)\n"
     "        [--today TT.MM.JJJJ] [--second-sheet] [--accumulated]   (a printout of the case-month; month "
     "13: the year salary; kinds 39 to 41 and 49: the year view)\n"
     "        [--movement MONTHS] [--beginning D]   (kind 56: the step-duration letter's movement)"},
    {"update", runUpdate,
     "update check [--base URL] [--json] | update server [--json] | update tariffs --year Y [--base URL]\n"
     "        (the update check; the tariff archive of a year from the update server)"},
    {"recalc-all", runRecalcAll,
     "recalc-all --year Y --set REAL|PLAN|INFO   (all cases, twelve months; asks)"},
    {"export", runExport,
     "export --year Y [--set REAL|PLAN|INFO] [--case N] --out FILE   (cases into an export file)"},
    {"import", runImport, "import FILE   (the cases of an export file; asks before replacing cases)"},
    {"settings", runSettings,
     "settings list|get NAME|set NAME VALUE --year Y [--month M] [--json]   (the user's settings of a year)"},
    {"service-age", runServiceAge,
     "service-age [--year Y --set S --case N --month M] [--office 0-3] [--birthday D] [--appointment D]\n"
     "        [--half FROM,TO]... [--quarter FROM,TO]... [--transfer] [--save] [--input FILE] [--json]\n"
     "        (the BDA; with --jubilee [--pay-start D] [--earlier FROM,TO]... [--not-counting FROM,TO]...\n"
     "        [--retirement D] the jubilee service age)"},
    {"step-duration", runStepDuration,
     "step-duration --year Y --set S --case N --month M [--begin D] [--movement MONTHS] [--transfer] "
     "[--json]\n"
     "        (experience periods: [--appointment D] [--experience FROM,TO[,PERCENT]]... [--transfer])"},
    {"partial-retirement", runPartialRetirement,
     "partial-retirement --year Y --set S --case N --month M [--json]   (the side calculations of partial\n"
     "        retirement: AtG, TV ATZ, civil servants' supplement, additional pension contributions)"},
    {"promotion", runPromotion,
     "promotion --year Y --set S --case N --month M [--allowance-a A] [--allowance-b B] [--transfer] "
     "[--json]"},
    {"vacation", runVacation,
     "vacation --year Y [--set S --case N --month M] [--birthday D] [--entitlement DAYS] [--days-per-week "
     "W]\n"
     "        [--correction C] [--additional D] [--further-additional D] [--months N] [--pension-months N]\n"
     "        [--special-leave-months N] [--previous-rest D] [--taken D] [--monthly-pay A --pay-off-days D]\n"
     "        [--period FROM,TO,DAYS]... [--days-worked N [--full-leave D]] [--save] [--input FILE] "
     "[--json]"},
    {"working-time", runWorkingTime,
     "working-time --year Y --set S --case N --month M [--day N=FROM-TO[,FROM-TO...]]... [--rate A]\n"
     "        [--full-leave D] [--taken D] [--clear] [--json]   (the working-time recorder of the month)"},
    {"year-view", runYearView,
     "year-view --year Y --set REAL|PLAN|INFO --case N [--view 40|41|39] [--accumulated] [--settings]\n"
     "        (--json|--csv)   (the twelve months of a case; --settings: the control listing)"},
    {"serial-print", runSerialPrint,
     "serial-print --year Y --set REAL|PLAN|INFO --code C [--first N] [--last M] [--case N] [--month M]\n"
     "        (--text | --pdf FILE [--pdf-per-case])   (one printout for a run of cases or months)"},
    {"cost-centres", runCostCentres,
     "cost-centres --year Y --set REAL|PLAN|INFO [--month M] [--centre all|none|N] [--accumulated]\n"
     "        [--sorted] [--empty-lines] [--performance-pay] (--json|--csv)   (all cases by cost centre)"},
    {"master-data", runMasterData,
     "master-data get|set --year Y --set REAL|PLAN|INFO --case N [--json] [--personal-number X]\n"
     "        [--tax-id X] [--birthday TT.MM.JJJJ] [--address1 X] [--address2 X] [--iban X] [--bic X]\n"
     "        (the master data of a person; set changes only the values given)"},
    {"texts", runTexts,
     "texts get --year Y --record N [--json] | texts set --year Y --record N TEXT [--admin-password P]\n"
     "        (a record of the year's option-text file; set is refused while the texts are protected,\n"
     "        unless the administrator password is given)"},
    {"list", runList,
     "list --kind K --year Y --set REAL|PLAN|INFO [--month M] [--from M] [--case N] (--pdf FILE | --text | "
     "--csv | --json)\n"
     "        [--today TT.MM.JJJJ]   (a payroll list: 43, 44 wage tax; 50, 57 health funds; 51 mini-jobs,\n"
     "        55 mini-jobs of months --from to --month; 53, 54 supplementary pension; 76 pay table)"},
};

void printUsage(std::ostream& out) {
    out << "usage: varemo20-cli [--program-dir DIR] [--answer yes|no] COMMAND OPTIONS\ncommands:\n";
    for (const Command& c : kCommands)
        out << "  " << c.usage << "\n";
}

// Prints the failure being handled (call inside a catch block only) and returns its exit status.
int reportFailure() {
    std::cerr << "[Fehler] " << userMessageOfCurrentException() << "\n";
    try {
        throw;
    } catch (const RecordFileError&) {
        return 3;
    } catch (const StorageError&) {
        return 3;
    } catch (const std::filesystem::filesystem_error&) {
        return 3;
    } catch (const Error&) {
        return 1; // an amount out of range or an input the engine refused
    } catch (...) {
        return 3;
    }
}

std::filesystem::path executableDir() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

} // namespace

int main(int argc, char** argv) {
    CliContext ctx;
    if (const char* env = std::getenv("VAREMO_PROGRAM_DIR"); env && *env) ctx.programDir = env;
    const Command* command = nullptr;
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        size_t i = 0;
        for (; i < args.size() && !command; ++i) {
            const std::string& a = args[i];
            if (a == "-h" || a == "--help") {
                printUsage(std::cout);
                return 0;
            } else if (a == "--program-dir" || a == "--answer") {
                if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
                const std::string& v = args[++i];
                if (a == "--program-dir")
                    ctx.programDir = v;
                else if (v == "yes" || v == "no")
                    ctx.answerYes = v == "yes";
                else
                    throw UsageError("--answer takes yes or no");
            } else {
                for (const Command& c : kCommands)
                    if (a == c.name) command = &c;
                if (!command) throw UsageError("unknown command: " + a);
            }
        }
        if (!command) throw UsageError("no command given");
        ctx.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
        ctx.installDir = executableDir();
        // An installation the user may not write to keeps the user's data in the user's own folder.
        if (ctx.programDir.empty()) ctx.programDir = programFolderFor(ctx.installDir);
        CliPrompter prompter(ctx.answerYes);
        ctx.prompter = &prompter;
        return command->run(ctx);
    } catch (const UsageError& e) {
        std::cerr << "varemo20-cli: " << e.what() << "\n";
        printUsage(std::cerr);
        return 2;
    } catch (...) {
        return reportFailure();
    }
}
