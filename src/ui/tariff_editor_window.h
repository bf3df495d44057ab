#pragma once
// The window "Tariftabellen bearbeiten", opened from the overview of the tariff tables: one table of a
// month file (region and service relationship, a row per pay group, the entries 0 to 26 as columns),
// its amounts typed in place, the copying of the month's table into the later months, the raise by a
// percentage from a month with its preview, and the remarks of Tarife/Kommentar.txt (read-only: the
// update replaces them with the tables). Changes stay in the window until "Speichern" writes them (all
// files or none); closing with unsaved changes asks. Closing reopens the tariff files of the year.

#include "session/session.h"
#include "session/tariff_editor.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace varemo::ui {

class TariffEditorWindow : public QDialog {
    Q_OBJECT
  public:
    // Starts on the shown case-month's table (January for the year salary).
    TariffEditorWindow(Session& g, QWidget* parent);
    ~TariffEditorWindow() override;

    const TariffEdit* edit() const { return edit_.get(); }
    QTableWidget* grid() const { return grid_; }
    QComboBox* monthBox() const { return month_; }
    QLineEdit* percentField() const { return percent_; }
    QLineEdit* minimumField() const { return minimum_; }
    QComboBox* raiseFromBox() const { return raiseFrom_; }
    QPushButton* button(const QString& objectName) const;
    // What the password field of the protection question returns (tests answer it without a dialog).
    void setPasswordSource(std::function<std::string()> source) { password_ = std::move(source); }

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool openYear(int year);
    void showTable();
    void showState(bool noTable);
    void cellEdited(QTableWidgetItem* item);
    void copyTable();
    void raiseTable();
    bool save();
    // Unsaved changes: asks whether to save them; false when the user stays.
    bool mayLeave();
    TariffScope scope(bool wholeFile) const;
    int shownMonth() const;

    Session& g_;
    std::unique_ptr<TariffEdit> edit_;
    int shownYear_ = 0;
    bool filling_ = false;
    bool closing_ = false;
    std::function<std::string()> password_;
    QComboBox* year_ = nullptr;
    QComboBox* month_ = nullptr;
    QComboBox* region_ = nullptr;
    QComboBox* relationship_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QComboBox* copyTo_ = nullptr;
    QCheckBox* copyWhole_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QLineEdit* minimum_ = nullptr;
    QLineEdit* entries_ = nullptr;
    QComboBox* raiseFrom_ = nullptr;
    QCheckBox* raiseWhole_ = nullptr;
    QLabel* state_ = nullptr;
    QPlainTextEdit* comment_ = nullptr;
};

} // namespace varemo::ui
