#pragma once
// Seriendruck: one kind of printout for a run of cases or of months of the working case, straight to
// the printer or into PDF files, without the preview. The window keeps the range fields in order, marks
// the chosen printout bold and light red, and shows the progress of an order in a dialog that cancels
// between two cases. An order is one print job (one PDF file), or with "PDF-Datei je Personalfall" a
// file per case or month. The window stays open for the next order.

#include "print/serial_print.h"
#include "session/session.h"

#include <QDialog>

#include <map>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace varemo::ui {

class SerialPrintWindow : public QDialog {
    Q_OBJECT
  public:
    SerialPrintWindow(Session& g, QPrinter& printer, QWidget* parent = nullptr);

    enum class Target { Printer, Pdf, PdfPerCase };

    QSpinBox* firstCase() const { return first_; }
    QSpinBox* lastCase() const { return last_; }
    QSpinBox* firstMonth() const { return firstMonth_; }
    QSpinBox* lastMonth() const { return lastMonth_; }
    QLabel* firstName() const { return firstName_; }
    QLabel* firstMonthName() const { return firstMonthName_; }
    QRadioButton* option(int code) const { return options_.at(code); }
    QComboBox* target() const { return target_; }
    int choice() const { return choice_; }

    // The click on an option of "Druckart".
    void choose(int code);
    // Runs the order of the current choice; the file (PDF targets) is asked unless given.
    print::SerialPrintResult printOrder(const QString& pdfFile = {});

  private:
    void caseRangeChanged(bool lastChanged);
    void monthRangeChanged(bool lastChanged);

    Session& g_;
    QPrinter& printer_;
    int choice_ = 0;
    std::vector<std::string> names_;
    QSpinBox* first_;
    QSpinBox* last_;
    QSpinBox* firstMonth_;
    QSpinBox* lastMonth_;
    QLabel* firstName_;
    QLabel* lastName_;
    QLabel* firstMonthName_;
    QComboBox* target_;
    std::map<int, QRadioButton*> options_;
};

} // namespace varemo::ui
