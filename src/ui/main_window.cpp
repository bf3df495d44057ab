#include "ui/main_window.h"

#include "session/line_input.h"
#include "presentation/navigation.h"
#include "session/sheet_edits.h"
#include "presentation/sheet_view.h"
#include "session/backups.h"
#include "session/case_operations.h"
#include "persistence/window_record.h"
#include "session/year_transfer.h"
#include "ui/amount_field.h"
#include "ui/calculator_widget.h"
#include "ui/option_grid.h"
#include "ui/panel_key_filter_qt.h"
#include "ui/share_panel.h"
#include "ui/sheet_cell.h"
#include "ui/window_geometry_store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>

namespace varemo::ui {
namespace {

// Places, in pixels of the sheet area. Both halves have 24 rows (tastencode).
constexpr int kRowHeight = 22;
constexpr int kCellHeight = 20;
constexpr int kSheetTop = 104;
constexpr int kAreaWidth = 1120;
constexpr int kAreaHeight = 722;

struct ColumnX {
    int number, text, amount, flags, key, info, regulation;
};
constexpr ColumnX kColumns[2] = {
    {10, 38, 330, 424, 0, 545, 565},   // gross side; flags 7 × 17 from 424
    {604, 632, 924, 0, 1018, 1072, 1092}, // net side; key field 52 wide
};
constexpr int kNumberWidth = 26;
constexpr int kTextWidth = 290;
constexpr int kAmountWidth = 92;
constexpr int kFlagWidth = 16;
constexpr int kFlagStep = 17;
constexpr int kKeyWidth = 52;
constexpr int kButtonWidth = 18;

int rowY(int row) { return kSheetTop + row * kRowHeight; }

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
QString q(const std::string& s) { return QString::fromStdString(s); }

const char* flagHint(FlagColumn c) {
    switch (c) {
    case FlagColumn::WageTax: return "Spalte L: \"x\" lohnsteuerpflichtig, \"-\" steuerfrei.";
    case FlagColumn::SocialInsurance: return "Spalte S: \"x\" sozialversicherungspflichtig, \"-\" beitragsfrei.";
    case FlagColumn::SupplementaryPension: return "Spalte Z: \"x\" zusatzversorgungspflichtig, \"-\" umlagefrei.";
    case FlagColumn::PartTime: return "Spalte T: \"x\" wird bei Teilzeit in Zeile 22 gekürzt, \"-\" ungekürzt.";
    case FlagColumn::AnnualPayment: return "Spalte W: \"x\" zählt für die Jahressonderzahlung in Zeile 19, \"-\" nicht.";
    case FlagColumn::PerformancePay: return "\"L\" kennzeichnet den Betrag als Leistungsentgelt, \"N\" nicht.";
    case FlagColumn::PartialRetirement: return "Spalte B: Kategorie für die Altersteilzeitberechnung; ein Klick schaltet weiter.";
    }
    return "";
}

const char* kGreyHint = "Graues Währungsfeld. Der Betrag im Betragsfeld kann mit der Tastatur oder dem Taschenrechner "
                        "verändert werden.";
const char* kWhiteHint = "Weißes Währungsfeld. Der Betrag im Betragsfeld wurde vom Programm errechnet und kann nicht "
                         "verändert werden.";
const char* kQuickHint = "Über Strg+Plus/Minus lässt sich ein Betrag schnell addieren bzw. subtrahieren.";

QString withCode(const QString& hint, char letter, int number) {
    return hint + QStringLiteral("   (") + q(codeText(letter, number)) + QLatin1Char(')');
}

bool isTextEntry(QObject* o) {
    return qobject_cast<QLineEdit*>(o) || qobject_cast<QAbstractSpinBox*>(o);
}

} // namespace

MainWindow::MainWindow(Session& g, QWidget* parent) : QMainWindow(parent), g_(g) {
    setObjectName(QStringLiteral("form1"));
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* area = new QWidget;
    area->setFixedSize(kAreaWidth, kAreaHeight);
    area->setAutoFillBackground(true);
    scroll->setWidget(area);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCentralWidget(scroll);

    buildMenus();
    buildBars(area);
    buildSheet(area);
    buildBottom(area);

    grid_ = new OptionGrid(area);
    connect(grid_, &OptionGrid::chosen, this, &MainWindow::chooseEntry);
    connect(grid_, &OptionGrid::renameRequested, this, [this](int line) { renameEntry(line); });
    connect(grid_, &OptionGrid::closed, this, [this] { lines_[0].text->setFocus(); });
    calculator_ = new CalculatorWidget(area, g_.prompter);
    calculator_->setGeometry(kColumns[1].text + 40, rowY(6), 200, 330);
    connect(calculator_, &CalculatorWidget::transferRequested, this, [this](const QString& text) {
        if (focusedSlot_ < 0) {
            g_.prompter.tell("Rechner", {"Bitte klicken Sie zuerst in das graue Betragsfeld, das den Betrag "
                                         "übernehmen soll."});
            return;
        }
        commitAmount(focusedSlot_, text);
    });
    renameEditor_ = new QLineEdit(area);
    renameEditor_->setMaxLength(kCaseTextLength);
    renameEditor_->hide();
    connect(renameEditor_, &QLineEdit::returnPressed, this, &MainWindow::commitRename);

    reminderTimer_.setInterval(500);
    connect(&reminderTimer_, &QTimer::timeout, this, [this] { reminder_->setVisible(!reminder_->isVisible()); });
    clockTimer_.setInterval(1000);
    auto showClock = [this] {
        clock_->setText(QLocale(QLocale::German).toString(QDateTime::currentDateTime(), QStringLiteral("dd.MM.yyyy hh:mm")));
    };
    connect(&clockTimer_, &QTimer::timeout, this, showClock);
    clockTimer_.start();
    showClock();

    status_.window = this;
    g_.storage.status = &status_;
    resize(defaultSize());
    qApp->installEventFilter(this);
    redisplay();
    lines_[0].text->setFocus();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // Fields that lose the focus while they are destroyed must not reach the half-destroyed window.
    for (QWidget* w : findChildren<QWidget*>()) w->disconnect(this);
    if (g_.storage.status == &status_) g_.storage.status = nullptr;
}

void MainWindow::TipStatus::show(const std::string& text) {
    window->tip_->setText(QString::fromStdString(text));
    window->tip_->repaint(); // long operations report while they run
}

QSize MainWindow::defaultSize() { return {kAreaWidth + 4, kAreaHeight + 30}; }

// ---------------------------------------------------------------------------------------------
// Building

void MainWindow::setHint(QWidget* w, const QString& hint) { w->setProperty("hint", hint); }

void MainWindow::buildMenus() {
    for (const MenuGroup& group : menuGroups()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(group.caption));
        menu->setObjectName(QStringLiteral("y%1").arg(QLatin1Char(group.letter)));
        menu->setToolTipsVisible(true);
        menu->menuAction()->setToolTip(QString::fromUtf8(group.hint));
        setHint(menu, QString::fromUtf8(group.hint));
        menus_[group.letter] = menu;
        for (const MenuItem& item : menuItems()) {
            if (item.group != group.letter) continue;
            QAction* a = menu->addAction(q(codeText('Y', item.code)) + QStringLiteral("   ") + QString::fromUtf8(item.caption));
            int code = item.code;
            connect(a, &QAction::triggered, this, [this, code] { menuItem(code); });
        }
    }
}

