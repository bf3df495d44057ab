// texts: one record of a year's option-text file, the file the program reads for user 1 (below the data
// root). "get" prints its text; "set" checks the text as the window's editor does and stores it, or
// stores nothing and says why. While the protection switch is on, "set" asks whether to lift it; an
// --admin-password answers that question with "Ja" and lifts it with the password, as the window does.

#include "app/cli_storage.h"
#include "app/json_writer.h"
#include "session/option_text_edit.h"

#include <iostream>

namespace varemo::cli {

int runTexts(CliContext& ctx) {
    if (ctx.args.empty() || (ctx.args[0] != "get" && ctx.args[0] != "set"))
        throw UsageError("texts takes get or set first");
    const bool setting = ctx.args[0] == "set";
    const std::vector<std::string> args(ctx.args.begin() + 1, ctx.args.end());
    int year = 0;
    int record = 0;
    bool json = false;
    std::optional<std::string> text;
    std::optional<std::string> password;
    ArgReader r(args);
    while (r.next()) {
        const std::string& a = r.current();
        if (a == "--year")
            year = r.intValue();
        else if (a == "--record")
            record = r.intValue();
        else if (a == "--json")
            json = true;
        else if (setting && a == "--admin-password")
            password = r.value();
        else if (setting && !text && a.rfind("--", 0) != 0)
            text = a;
        else
            r.unknown();
    }
    if (year < kFirstYear || year > kLastYear)
        throw UsageError("--year must be " + std::to_string(kFirstYear) + " to " + std::to_string(kLastYear));
    if (record < 1) throw UsageError("--record must be 1 or more");
    if (setting && !text) throw UsageError("texts set needs the new text");

    // The password stands for the answer to the protection question, the only question of the command.
    CliPrompter prompter(ctx.answerYes || password.has_value());
    Session g(prompter);
    if (!startSession(g, ctx)) return 3;
    if (setting) {
        switch (SaveOptionTexts(g, year, {{record, *text}}, password.value_or(""))) {
        case StorageResult::Done:
            break;
        case StorageResult::Failed:
            return 3;
        default:
            return 1;
        }
    }
    const std::vector<std::string> records = currentOptionTextRecords(g, year);
    if (record > static_cast<int>(records.size())) {
        prompter.tell("Sorry", {missingOptionTextRecord(year, record, static_cast<int>(records.size()))});
        return 1;
    }
    const std::string& stored = records[static_cast<size_t>(record - 1)];
    if (json)
        std::cout << "{\"year\":" << year << ",\"record\":" << record << ",\"text\":" << jsonString(stored)
                  << "}\n";
    else
        std::cout << stored << "\n";
    return 0;
}

} // namespace varemo::cli
