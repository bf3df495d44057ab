#include "ui/main_window.h"

#include "base/error.h"
#include "persistence/window_record.h"
#include "presentation/colour_panel.h"
#include "presentation/sheet_view.h"
#include "ui/amount_field.h"
#include "ui/calculator_widget.h"
#include "ui/calculator_windows.h"
#include "ui/engine_call.h"
#include "ui/option_grid.h"
#include "ui/sheet_area.h"
#include "ui/sheet_cell.h"
#include "ui/update_content.h"
#include "ui/window_bars.h"
#include "ui/window_geometry_store.h"
#include "ui/window_layout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>

namespace varemo::ui {
namespace {

// The window's area: its elements are placed as drawn for kAreaWidth × kAreaHeight and spread when the
// area is larger (window_layout.h). Elements that place themselves (option list, calculator, the
// rename field) are marked "ownPlace".
class StretchingArea : public QWidget {
  protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isWindow() || w->property("ownPlace").toBool()) continue;
            QVariant design = w->property("designGeometry");
            if (!design.isValid()) {
                design = w->geometry();
                w->setProperty("designGeometry", design);
            }
            const QRect d = design.toRect();
            const bool inSheet = d.y() >= kSheetTop - kRowHeight && d.bottom() <= rowY(kSheetRows) + 2;
            w->setGeometry(stretchedGeometry(d, inSheet, size()));
        }
    }
};

} // namespace

MainWindow::MainWindow(Session& g, QWidget* parent) : QMainWindow(parent), g_(g) {
    setObjectName(QStringLiteral("form1"));
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* area = new StretchingArea;
    area->setMinimumSize(kAreaWidth, kMinAreaHeight);
    area->setAutoFillBackground(true);
    scroll->setWidget(area);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCentralWidget(scroll);

    // Created from top to bottom: the focus chain and the drawing follow this order.
    SheetActions& actions = *this;
    WindowInput& input = *this;
    bars_ = std::make_unique<WindowBars>(this, actions, input);
    bars_->buildTop(area);
    sheet_ = std::make_unique<SheetArea>(area, this, actions, input, g_.prompter);
    bars_->buildBottom(area);
    // The automatic update check waits for the first tick of the clock: the window is on screen then.
    beginUpdateRun(g_);
    auto firstTick = std::make_shared<QMetaObject::Connection>();
    *firstTick = connect(&bars_->clockTimer(), &QTimer::timeout, this, [this, firstTick] {
        disconnect(*firstTick);
        runStartupUpdateCheck(*this, this);
    });

    grid_ = new OptionGrid(area);
    grid_->setProperty("ownPlace", true);
    connect(grid_, &OptionGrid::chosen, this, &MainWindow::chooseEntry);
    connect(grid_, &OptionGrid::renameRequested, this, [this](int line) { renameEntry(line); });
    connect(grid_, &OptionGrid::closed, this, [this] { sheet_->lineText(1)->setFocus(); });
    calculator_ = new CalculatorWidget(area, g_.prompter);
    calculator_->setGeometry(kColumns[1].text + 40, rowY(6), 200, 330);
    calculator_->setProperty("ownPlace", true);
    connect(calculator_, &CalculatorWidget::transferRequested, this, &MainWindow::transferFromCalculator);
    renameEditor_ = new QLineEdit(area);
    renameEditor_->setMaxLength(kCaseTextLength);
    renameEditor_->hide();
    renameEditor_->setProperty("ownPlace", true);
    connect(renameEditor_, &QLineEdit::returnPressed, this, &MainWindow::commitRename);

    status_.window = this;
    g_.storage.status = &status_;
    resize(defaultSize());
    qApp->installEventFilter(this);
    // A code is typed in one go: a click, Tab or another window ends it. The focus a code moves itself
    // (an option list waiting for its entry digits, a menu group) keeps it.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (!runningCode_ && !QApplication::activePopupWidget()) clearKeyCode();
    });
    redisplay();
    sheet_->lineText(1)->setFocus();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    // Fields that lose the focus while they are destroyed must not reach the half-destroyed window.
    for (QWidget* w : findChildren<QWidget*>())
        w->disconnect(this);
    if (g_.storage.status == &status_) g_.storage.status = nullptr;
}

void MainWindow::TipStatus::show(const std::string& text) {
    QLabel* tip = window->bars_->hintLine();
    tip->setText(QString::fromStdString(text));
    tip->repaint(); // long operations report while they run
}

QSize MainWindow::defaultSize() {
    return {kAreaWidth + 4, kAreaHeight + 30};
}

void MainWindow::applyColours() {
    if (coloursYear_ == g_.year) return;
    coloursYear_ = g_.year;
    colours_ = yearColours(g_); // the user's colours of the year where he set them
    fillBackground(centralWidget(), toQColor(colourOf(colours_, ColourArea::Window)));
    if (auto* scroll = qobject_cast<QScrollArea*>(centralWidget()))
        fillBackground(scroll->widget(), toQColor(colourOf(colours_, ColourArea::Window)));
    sheet_->applyColours(colours_);
    bars_->applyColours(colours_);
}

// ---------------------------------------------------------------------------------------------
// Placement and closing