void MainWindow::buildBars(QWidget* area) {
    int x = 10;
    for (const FunctionButton& f : functionButtons()) {
        auto* b = new QPushButton(q(codeText('f', f.code)), area);
        b->setObjectName(q(codeText('f', f.code)));
        b->setGeometry(x, 4, 40, 22);
        b->setFocusPolicy(Qt::NoFocus);
        setHint(b, withCode(QString::fromUtf8(f.hint), 'f', f.code));
        int code = f.code;
        connect(b, &QPushButton::clicked, this, [this, code] { functionButton(code); });
        functions_[static_cast<size_t>(f.code - 1)] = b;
        x += 42;
    }
    keyState_ = new QLabel(area);
    keyState_->setObjectName(QStringLiteral("Tastenstand"));
    keyState_->setGeometry(1024, 4, 86, 22);
    keyState_->setFrameShape(QFrame::Panel);
    keyState_->setFrameShadow(QFrame::Sunken);
    keyState_->setAlignment(Qt::AlignCenter);
    setHint(keyState_, QStringLiteral("Zeigt die Zeichen des Tastencodes, die bisher eingegeben wurden."));

    const DataSet sets[3] = {DataSet::Info, DataSet::Plan, DataSet::Real};
    x = 10;
    for (size_t i = 0; i < 3; ++i) {
        auto* b = new QPushButton(q(dataSetName(sets[i])), area);
        b->setObjectName(QStringLiteral("modi%1").arg(i));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(x, 30, 44, 22);
        setHint(b, QStringLiteral("INFO, PLAN und REAL sind voneinander völlig getrennte Speicherbereiche. Das "
                                  "Programm verfügt in jedem dieser Bereiche über alle Funktionen."));
        DataSet set = sets[i];
        connect(b, &QPushButton::clicked, this, [this, set] { changeDataSet(set); });
        dataSets_[i] = b;
        x += 46;
    }
    const char* copyCaptions[4] = {"I→P", "P→R", "P→I", "R→P"};
    const char* copyHints[4] = {"Kopiert den Personalfall (Januar bis Dezember) von INFO nach PLAN.",
                                "Kopiert den Personalfall (Januar bis Dezember) von PLAN nach REAL.",
                                "Kopiert den Personalfall (Januar bis Dezember) von PLAN nach INFO.",
                                "Kopiert den Personalfall (Januar bis Dezember) von REAL nach PLAN."};
    x = 156;
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(copyCaptions[i]), area);
        b->setObjectName(QStringLiteral("kopier%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(x, 30, 36, 22);
        setHint(b, QString::fromUtf8(copyHints[i]));
        connect(b, &QPushButton::clicked, this, [this, i] { copyCase(i); });
        copies_[static_cast<size_t>(i)] = b;
        x += 38;
    }
    x = 316;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        auto* b = new QPushButton(QString::number(year), area);
        b->setObjectName(QStringLiteral("year%1").arg(year));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(x, 30, 44, 22);
        setHint(b, withCode(QStringLiteral("Ein Jahreswechsel ist nur möglich, wenn ein Monatsgehalt eingestellt ist."),
                            'j', year % 100));
        connect(b, &QPushButton::clicked, this, [this, year] { yearButton(year); });
        years_[static_cast<size_t>(year - kFirstYear)] = b;
        x += 46;
    }
    x = 554;
    for (int month = 1; month <= 13; ++month) {
        auto* b = new QPushButton(month == 13 ? QStringLiteral("J") : QString::number(month), area);
        b->setObjectName(QStringLiteral("Mon%1").arg(month));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(x, 30, 28, 22);
        setHint(b, month == 13 ? withCode(QStringLiteral("Ruft das Jahresgehalt auf"), 'm', 13)
                               : withCode(QStringLiteral("Ruft das Monatsgehalt des %1. Monats auf").arg(month), 'm', month));
        connect(b, &QPushButton::clicked, this, [this, month] { monthButton(month); });
        months_[static_cast<size_t>(month - 1)] = b;
        x += 30;
    }
    memo_ = new QLineEdit(area);
    memo_->setObjectName(QStringLiteral("SSPanel7"));
    memo_->setGeometry(952, 30, 62, 22);
    memo_->setAlignment(Qt::AlignRight);
    memo_->setPlaceholderText(QStringLiteral("Merkfeld"));
    setHint(memo_, withCode(QStringLiteral("Merkfeld für einen Betrag, den Sie sich merken wollen."), 'f', 22));
    memo_->hide();
    clock_ = new QLabel(area);
    clock_->setGeometry(1012, 30, 100, 22);
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    caseNumber_ = new QSpinBox(area);
    caseNumber_->setObjectName(QStringLiteral("tdbnumber1"));
    caseNumber_->setRange(1, 9999);
    caseNumber_->setGeometry(10, 56, 64, 22);
    caseNumber_->setKeyboardTracking(false);
    setHint(caseNumber_, QStringLiteral("Nummer des Personalfalles. Eine Nummer hinter dem letzten Fall legt einen neuen "
                                        "Personalfall an."));
    connect(caseNumber_, &QSpinBox::editingFinished, this, &MainWindow::selectCaseNumber);
    caseName_ = new QLineEdit(area);
    caseName_->setObjectName(QStringLiteral("Text1"));
    caseName_->setMaxLength(kCaseTextLength);
    caseName_->setGeometry(78, 56, 260, 22);
    setHint(caseName_, QStringLiteral("Name des Personalfalles"));
    connect(caseName_, &QLineEdit::textEdited, this, [this](const QString& t) {
        tip_->setText(QString::number(t.size()) + QStringLiteral(" Buchstaben von maximal 35."));
    });
    connect(caseName_, &QLineEdit::returnPressed, this, &MainWindow::commitCaseName);
    connect(caseName_, &QLineEdit::editingFinished, this, &MainWindow::commitCaseName);
    tariffArea_ = new QLabel(area);
    tariffArea_->setGeometry(346, 56, 200, 22);
    tariffArea_->setFrameShape(QFrame::Panel);
    tariffArea_->setFrameShadow(QFrame::Sunken);
    tariffArea_->setAlignment(Qt::AlignCenter);
    setHint(tariffArea_, QStringLiteral("Tarifgebiet des Personalfalles"));
    lawLink_ = new QPushButton(area);
    lawLink_->setGeometry(552, 56, 56, 22);
    lawLink_->setFocusPolicy(Qt::NoFocus);
    setHint(lawLink_, QStringLiteral("Beamtengesetz des Bundes bzw. des Landes"));
    connect(lawLink_, &QPushButton::clicked, this, [this] { answerUnavailable(Availability::Later); });
    payStructure_ = new QPushButton(area);
    payStructure_->setGeometry(612, 56, 150, 22);
    payStructure_->setFocusPolicy(Qt::NoFocus);
    setHint(payStructure_, QStringLiteral("Entgeltordnung des Tarifvertrags"));
    connect(payStructure_, &QPushButton::clicked, this, [this] { answerUnavailable(Availability::Later); });
    reminder_ = new QLabel(area);
    reminder_->setGeometry(768, 56, 342, 22);
    reminder_->setAlignment(Qt::AlignCenter);
    QFont bold = reminder_->font();
    bold.setBold(true);
    reminder_->setFont(bold);
    QPalette rp = reminder_->palette();
    rp.setColor(QPalette::WindowText, QColor(190, 0, 0));
    reminder_->setPalette(rp);
    reminder_->hide();
}

