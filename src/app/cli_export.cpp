// varemo20-cli export and import of cases (docs/case-export.md).
//
//   export --year Y [--set REAL|PLAN|INFO] [--case N] --out FILE   all three data sets without --set
//   import FILE                                                   asks before replacing stored cases
//
// Exit status 0 when done, 1 when refused or answered no (the message says why; nothing changed), 3
// when files could not be used.

#include "app/cli_common.h"
#include "app/cli_storage.h"
#include "session/case_exchange.h"

#include <iostream>

namespace varemo::cli {
namespace {

int exitStatus(StorageResult r) {
    switch (r) {
    case StorageResult::Done:
        return 0;
    case StorageResult::Cancelled:
    case StorageResult::Refused:
        return 1;
    case StorageResult::Failed:
        break;
    }
    return 3;
}

} // namespace

int runExport(CliContext& ctx) {
    int year = 0;
    std::optional<DataSet> set;
    std::optional<int> caseNumber;
    std::filesystem::path out;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--year") {
            year = r.intValue();
        } else if (r.current() == "--set") {
            set = parseDataSet(r.value());
            if (!set) throw UsageError("--set takes REAL, PLAN or INFO");
        } else if (r.current() == "--case") {
            caseNumber = r.intValue();
            if (*caseNumber < 1) throw UsageError("--case must be 1 or more");
        } else if (r.current() == "--out") {
            out = r.value();
        } else {
            r.unknown();
        }
    }
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (out.empty()) throw UsageError("--out FILE is needed");
    Session g(*ctx.prompter);
    if (!startSession(g, ctx)) return 3;
    int count = 0;
    const StorageResult result = ExportCases(g, year, set, caseNumber, out, &count);
    if (result == StorageResult::Done)
        std::cout << count << (count == 1 ? " Personalfall" : " Personalfälle") << " exportiert nach "
                  << out.string() << "\n";
    return exitStatus(result);
}

int runImport(CliContext& ctx) {
    std::filesystem::path file;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (!file.empty() || (r.current().size() > 1 && r.current()[0] == '-')) r.unknown();
        file = r.current();
    }
    if (file.empty()) throw UsageError("import FILE");
    Session g(*ctx.prompter);
    if (!startSession(g, ctx)) return 3;
    int count = 0;
    const StorageResult result = ImportCases(g, file, &count);
    if (result == StorageResult::Done)
        std::cout << count << (count == 1 ? " Personalfall" : " Personalfälle") << " importiert aus "
                  << file.string() << "\n";
    return exitStatus(result);
}

} // namespace varemo::cli
