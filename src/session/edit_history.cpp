#include "session/edit_history.h"

#include "model/slots.h"
#include "session/guarded.h"
#include "session/recalculate.h"

#include <utility>

namespace varemo {
namespace {

// What the user set: keys, entered amounts, flags, texts, key fields and the date. The computed
// amounts are the run's.
bool sameInputs(const Case& a, const Case& b) {
    return a.keys == b.keys && a.previous == b.previous && a.lines == b.lines && a.texts == b.texts &&
           a.keyCodes == b.keyCodes && a.dateText == b.dateText;
}

// The case-month as an edit left it, as it also reads back from its file: the entered amounts are
// not all stored apart from the computed ones, so the amounts stand for them.
bool sameCaseMonth(const Case& a, const Case& b) {
    return a.keys == b.keys && a.amounts == b.amounts && a.lines == b.lines && a.texts == b.texts &&
           a.keyCodes == b.keyCodes && a.dateText == b.dateText;
}

// The edit code the recalculation of an edit ran with, as far as it decides anything: an amount of
// slot 2 or 3 alone does not run the following months (RecalculateAndRedisplay).
int editCodeOf(const Case& before, const Case& after) {
    Case onlyAmounts = before;
    onlyAmounts.previous = after.previous;
    if (!sameInputs(onlyAmounts, after)) return 0;
    int changed = -1;
    for (size_t i = 0; i < before.previous.size(); ++i) {
        if (before.previous[i] == after.previous[i]) continue;
        if (changed >= 0) return 0;
        changed = static_cast<int>(i);
    }
    return changed == 2 || changed == 3 ? 200 + changed : 0;
}

} // namespace

EditHistory::Place EditHistory::placeOf(const Session& g) {
    return Place{g.year, g.dataSet, g.caseNumber, g.month()};
}

size_t EditHistory::steps(const Session& g) const {
    if (place_ != placeOf(g) || steps_.empty() || !sameCaseMonth(steps_.back().after, g.workingCase))
        return 0;
    return steps_.size();
}

void EditHistory::keep(const Session& g, Case before) {
    if (sameInputs(before, g.workingCase)) return;
    const int code = editCodeOf(before, g.workingCase);
    if (steps_.size() == kSteps) steps_.erase(steps_.begin());
    steps_.push_back(Step{std::move(before), g.workingCase, code});
}

bool EditHistory::edit(Session& g, const std::function<bool()>& change) {
    const Place place = placeOf(g);
    if (steps(g) == 0) {
        steps_.clear();
        place_ = place;
    }
    Case before = g.workingCase;
    bool result = false;
    try {
        result = change();
    } catch (...) {
        // A run that failed after the inputs changed leaves them changed: they can be taken back.
        if (placeOf(g) == place) keep(g, std::move(before));
        throw;
    }
    // An edit that shows another case (the entry after the last case of line 1) is no edit of this one.
    if (placeOf(g) == place)
        keep(g, std::move(before));
    else
        steps_.clear();
    return result;
}

bool EditHistory::undo(Session& g) {
    if (steps(g) == 0 || g.showsYearSalary()) return false;
    // Taken before the working case changes: when another program keeps the folder, nothing changed.
    UserFolderWrite lock(g);
    Step step = std::move(steps_.back());
    steps_.pop_back();
    // The record's fields the program does not interpret and the case name are not the edit's.
    step.before.storedRecord = std::move(g.workingCase.storedRecord);
    step.before.name = g.workingCase.name;
    g.workingCase = std::move(step.before);
    g.tariffFactor = static_cast<float>(g.workingCase.amount(AmountSlot::TariffFactor)) / 10000.0f;
    g.east = isEastRegion(g.workingCase.region());
    g.editCode = step.editCode;
    return RecalculateAndRedisplay(g);
}

} // namespace varemo
