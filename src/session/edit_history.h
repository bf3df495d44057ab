#pragma once
// Undo of the edits of the shown case-month (Ctrl+Z in the window). Before a confirmed edit the
// case-month's inputs are kept; undoing puts them back and recalculates the way the edit did, the
// following months and the year record included. The history belongs to one case-month: an edit of
// another one starts it anew, and once the inputs are no longer those the last edit left (something
// else changed the case-month since), nothing is undone.

#include "model/case.h"
#include "session/session.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace varemo {

class EditHistory {
  public:
    static constexpr size_t kSteps = 50;

    // Runs an edit of the shown case-month (EnterAmount, ChooseOption, ToggleFlag, EnterDate,
    // RenameFirstEntry). When it changed the case-month's inputs, what they were before is kept.
    // Returns what the edit returns; what it throws goes on.
    bool edit(Session& g, const std::function<bool()>& change);

    // Puts back the inputs from before the last kept edit of the shown case-month and recalculates as
    // that edit did. False, with nothing changed, when no edit of this case-month is kept.
    bool undo(Session& g);

    // The number of edits of the shown case-month that can be undone.
    size_t steps(const Session& g) const;

  private:
    struct Place {
        int year = 0;
        DataSet dataSet = DataSet::Real;
        int caseNumber = 0;
        int month = 0;
        bool operator==(const Place&) const = default;
    };
    struct Step {
        Case before;
        Case after;
        int editCode = 0; // the edit code the recalculation of the edit ran with
    };
    static Place placeOf(const Session& g);
    void keep(const Session& g, Case before);

    std::optional<Place> place_;
    std::vector<Step> steps_;
};

} // namespace varemo