void MainWindow::buildSheet(QWidget* area) {
    grossSide_ = new QWidget(area);
    grossSide_->setObjectName(QStringLiteral("SSPanel2"));
    grossSide_->setGeometry(4, 82, 590, rowY(kSheetRows) - 82 + 2);
    grossSide_->setAutoFillBackground(true);
    setHint(grossSide_, QStringLiteral("Bruttoseite: Zeilen 1 bis 23"));
    netSide_ = new QWidget(area);
    netSide_->setObjectName(QStringLiteral("SSPanel1"));
    netSide_->setGeometry(598, 82, 518, rowY(kSheetRows) - 82 + 2);
    netSide_->setAutoFillBackground(true);
    setHint(netSide_, QStringLiteral("Nettoseite: Zeilen 24 bis 47"));
    auto heading = [&](QWidget* parent, const QString& text) {
        auto* l = new QLabel(text, parent);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setGeometry(34, 2, 300, 18);
    };
    heading(grossSide_, QStringLiteral("B R U T T O"));
    heading(netSide_, QStringLiteral("N E T T O"));

    // Headings of the flag columns, in the row between lines 7 and 8.
    for (FlagColumn c : kAllFlagColumns) {
        auto* l = new QLabel(QString::fromUtf8(flagColumnHeading(c)), area);
        int i = static_cast<int>(c);
        l->setGeometry(kColumns[0].flags + i * kFlagStep, rowY(kFlagHeadingRow), kFlagWidth, kCellHeight);
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        setHint(l, QString::fromUtf8(flagHint(c)));
        l->setObjectName(QStringLiteral("Label%1").arg(4 + i));
        flagHeadings_[static_cast<size_t>(i)] = l;
    }
    auto* flagCaption = new QLabel(QStringLiteral("Kennzeichen der Zeilen 8 bis 20:"), area);
    flagCaption->setGeometry(kColumns[0].amount - 120, rowY(kFlagHeadingRow), 210, kCellHeight);
    flagCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    for (int line = 1; line <= kSheetLines; ++line) buildLine(area, line);
}

