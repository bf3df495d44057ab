#include "session/case_memo.h"

#include "base/error.h"
#include "persistence/case_memos.h"
#include "session/guarded.h"

namespace varemo {
namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string shownCaseMemo(const Session& g) {
    if (g.userFolder.empty()) return {};
    const auto memos = readCaseMemos(g.userFolder, g.year);
    const auto found = memos.find(g.caseNumber);
    return found == memos.end() ? std::string() : found->second;
}

bool saveCaseMemo(Session& g, int year, int caseNumber, const std::string& text) {
    if (g.userFolder.empty()) return false;
    try {
        UserFolderWrite lock(g);
        auto memos = readCaseMemos(g.userFolder, year);
        const std::string memo = trimmed(text);
        if (memos.count(caseNumber) ? memos[caseNumber] == memo : memo.empty()) return true;
        if (memo.empty())
            memos.erase(caseNumber);
        else
            memos[caseNumber] = memo;
        writeCaseMemos(g.userFolder, year, memos);
        return true;
    } catch (const Error& e) {
        g.prompter.ask(PromptMessage{PromptIcon::Critical,
                                     "Fehler",
                                     {"Das Merkfeld konnte nicht gespeichert werden.", e.what()},
                                     PromptButtons::Ok});
        return false;
    }
}

} // namespace varemo
