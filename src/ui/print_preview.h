#pragma once
// The print preview "Druckvorschau": the pages of a printout as pictures in a scrollable column, with
// zoom and page navigation. "Drucken" runs the printout of the shown PrintKind again on the printer
// chosen in the system's print dialog; "Als PDF speichern …" writes it to a PDF file; "Schließen"
// hides the window (and first undoes what a calculator changed, where one asked for that).

#include "print/print_kind.h"
#include "ui/print_surfaces.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QVBoxLayout;

namespace varemo::ui {

class Druckvorschau : public QWidget {
    Q_OBJECT
  public:
    Druckvorschau(Session& g, QPrinter& printer, QWidget* parent = nullptr);
    ~Druckvorschau() override;

    // Draws the printout of kind for the session's case-month and shows it.
    void showPrintout(int kind, const print::PrintOptions& options);
    int printKind() const { return kind_; }
    int pageCount() const { return surface_.pageCount(); }
    // Run once by "Schließen" before the window hides (the part-time calculator restores the case).
    void setRestoreOnClose(std::function<void()> restore) { restoreOnClose_ = std::move(restore); }

    void printDocument(); // Command1
    void saveAsPdf();     // "Als PDF speichern …"
    void closePreview();  // Command2
    void showPage(int page);

  private:
    void render();

    Session& g_;
    QPrinter& printer_;
    PagePictureSurface surface_;
    int kind_ = 0;
    print::PrintOptions options_;
    std::function<void()> restoreOnClose_;
    QScrollArea* scroll_ = nullptr;
    QWidget* pagesWidget_ = nullptr;
    QVBoxLayout* pagesLayout_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QSpinBox* page_ = nullptr;
    QLabel* pageCount_ = nullptr;
    std::vector<QLabel*> pageLabels_;
};

} // namespace varemo::ui