void MainWindow::buildLine(QWidget* area, int line) {
    LineElements& e = lines_[static_cast<size_t>(line - 1)];
    LinePlacement place = tastencode(line);
    const ColumnX& col = kColumns[place.column];
    const int y = rowY(place.row);

    e.number = new SheetCell(area);
    e.number->setObjectName(QStringLiteral("com%1").arg(line));
    e.number->setGeometry(col.number, y, kNumberWidth, kCellHeight);
    e.number->setCellText(QString::number(line));
    e.number->setFocusPolicy(Qt::NoFocus);
    setHint(e.number, withCode(QStringLiteral("Öffnet die Hilfe zur Funktion der Zeile %1").arg(line), 'h', line));
    connect(e.number, &QAbstractButton::clicked, this, [this, line] { lineHelp(line); });

    int textWidth = kTextWidth;
    if (line == 22 || line == 23) textWidth = 164;
    e.text = new SheetCell(area, Qt::AlignLeft);
    e.text->setObjectName(QStringLiteral("z%1").arg(line));
    e.text->setGeometry(col.text, y, textWidth, kCellHeight);
    QString textHint = line == 1 ? QStringLiteral("Öffnet die Liste der Personalfälle; der Eintrag nach dem letzten Fall "
                                                  "legt einen neuen Personalfall an")
                                 : QStringLiteral("Öffnet die Auswahlliste der Zeile %1").arg(line);
    if (hasRenamableEntry(line))
        textHint += QStringLiteral("; rechte Maustaste: 1. Eintrag umbenennen (%1)").arg(q(codeText('n', line)));
    setHint(e.text, withCode(textHint, 'a', line));
    connect(e.text, &QAbstractButton::clicked, this, [this, line] { openOptionList(line); });
    if (hasRenamableEntry(line)) connect(e.text, &SheetCell::rightClicked, this, [this, line] { renameEntry(line); });

    int amountSlot = lineInfo(line).amountSlot;
    if (amountSlot >= 0) {
        e.amount = new AmountField(area, amountSlot);
        e.amount->setObjectName(QStringLiteral("t%1").arg(line));
        e.amount->setGeometry(col.amount, y, kAmountWidth, kCellHeight);
        connect(e.amount, &AmountField::committed, this, &MainWindow::commitAmount);
        connect(e.amount, &AmountField::focused, this, [this, line](int slot) {
            focusedSlot_ = lines_[static_cast<size_t>(line - 1)].amount->isTyped() ? slot : focusedSlot_;
            calculator_->setTarget(QStringLiteral("Ziel: Zeile %1").arg(line));
        });
    }
    if (line >= kFirstGrossLine && line <= kLastGrossLine) {
        for (FlagColumn c : kAllFlagColumns) {
            int i = static_cast<int>(c);
            auto* cell = new SheetCell(area);
            cell->setObjectName(QStringLiteral("flag%1_%2").arg(line).arg(QString::fromUtf8(flagColumnHeading(c))));
            cell->setGeometry(col.flags + i * kFlagStep, y, kFlagWidth, kCellHeight);
            cell->setFocusPolicy(Qt::NoFocus);
            QString hint = QString::fromUtf8(flagHint(c));
            setHint(cell, c == FlagColumn::PartialRetirement ? withCode(hint, 'b', line)
                                                             : withCode(hint, flagColumnCodeLetter(c), line));
            connect(cell, &QAbstractButton::clicked, this, [this, line, c] {
                if (c == FlagColumn::PartialRetirement) advanceCategory(line);
                else toggleFlag(line, c);
            });
            e.flags[static_cast<size_t>(i)] = cell;
        }
    }
    if (keyFieldIndex(line) >= 0 || line == 43) {
        e.key = new SheetCell(area);
        e.key->setObjectName(line == 43 ? QStringLiteral("dem") : QStringLiteral("SR%1").arg(line));
        e.key->setGeometry(col.key, y, kKeyWidth, kCellHeight);
        e.key->setFocusPolicy(Qt::NoFocus);
        setHint(e.key, line == 43 ? QStringLiteral("U = Umlageanteil aus versteuertem und beitragspflichtigem Entgelt, "
                                                   "K = Anteil des Kapitalbeitrags (steuer- und beitragsfrei)")
                                  : QStringLiteral("Schlüssel: 1. Stelle Zahlungsart, 2. Steuer, 3. Sozialversicherung, "
                                                   "4. Zusatzversorgung, 5. Arbeitgeberkosten"));
        connect(e.key, &QAbstractButton::clicked, this, [this] { answerUnavailable(Availability::Later); });
    }
    if (hasInfoButton(line)) {
        e.info = new SheetCell(area);
        e.info->setObjectName(QStringLiteral("extra%1").arg(line));
        e.info->setGeometry(col.info, y, kButtonWidth, kCellHeight);
        e.info->setCellText(QStringLiteral("i"));
        e.info->setFocusPolicy(Qt::NoFocus);
        setHint(e.info, withCode(line == 1 ? QStringLiteral("Stammdaten des Personalfalles")
                                           : QStringLiteral("Assistent bzw. Erläuterung zur Zeile %1").arg(line),
                                 'i', line));
        connect(e.info, &QAbstractButton::clicked, this, [this, line] { infoButton(line); });
    }
    if (hasRegulationButton(line) || line == 1) {
        e.regulation = new SheetCell(area);
        e.regulation->setObjectName(QStringLiteral("par%1").arg(line));
        e.regulation->setGeometry(col.regulation, y, kButtonWidth, kCellHeight);
        e.regulation->setCellText(line == 1 ? QStringLiteral("?") : QStringLiteral("§"));
        e.regulation->setFocusPolicy(Qt::NoFocus);
        if (line == 1) {
            setHint(e.regulation, withCode(QStringLiteral("Suche eines Personalfalles"), 'i', 0));
            connect(e.regulation, &QAbstractButton::clicked, this, [this] { infoButton(0); });
        } else {
            setHint(e.regulation, withCode(line == 47 ? QStringLiteral("Export der Daten des Monats")
                                                      : QStringLiteral("Vorschriften zur Zeile %1").arg(line),
                                           'v', line));
            connect(e.regulation, &QAbstractButton::clicked, this, [this, line] { regulation(line); });
        }
    }

    // Further fields of lines 4, 6, 7, 22, 23 and 33.
    if (line == 4) {
        payGroup_ = new SheetCell(area, Qt::AlignLeft);
        payGroup_->setObjectName(QStringLiteral("payGroup"));
        payGroup_->setGeometry(col.amount, y, kAmountWidth, kCellHeight);
        setHint(payGroup_, QStringLiteral("Besoldungs-, Vergütungs- bzw. Entgeltgruppe: öffnet die Auswahlliste"));
        connect(payGroup_, &QAbstractButton::clicked, this, &MainWindow::openPayGroupList);
    }
    if (line == 6) {
        dateField_ = new QLineEdit(area);
        dateField_->setObjectName(QStringLiteral("bdabeginn"));
        dateField_->setGeometry(col.amount, y, kAmountWidth, kCellHeight);
        dateField_->setMaxLength(kDateLength);
        dateField_->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
        setHint(dateField_, withCode(QStringLiteral("Datum in der Form TT.MM.JJJJ, mit der Entertaste bestätigen"), 'n', 6));
        PanelKeyFilter::install(dateField_, PanelFieldKind::DateLong, g_.prompter);
        connect(dateField_, &QLineEdit::returnPressed, this, &MainWindow::commitDate);
    }
    if (line == 7) {
        stepMovement_ = new QLabel(area);
        stepMovement_->setGeometry(col.amount, y, kAmountWidth + 2 + 7 * kFlagStep, kCellHeight);
        setHint(stepMovement_, QStringLiteral("Stufenverkürzung bzw. -verlängerung in Monaten"));
    }
    if (line == 33) {
        healthCaption_ = new QLabel(area);
        healthCaption_->setGeometry(col.amount, y, col.regulation + kButtonWidth + 4 - col.amount, kCellHeight);
        QFont small = healthCaption_->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        healthCaption_->setFont(small);
        setHint(healthCaption_, QStringLiteral("Zusatzbeitrag Krankenvers. "));
    }
    for (const ExtraField& f : extraFields()) {
        if (f.line != line) continue;
        auto* field = new AmountField(area, f.slot);
        field->setObjectName(QStringLiteral("slot%1").arg(f.slot));
        setHint(field, QString::fromUtf8(f.hint) + QLatin1Char(' ') + QString::fromUtf8(kQuickHint));
        connect(field, &AmountField::committed, this, &MainWindow::commitAmount);
        connect(field, &AmountField::focused, this, [this, line](int slot) {
            focusedSlot_ = slot;
            calculator_->setTarget(QStringLiteral("Ziel: Zeile %1").arg(line));
        });
        extras_[f.slot] = field;
    }
    if (line == 4) {
        auto* label = new QLabel(QStringLiteral("Faktor"), area);
        label->setGeometry(col.flags, y, 40, kCellHeight);
        extras_[slot::TariffFactor]->setGeometry(col.flags + 40, y, 58, kCellHeight);
        auto* percent = new QLabel(QStringLiteral("%"), area);
        percent->setGeometry(col.flags + 101, y, 14, kCellHeight);
    }
    if (line == 22 || line == 23) {
        int first = line == 22 ? slot::AgreedHours : slot::PaidDays;
        int second = line == 22 ? slot::RegularHours : slot::MonthDays;
        extras_[first]->setGeometry(col.text + 166, y, 56, kCellHeight);
        auto* of = new QLabel(QStringLiteral("v."), area);
        of->setGeometry(col.text + 224, y, 12, kCellHeight);
        extras_[second]->setGeometry(col.text + 236, y, 54, kCellHeight);
    }
}

