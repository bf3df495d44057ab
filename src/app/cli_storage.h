#pragma once
// The storage commands of varemo20-cli: users, cases, year transfer, backups.

#include "app/cli_common.h"

namespace varemo::cli {

// Runs the start-up for user 1 (or the user given) on the program folder; false when it failed (the
// message has been shown).
bool startSession(Session& g, const CliContext& ctx, int user = 1);

int runUsers(CliContext& ctx);      // users [--json]
int runNewCase(CliContext& ctx);    // new-case --year Y [--count N]
int runCopyCase(CliContext& ctx);   // copy-case --year Y --case N --from SET --to SET
int runDeleteYear(CliContext& ctx); // delete-year --year Y
int runTransfer(CliContext& ctx);   // transfer --year Y (--case N | --all)
int runBackup(CliContext& ctx);     // backup
int runRestore(CliContext& ctx);    // restore --from 1|2|3
int runSelectUser(CliContext& ctx); // select-user N [--password P]

} // namespace varemo::cli
