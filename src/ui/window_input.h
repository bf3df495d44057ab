#pragma once
// What the sheet and the bars hand on to the window besides the clicks of SheetActions: typed values,
// the choice of data set, case and copy direction, and the elements that only answer that their
// function is not there yet. The window passes it to the engine.

#include "model/data_set.h"
#include "model/slots.h"
#include "presentation/menu_items.h"

class QString;

namespace varemo::ui {

class WindowInput {
  public:
    virtual void commitAmount(AmountSlot slot, const QString& text) = 0;
    // An amount field of a line got the focus; takesTransfer: the calculator's result may go into it.
    virtual void amountFocused(int line, AmountSlot slot, bool takesTransfer) = 0;
    virtual void commitDate() = 0;
    virtual void openPayGroupList() = 0;
    virtual void commitCaseName() = 0;
    virtual void commitMemo() = 0;
    virtual void selectCaseNumber() = 0;
    virtual void changeDataSet(DataSet set) = 0;
    virtual void copyCase(int direction) = 0;
    virtual void answerUnavailable(Availability a) = 0;

  protected:
    ~WindowInput() = default;
};

} // namespace varemo::ui