void MainWindow::buildBottom(QWidget* area) {
    const int y = rowY(kSheetRows) + 10;
    const char* names[3] = {"sspanel10", "SSPanel11", "SSPanel12"};
    const char* hints[3] = {"Anteil der Steuern (Zeilen 34 bis 36) am Bruttogehalt der Zeile 23",
                            "Anteil der Sozialversicherung (Zeilen 37 bis 41) am Bruttogehalt der Zeile 23",
                            "Anteil des Nettos (Zeile 47) am Bruttogehalt der Zeile 23"};
    for (int i = 0; i < 3; ++i) {
        auto* p = new SharePanel(area);
        p->setObjectName(QString::fromUtf8(names[i]));
        p->setGeometry(10 + i * 368, y, 362, 28);
        setHint(p, QString::fromUtf8(hints[i]));
        shares_[static_cast<size_t>(i)] = p;
    }
    instructions_ = new QLabel(area);
    instructions_->setObjectName(QStringLiteral("Anleitungstext"));
    instructions_->setGeometry(10, y + 34, 1100, 18);
    instructions_->setText(QStringLiteral("Zeile anklicken oder Code tippen: a04 öffnet die Auswahlliste der Zeile 4, "
                                          "e13 das Betragsfeld der Zeile 13, m13 das Jahresgehalt, y die Menüzeile, "
                                          "Esc bricht ab."));
    tip_ = new QLabel(area);
    tip_->setObjectName(QStringLiteral("Tip"));
    tip_->setGeometry(10, y + 54, 1100, 20);
    tip_->setFrameShape(QFrame::Panel);
    tip_->setFrameShadow(QFrame::Sunken);
    tip_->setAutoFillBackground(true);
}

void MainWindow::applyColours() {
    if (coloursYear_ == g_.year) return;
    coloursYear_ = g_.year;
    colours_ = defaultColours(g_.year);
    auto fill = [](QWidget* w, QColor c) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, c);
        w->setPalette(p);
    };
    fill(centralWidget(), toQColor(colourOf(colours_, ColourArea::Window)));
    if (auto* scroll = qobject_cast<QScrollArea*>(centralWidget()))
        fill(scroll->widget(), toQColor(colourOf(colours_, ColourArea::Window)));
    fill(grossSide_, toQColor(colourOf(colours_, ColourArea::GrossSide)));
    fill(netSide_, toQColor(colourOf(colours_, ColourArea::NetSide)));
    fill(tip_, toQColor(colourOf(colours_, ColourArea::HintLine)));
    for (auto& e : lines_) {
        e.number->setBackground(toQColor(colourOf(colours_, ColourArea::LineNumber)));
        e.text->setBackground(toQColor(colourOf(colours_, ColourArea::LineText)));
        for (SheetCell* f : e.flags)
            if (f) f->setBackground(toQColor(colourOf(colours_, ColourArea::FlagColumns)));
        for (SheetCell* c : {e.info, e.regulation, e.key})
            if (c) c->setBackground(toQColor(colourOf(colours_, ColourArea::LineNumber)));
    }
    payGroup_->setBackground(toQColor(colourOf(colours_, ColourArea::LineText)));
    for (SharePanel* s : shares_) s->setBarColour(toQColor(colourOf(colours_, ColourArea::ShareBar)));
}

void MainWindow::restorePlacement(WindowGeometryStore* store) {
    store_ = store;
    if (!store_) return;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    WindowRect r = restoredWindowRect(store_->load().value_or(WindowRect{}),
                                      {avail.x(), avail.y(), avail.width(), avail.height()}, defaultSize().width(),
                                      defaultSize().height());
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
    savePlacement();
    reminderTimer_.stop();
    clockTimer_.stop();
    if (writeRecordOnClose_) {
        try {
            SaveWindowRecord(g_);
        } catch (const std::exception& error) {
            g_.prompter.tell("varemo20", {error.what()}, PromptIcon::Warning);
        }
    }
    e->accept();
}

// ---------------------------------------------------------------------------------------------
// Redisplay

