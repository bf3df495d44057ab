#pragma once
// The option list of a line (`zgrid`): shown beside the line with the line's entries numbered from 1
// and a short explanation. A click or Enter chooses an entry; Escape closes the list. A double click
// on a user-defined first entry asks to rename it.

#include <QFrame>
#include <QStringList>

class QLabel;
class QListWidget;

namespace varemo::ui {

class OptionGrid : public QFrame {
    Q_OBJECT
  public:
    explicit OptionGrid(QWidget* parent);
    // Fills the list; current is the chosen position (-1 for none).
    void showEntries(int line, bool payGroup, const QString& heading, const QStringList& entries, int current,
                     bool firstEntryRenamable);
    int line() const { return line_; }
    bool isPayGroup() const { return payGroup_; }
    QListWidget* list() const { return list_; }
    int entryCount() const;

  signals:
    void chosen(int line, bool payGroup, int position);
    void renameRequested(int line);
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QLabel* heading_;
    QLabel* explanation_;
    QListWidget* list_;
    int line_ = 0;
    bool payGroup_ = false;
    bool renamable_ = false;
};

} // namespace varemo::ui