void MainWindow::restorePlacement(WindowGeometryStore* store) {
    store_ = store;
    if (!store_) return;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    // The frame is known once the window is shown; before that a title bar and borders are allowed for
    // so that the title bar stays reachable.
    QSize frame = frameGeometry().size() - geometry().size();
    if (!isVisible() && frame.isNull() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        frame = QSize(16, 40);
    WindowRect r = restoredWindowRect(
        store_->load().value_or(WindowRect{}), {avail.x(), avail.y(), avail.width(), avail.height()},
        defaultSize().width(), defaultSize().height(), frame.width(), frame.height());
    resize(r.width, r.height);
    move(r.x, r.y);
}

void MainWindow::savePlacement() {
    if (!store_ || isMaximized() || isMinimized()) return;
    store_->save(WindowRect{x(), y(), width(), height()});
}

void MainWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    savePlacement();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    savePlacement();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // An amount typed but not yet confirmed is taken as if the field had been left.
    if (auto* field = qobject_cast<AmountField*>(QApplication::focusWidget()); field && isAncestorOf(field))
        field->clearFocus();
    commitCaseName();
    if (calculatorWindow_) calculatorWindow_->close(); // its inputs go into the side file
    savePlacement();
    bars_->stopTimers();
    if (writeRecordOnClose_) callEngine(g_.prompter, [this] { SaveWindowRecord(g_); });
    e->accept();
}

// ---------------------------------------------------------------------------------------------
// Redisplay and the entry into the engine

void MainWindow::redisplay() {
    redisplaying_ = true;
    setUpdatesEnabled(false);
    std::string fault;
    try {
        applyColours();
        const SheetCaptions captions = sheetCaptions(g_);
        sheet_->redisplay(g_, colours_, captions);
        bars_->redisplay(g_, colours_, captions);
        showMemoOfCase();

        const bool yearSalary = g_.showsYearSalary();
        const QString program =
            g_.storage.caption.empty() ? QStringLiteral("varemo20") : q(g_.storage.caption);
        const QString period =
            yearSalary ? QStringLiteral("Jahresgehalt %1").arg(g_.year)
                       : QStringLiteral("%1/%2").arg(g_.month(), 2, 10, QLatin1Char('0')).arg(g_.year);
        setWindowTitle(QStringLiteral("%1 – %2 – %3 %4")
                           .arg(program, q(g_.workingCase.name), q(dataSetName(g_.dataSet)), period));
    } catch (...) {
        fault = userMessageOfCurrentException();
    }
    updateKeyState();
    setUpdatesEnabled(true);
    redisplaying_ = false;
    // After the window is whole again: the message box runs an event loop of its own.
    if (!fault.empty()) showEngineFault(g_.prompter, fault);
}

void MainWindow::showReminder(const std::optional<std::string>& text) {
    bars_->showReminder(text);
}

void MainWindow::updateKeyState() {
    bars_->showKeyState(keys_.pending());
}

void MainWindow::engine(const std::function<void()>& call) {
    // A calculator's window belongs to the case it was opened for: what it holds is kept before the call
    // may show another case, and then it closes.
    const bool calculating = calculatorWindow_ && calculatorWindow_->isVisible();
    if (calculating && calculatorWindow_->showsItsCase()) (void)calculatorWindow_->store();
    callEngine(g_.prompter, call);
    if (calculating && calculatorWindow_->isVisible() && !calculatorWindow_->showsItsCase())
        calculatorWindow_->close();
    redisplay();
}

// ---------------------------------------------------------------------------------------------
// Elements

SheetCell* MainWindow::lineNumber(int line) const {
    return sheet_->lineNumber(line);
}
SheetCell* MainWindow::lineText(int line) const {
    return sheet_->lineText(line);
}
AmountField* MainWindow::amountField(int line) const {
    return sheet_->amountField(line);
}
AmountField* MainWindow::extraField(AmountSlot slot) const {
    return sheet_->extraField(slot);
}
SheetCell* MainWindow::flagCell(int line, FlagColumn column) const {
    return sheet_->flagCell(line, column);
}
SheetCell* MainWindow::keyField(int line) const {
    return sheet_->keyField(line);
}
SheetCell* MainWindow::payGroupButton() const {
    return sheet_->payGroupButton();
}
QLineEdit* MainWindow::dateField() const {
    return sheet_->dateField();
}
QLabel* MainWindow::stepMovementLabel() const {
    return sheet_->stepMovementLabel();
}
QLabel* MainWindow::healthCaptionLabel() const {
    return sheet_->healthCaptionLabel();
}
QLabel* MainWindow::classIVCaptionLabel() const {
    return sheet_->classIVCaptionLabel();
}
QLineEdit* MainWindow::caseNameField() const {
    return bars_->caseNameField();
}
QSpinBox* MainWindow::caseNumberField() const {
    return bars_->caseNumberField();
}
QLineEdit* MainWindow::memoField() const {
    return bars_->memoField();
}
QPushButton* MainWindow::monthButtonWidget(int month) const {
    return bars_->monthButton(month);
}
QPushButton* MainWindow::yearButtonWidget(int year) const {
    return bars_->yearButton(year);
}
QPushButton* MainWindow::dataSetButton(DataSet set) const {
    return bars_->dataSetButton(set);
}
QPushButton* MainWindow::functionBarButton(int code) const {
    return bars_->functionButton(code);
}
QMenu* MainWindow::menuGroup(char letter) const {
    return bars_->menuGroup(letter);
}
SharePanel* MainWindow::sharePanel(int index) const {
    return bars_->sharePanel(index);
}
QLabel* MainWindow::hintLine() const {
    return bars_->hintLine();
}
QLabel* MainWindow::keyStateLabel() const {
    return bars_->keyStateLabel();
}
QLabel* MainWindow::reminderLabel() const {
    return bars_->reminderLabel();
}
QLabel* MainWindow::tariffAreaLabel() const {
    return bars_->tariffAreaLabel();
}
QPushButton* MainWindow::lawLinkButton() const {
    return bars_->lawLinkButton();
}
QPushButton* MainWindow::payStructureButton() const {
    return bars_->payStructureButton();
}
QTimer& MainWindow::reminderTimer() {
    return bars_->reminderTimer();
}

} // namespace varemo::ui