void MainWindow::redisplay() {
    redisplaying_ = true;
    setUpdatesEnabled(false);
    applyColours();
    const Case& c = g_.workingCase;
    const QColor grey = toQColor(colourOf(colours_, ColourArea::TypedAmount));
    const QColor white = toQColor(colourOf(colours_, ColourArea::ComputedAmount));
    const bool yearSalary = g_.showsYearSalary();

    for (int line = 1; line <= kSheetLines; ++line) {
        LineElements& e = lines_[static_cast<size_t>(line - 1)];
        const SheetLine& s = g_.sheet.line(line);
        const bool shown = lineShown(c, line);
        QString text = q(s.text);
        if (line == 6) text = q(dateLabelText(g_)); // the sheet keeps the date as line 6's text
        e.text->setCellText(text);
        for (QWidget* w : {static_cast<QWidget*>(e.number), static_cast<QWidget*>(e.text)}) w->setVisible(shown);
        if (e.amount) {
            AmountFieldState state = amountFieldState(g_, line);
            e.amount->setVisible(shown);
            e.amount->showValue(s.amountCents ? q(Money::fromCents(*s.amountCents).toDisplay()) : QString());
            bool typed = state == AmountFieldState::Typed;
            e.amount->setTyped(typed, grey, white);
            setHint(e.amount, withCode(typed ? QString::fromUtf8(kGreyHint) + QLatin1Char(' ') + QString::fromUtf8(kQuickHint)
                                             : QString::fromUtf8(kWhiteHint),
                                       'e', line));
        }
        if (e.info) e.info->setVisible(shown);
        if (e.regulation) e.regulation->setVisible(shown);
        if (e.key) {
            e.key->setVisible(shown);
            int k = keyFieldIndex(line);
            e.key->setCellText(k >= 0 ? q(c.keyCodes[static_cast<size_t>(k)]) : QStringLiteral("U"));
        }
        if (line >= kFirstGrossLine && line <= kLastGrossLine) {
            for (FlagColumn col : kAllFlagColumns) {
                SheetCell* cell = e.flags[static_cast<size_t>(col)];
                cell->setVisible(shown && flagColumnShown(c, col));
                cell->setCellText(q(flagCellText(c, line, col)));
            }
        }
    }
    for (FlagColumn col : kAllFlagColumns) flagHeadings_[static_cast<size_t>(col)]->setVisible(flagColumnShown(c, col));
    for (auto& [slotNo, field] : extras_) {
        const ExtraField* f = nullptr;
        for (const ExtraField& x : extraFields())
            if (x.slot == slotNo) f = &x;
        field->setVisible(lineShown(c, f->line));
        field->showValue(q(amountFieldText(slotNo, c.amount(slotNo))));
        field->setTyped(!yearSalary, grey, white);
    }
    payGroup_->setCellText(q(payGroupText(g_)));
    payGroup_->setVisible(lineShown(c, 4));
    dateField_->setText(q(c.dateText));
    dateField_->setReadOnly(yearSalary);

    SheetCaptions k = sheetCaptions(g_);
    shares_[0]->setShare(q(k.taxShare), k.taxPercent);
    shares_[1]->setShare(q(k.socialShare), k.socialPercent);
    shares_[2]->setShare(q(k.netShare), k.netPercent);
    lawLink_->setText(q(k.lawLink));
    lawLink_->setVisible(!k.lawLink.empty());
    payStructure_->setText(q(k.payStructure));
    payStructure_->setVisible(!k.payStructure.empty());
    tariffArea_->setText(q(k.tariffArea));
    stepMovement_->setText(q(k.stepMovement));
    healthCaption_->setText(q(k.healthCaption));
    for (int line : {34, 35, 36})
        setHint(lines_[static_cast<size_t>(line - 1)].text,
                q(k.taxBlock).trimmed() + QStringLiteral(": Zeile %1").arg(line));
    showReminder(k.reminder);

    for (size_t i = 0; i < months_.size(); ++i) months_[i]->setChecked(static_cast<int>(i) + 1 == g_.month());
    for (size_t i = 0; i < years_.size(); ++i) {
        bool current = static_cast<int>(i) + kFirstYear == g_.year;
        years_[i]->setChecked(current);
        QPalette p = years_[i]->palette();
        p.setColor(QPalette::Button, current ? toQColor(colourOf(colours_, ColourArea::YearButtonActive))
                                             : QApplication::palette().color(QPalette::Button));
        years_[i]->setPalette(p);
    }
    for (size_t i = 0; i < dataSets_.size(); ++i) dataSets_[i]->setChecked(static_cast<int>(i) == static_cast<int>(g_.dataSet));
    functions_[19]->setText(g_.followingMonthsOn ? QStringLiteral("f20") : QStringLiteral("f20 aus"));
    if (!caseName_->hasFocus()) caseName_->setText(q(c.name));
    caseName_->setReadOnly(yearSalary);
    if (!caseNumber_->hasFocus()) caseNumber_->setValue(g_.caseNumber);

    const QString program = g_.storage.caption.empty() ? QStringLiteral("varemo20") : q(g_.storage.caption);
    const QString period = yearSalary ? QStringLiteral("Jahresgehalt %1").arg(g_.year)
                                      : QStringLiteral("%1/%2").arg(g_.month(), 2, 10, QLatin1Char('0')).arg(g_.year);
    setWindowTitle(QStringLiteral("%1 – %2 – %3 %4").arg(program, q(c.name), q(dataSetName(g_.dataSet)), period));
    updateKeyState();
    setUpdatesEnabled(true);
    redisplaying_ = false;
}

void MainWindow::showReminder(const std::optional<std::string>& text) {
    reminderText_ = text;
    if (text) {
        reminder_->setText(q(*text));
        if (!reminderTimer_.isActive()) {
            reminder_->show();
            reminderTimer_.start();
        }
    } else {
        reminderTimer_.stop();
        reminder_->hide();
    }
}

void MainWindow::updateKeyState() { keyState_->setText(q(keys_.pending())); }

// ---------------------------------------------------------------------------------------------
// Input

template <typename F> void MainWindow::engine(F&& f) {
    f();
    redisplay();
}

void MainWindow::commitAmount(int slotNo, const QString& text) {
    if (redisplaying_) return;
    engine([&] { EnterAmount(g_, slotNo, text.trimmed().toStdString()); });
}

void MainWindow::commitDate() {
    std::string text = dateField_->text().trimmed().toStdString();
    if (text == g_.workingCase.dateText) return;
    engine([&] { EnterDate(g_, text); });
}

void MainWindow::commitCaseName() {
    if (redisplaying_ || !caseName_->isModified()) return;
    caseName_->setModified(false);
    std::string name = caseName_->text().toStdString();
    if (name == g_.workingCase.name) return;
    engine([&] { RenameCase(g_, name); });
}

void MainWindow::selectCaseNumber() {
    if (redisplaying_ || caseNumber_->value() == g_.caseNumber) return;
    int n = caseNumber_->value();
    engine([&] { SelectCase(g_, n); });
}

void MainWindow::changeDataSet(DataSet set) {
    engine([&] { SelectDataSet(g_, set); });
}

void MainWindow::copyCase(int direction) {
    auto sets = copyDirection(direction);
    if (!sets) return;
    engine([&] {
        if (CopyCase(g_, sets->first, sets->second) == StorageResult::Done) ShowSelection(g_);
    });
}

void MainWindow::openOptionList(int line) {
    if (!CanChangeLines(g_)) return;
    if (line == 6 && g_.sheet.line(6).options.empty()) {
        // Without label texts the date is all line 6 offers.
        dateField_->setFocus();
        dateField_->selectAll();
        return;
    }
    auto entries = optionGridEntries(g_, line);
    if (entries.empty()) return;
    QStringList list;
    for (const auto& e : entries) list << q(e);
    int current = line == 1 ? g_.caseNumber - 1 : lineKey(g_.workingCase, line).value_or(-1);
    LinePlacement place = tastencode(line);
    const int rows = std::min(static_cast<int>(list.size()), 16);
    const int height = 70 + rows * 18;
    int x = place.column == 0 ? kColumns[0].amount : kColumns[1].number - 336;
    int y = std::clamp(rowY(place.row) - 4, 84, kAreaHeight - height - 4);
    grid_->setGeometry(x, y, 330, height);
    grid_->showEntries(line, false, QStringLiteral("Zeile %1: %2").arg(line).arg(QString::fromUtf8(lineInfo(line).caption)),
                       list, current, hasRenamableEntry(line) && line != 28 && line != 1);
}

void MainWindow::openPayGroupList() {
    if (!CanChangeLines(g_)) return;
    QStringList list;
    for (const auto& e : payGroupEntries(g_)) list << q(e);
    int y = std::clamp(rowY(tastencode(4).row) - 4, 84, kAreaHeight - 360);
    grid_->setGeometry(kColumns[0].amount, y, 330, 70 + 16 * 18);
    grid_->showEntries(4, true, QStringLiteral("Zeile 4: Gruppe"), list, g_.workingCase.payGroup(), false);
}

void MainWindow::chooseEntry(int line, bool payGroup, int position) {
    closeOptionGrid();
    if (line == 1) {
        engine([&] {
            if (CanChangeLines(g_)) SelectCase(g_, position + 1);
        });
        return;
    }
    engine([&] {
        if (payGroup) SetKey(g_, slot::PayGroup, position);
        else ChooseOption(g_, line, position);
    });
    lines_[static_cast<size_t>(line - 1)].text->setFocus();
}

void MainWindow::closeOptionGrid() {
    if (grid_->isVisible()) grid_->hide();
}

void MainWindow::advanceCategory(int line) { toggleFlag(line, FlagColumn::PartialRetirement); }

void MainWindow::toggleFlag(int line, FlagColumn column) {
    engine([&] { ToggleFlag(g_, line, column); });
}

void MainWindow::focusAmount(int line) {
    LineElements& e = lines_[static_cast<size_t>(line - 1)];
    QLineEdit* target = e.amount;
    if (line == 6) target = dateField_;
    else if (line == 4) target = extras_[slot::TariffFactor];
    else if (line == 22) target = extras_[slot::AgreedHours];
    else if (line == 23) target = extras_[slot::PaidDays];
    if (!target || !target->isVisible()) return;
    if (auto* field = qobject_cast<AmountField*>(target); field && !field->isTyped()) {
        if (g_.showsYearSalary()) CanChangeLines(g_); // says why nothing can be typed
        return;
    }
    target->setFocus(Qt::ShortcutFocusReason);
    target->selectAll();
}

void MainWindow::lineHelp(int) { answerUnavailable(Availability::OnDemand); }

void MainWindow::infoButton(int) { answerUnavailable(Availability::Later); }

void MainWindow::regulation(int) { answerUnavailable(Availability::Later); }

void MainWindow::yearButton(int year) {
    engine([&] { SelectYear(g_, year); });
}

void MainWindow::monthButton(int month) {
    engine([&] { SelectMonth(g_, month); });
}

void MainWindow::renameEntry(int line) {
    if (line == 6) {
        focusAmount(6);
        return;
    }
    if (!CanChangeLines(g_)) return;
    if (line == 28) {
        RenameFirstEntry(g_, 28, "");
        return;
    }
    if (line == 1) {
        caseName_->setFocus();
        caseName_->selectAll();
        return;
    }
    closeOptionGrid();
    const auto& options = g_.sheet.line(line).options;
    SheetCell* text = lines_[static_cast<size_t>(line - 1)].text;
    renameLine_ = line;
    renameEditor_->setGeometry(text->geometry());
    renameEditor_->setText(options.empty() ? QString() : q(options[0]));
    renameEditor_->show();
    renameEditor_->raise();
    renameEditor_->setFocus();
    renameEditor_->selectAll();
    tip_->setText(QStringLiteral("Neuer Name des 1. Eintrags der Zeile %1, mit der Entertaste bestätigen").arg(line));
}

void MainWindow::commitRename() {
    int line = renameLine_;
    renameLine_ = 0;
    renameEditor_->hide();
    if (line == 0) return;
    std::string text = renameEditor_->text().toStdString();
    engine([&] { RenameFirstEntry(g_, line, text); });
    lines_[static_cast<size_t>(line - 1)].text->setFocus();
}

void MainWindow::answerUnavailable(Availability a) { g_.prompter.ask(unavailableMessage(a)); }

void MainWindow::functionButton(int number) {
    auto f = findFunctionButton(number);
    if (!f) return;
    switch (number) {
    case 2:
        if (isMaximized()) showNormal();
        else showMaximized();
        return;
    case 11:
        calculator_->setVisible(!calculator_->isVisible());
        if (calculator_->isVisible()) calculator_->raise();
        return;
    case 20:
        g_.followingMonthsOn = !g_.followingMonthsOn;
        tip_->setText(g_.followingMonthsOn
                          ? QStringLiteral("Die Folgemonate bis Dezember werden wieder automatisch berechnet.")
                          : QStringLiteral("Die automatische Berechnung der Folgemonate ist ausgeschaltet."));
        redisplay();
        return;
    case 22:
        memo_->setVisible(!memo_->isVisible());
        if (memo_->isVisible()) memo_->setFocus();
        return;
    case 14:
    case 21:
        if (g_.showsYearSalary()) {
            g_.prompter.ask(yearSalaryMenuRefusal());
            return;
        }
        engine([&] {
            if (number == 14) AdoptAsModelCase(g_);
            else TransferCaseToNextYear(g_);
        });
        return;
    case 15:
        engine([&] {
            if (MoveSortAllowed(g_) && SortCases(g_) == StorageResult::Done) ShowSelection(g_);
        });
        return;
    case 24:
        if (g_.showsYearSalary()) {
            g_.prompter.tell("Nicht für das Jahresgehalt",
                             {"Die Entgeltbescheinigung steht nur für Monatsgehälter zur Verfügung."});
            return;
        }
        break;
    default: break;
    }
    if (f->availability != Availability::Built) answerUnavailable(f->availability);
}

void MainWindow::menuItem(int number) {
    for (auto& [letter, menu] : menus_) menu->hide();
    auto item = findMenuItem(number);
    if (!item) return;
    if (number == 11) {
        EndSession(g_);
        close();
        return;
    }
    if (number >= 62 && number <= 65) {
        int year = kFirstYear + number - 62;
        engine([&] { TransferAllToNextYear(g_, year); });
        return;
    }
    if (number >= 66 && number <= 70) {
        int year = kFirstYear + number - 66;
        engine([&] {
            if (DeleteYear(g_, year) == StorageResult::Done && year == g_.year) ShowSelection(g_);
        });
        return;
    }
    if (item->availability != Availability::Built) answerUnavailable(item->availability);
}

void MainWindow::openMenuGroup(char letter) {
    auto it = menus_.find(letter);
    if (it == menus_.end()) return;
    QMenu* menu = it->second;
    QRect r = menuBar()->actionGeometry(menu->menuAction());
    menu->popup(menuBar()->mapToGlobal(r.bottomLeft()));
}

// ---------------------------------------------------------------------------------------------
// Keys and hints

void MainWindow::escape() {
    closeOptionGrid();
    if (renameEditor_->isVisible()) {
        renameLine_ = 0;
        renameEditor_->hide();
    }
    for (auto& [letter, menu] : menus_) menu->hide();
    keys_.reset();
    updateKeyState();
    lines_[0].text->setFocus();
}

bool MainWindow::previewKey(QObject* target, QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        keys_.press(KeyPress::escape());
        escape();
        return true;
    }
    // Typing into a text field is no code.
    if (isTextEntry(target)) return false;
    KeyPress k = KeyPress::other();
    const int key = e->key();
    if (key == Qt::Key_Control) k = KeyPress::control();
    else if (key >= Qt::Key_0 && key <= Qt::Key_9) k = KeyPress::digit(key - Qt::Key_0);
    else if (key >= Qt::Key_A && key <= Qt::Key_Z && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        k = KeyPress::letter(static_cast<char>('A' + (key - Qt::Key_A)));
    else if (key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta) return false;
    const int stateBefore = keys_.state();
    KeyResult r = keys_.press(k);
    updateKeyState();
    switch (r.outcome) {
    case KeyOutcome::Ignored: return false;
    case KeyOutcome::Consumed: return true;
    case KeyOutcome::Cancelled:
        // In an open option list the arrows and Enter still move and choose.
        return stateBefore != 3 && stateBefore != 4;
    case KeyOutcome::Execute:
        tastenauswertung(r.code, *this);
        updateKeyState();
        return true;
    case KeyOutcome::OpenMenuGroup: openMenuGroup(r.group); return true;
    case KeyOutcome::ChooseEntry:
        if (grid_->isVisible() && r.entry >= 1 && r.entry <= grid_->entryCount())
            chooseEntry(grid_->line(), grid_->isPayGroup(), r.entry - 1);
        return true;
    case KeyOutcome::Escape: escape(); return true;
    }
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Enter) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    bool mine = w == this || isAncestorOf(w);
    bool ownMenu = false;
    for (auto& [letter, menu] : menus_) ownMenu |= w == menu;
    if (type == QEvent::Enter) {
        if (mine) {
            QVariant hint = w->property("hint");
            if (hint.isValid()) tip_->setText(hint.toString());
        }
        return false;
    }
    auto* e = static_cast<QKeyEvent*>(event);
    if (ownMenu) {
        // Digits after a menu group choose its item as a code (y a 4 1).
        if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) return previewKey(watched, e);
        return false;
    }
    if (!mine) return false;
    return previewKey(watched, e);
}

// ---------------------------------------------------------------------------------------------
// Elements

SheetCell* MainWindow::lineNumber(int line) const { return lines_.at(static_cast<size_t>(line - 1)).number; }
SheetCell* MainWindow::lineText(int line) const { return lines_.at(static_cast<size_t>(line - 1)).text; }
AmountField* MainWindow::amountField(int line) const { return lines_.at(static_cast<size_t>(line - 1)).amount; }
AmountField* MainWindow::extraField(int slotNo) const {
    auto it = extras_.find(slotNo);
    return it == extras_.end() ? nullptr : it->second;
}
SheetCell* MainWindow::flagCell(int line, FlagColumn column) const {
    return lines_.at(static_cast<size_t>(line - 1)).flags.at(static_cast<size_t>(column));
}
SheetCell* MainWindow::keyField(int line) const { return lines_.at(static_cast<size_t>(line - 1)).key; }
QPushButton* MainWindow::monthButtonWidget(int month) const { return months_.at(static_cast<size_t>(month - 1)); }
QPushButton* MainWindow::yearButtonWidget(int year) const { return years_.at(static_cast<size_t>(year - kFirstYear)); }
QPushButton* MainWindow::dataSetButton(DataSet set) const { return dataSets_.at(static_cast<size_t>(set)); }
QPushButton* MainWindow::functionBarButton(int code) const { return functions_.at(static_cast<size_t>(code - 1)); }
QMenu* MainWindow::menuGroup(char letter) const {
    auto it = menus_.find(letter);
    return it == menus_.end() ? nullptr : it->second;
}

} // namespace varemo::ui
