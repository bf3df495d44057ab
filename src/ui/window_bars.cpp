#include "ui/window_bars.h"

#include "persistence/case_memos.h"

#include "model/case.h"
#include "presentation/menu_items.h"
#include "ui/share_panel.h"
#include "ui/sheet_cell.h"
#include "ui/window_input.h"
#include "ui/window_layout.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

namespace varemo::ui {

WindowBars::WindowBars(QMainWindow* window, SheetActions& actions, WindowInput& input)
    : window_(window), actions_(actions), input_(input) {}

void WindowBars::buildTop(QWidget* area) {
    buildMenus();
    buildFunctionBar(area);
    buildSelectionBar(area);
    buildCaseBar(area);

    reminderTimer_.setInterval(500);
    QObject::connect(&reminderTimer_, &QTimer::timeout, window_,
                     [this] { reminder_->setVisible(!reminder_->isVisible()); });
    clockTimer_.setInterval(1000);
    auto showClock = [this] {
        clock_->setText(QLocale(QLocale::German)
                            .toString(QDateTime::currentDateTime(), QStringLiteral("dd.MM.yyyy hh:mm")));
    };
    QObject::connect(&clockTimer_, &QTimer::timeout, window_, showClock);
    clockTimer_.start();
    showClock();
}

void WindowBars::buildMenus() {
    // Alt and the underlined letter open a group; the letters differ from group to group.
    const std::map<char, QChar> mnemonics = {{'s', u'S'}, {'b', u'T'}, {'a', u'V'}, {'n', u'r'},
                                             {'p', u'D'}, {'v', u'h'}, {'i', u'I'}};
    for (const MenuGroup& group : menuGroups()) {
        QString caption = QString::fromUtf8(group.caption);
        if (auto m = mnemonics.find(group.letter); m != mnemonics.end() && caption.contains(m->second))
            caption.insert(caption.indexOf(m->second), QLatin1Char('&'));
        QMenu* menu = window_->menuBar()->addMenu(caption);
        menu->setObjectName(QStringLiteral("y%1").arg(QLatin1Char(group.letter)));
        menu->setToolTipsVisible(true);
        const QString hint =
            QString::fromUtf8(group.hint) + QStringLiteral("   (y%1)").arg(QLatin1Char(group.letter));
        menu->menuAction()->setToolTip(hint);
        setHint(menu, hint);
        menus_[group.letter] = menu;
        for (const MenuItem& item : menuItems()) {
            if (item.group != group.letter) continue;
            QAction* a = menu->addAction(q(codeText('Y', item.code)) + QStringLiteral("   ") +
                                         QString::fromUtf8(item.caption));
            int code = item.code;
            QObject::connect(a, &QAction::triggered, window_, [this, code] { actions_.menuItem(code); });
        }
    }
}

void WindowBars::buildFunctionBar(QWidget* area) {
    int x = 10;
    for (const FunctionButton& f : functionButtons()) {
        auto* b = new QPushButton(q(codeText('f', f.code)), area);
        b->setObjectName(q(codeText('f', f.code)));
        b->setGeometry(x, 4, 40, 22);
        b->setFocusPolicy(Qt::NoFocus);
        setHint(b, withCode(QString::fromUtf8(f.hint), 'f', f.code));
        int code = f.code;
        QObject::connect(b, &QPushButton::clicked, window_, [this, code] { actions_.functionButton(code); });
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
}

void WindowBars::buildSelectionBar(QWidget* area) {
    const DataSet sets[3] = {DataSet::Info, DataSet::Plan, DataSet::Real};
    int x = 10;
    for (size_t i = 0; i < 3; ++i) {
        auto* b = new QPushButton(q(dataSetName(sets[i])), area);
        b->setObjectName(QStringLiteral("modi%1").arg(i));
        b->setCheckable(true);
        // Reached by d01 to d03 or Tab, not by a click, which leaves the focus where the typing is.
        b->setFocusPolicy(Qt::TabFocus);
        b->setGeometry(x, 30, 40, 22);
        setHint(b, withCode(QStringLiteral("INFO, PLAN und REAL sind voneinander völlig getrennte "
                                           "Speicherbereiche. Das Programm verfügt in jedem dieser Bereiche "
                                           "über alle Funktionen."),
                            'd', static_cast<int>(i) + 1));
        DataSet set = sets[i];
        QObject::connect(b, &QPushButton::clicked, window_, [this, set] { input_.changeDataSet(set); });
        dataSets_[i] = b;
        x += 42;
    }
    // In the order of copyDirection; k01 to k06.
    const char* copyCaptions[6] = {"I→P", "P→R", "P→I", "R→P", "I→R", "R→I"};
    const char* copyHints[6] = {"Kopiert den Personalfall (Januar bis Dezember) von INFO nach PLAN.",
                                "Kopiert den Personalfall (Januar bis Dezember) von PLAN nach REAL.",
                                "Kopiert den Personalfall (Januar bis Dezember) von PLAN nach INFO.",
                                "Kopiert den Personalfall (Januar bis Dezember) von REAL nach PLAN.",
                                "Kopiert den Personalfall (Januar bis Dezember) von INFO nach REAL.",
                                "Kopiert den Personalfall (Januar bis Dezember) von REAL nach INFO."};
    x = 138;
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(copyCaptions[i]), area);
        b->setObjectName(QStringLiteral("kopier%1").arg(i));
        b->setFocusPolicy(Qt::TabFocus);
        b->setGeometry(x, 30, 29, 22);
        setHint(b, withCode(QString::fromUtf8(copyHints[i]), 'k', i + 1));
        QObject::connect(b, &QPushButton::clicked, window_, [this, i] { input_.copyCase(i); });
        copies_[static_cast<size_t>(i)] = b;
        x += 30;
    }
    x = 322;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        auto* b = new QPushButton(QString::number(year), area);
        b->setObjectName(QStringLiteral("year%1").arg(year));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(x, 30, 44, 22);
        setHint(b, withCode(QStringLiteral(
                                "Ein Jahreswechsel ist nur möglich, wenn ein Monatsgehalt eingestellt ist."),
                            'j', year % 100));
        QObject::connect(b, &QPushButton::clicked, window_, [this, year] { actions_.yearButton(year); });
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
        setHint(b, month == 13
                       ? withCode(QStringLiteral("Ruft das Jahresgehalt auf"), 'm', 13)
                       : withCode(QStringLiteral("Ruft das Monatsgehalt des %1. Monats auf").arg(month), 'm',
                                  month));
        QObject::connect(b, &QPushButton::clicked, window_, [this, month] { actions_.monthButton(month); });
        months_[static_cast<size_t>(month - 1)] = b;
        x += 30;
    }
    memo_ = new QLineEdit(area);
    memo_->setObjectName(QStringLiteral("SSPanel7"));
    memo_->setGeometry(952, 30, 62, 22);
    memo_->setAlignment(Qt::AlignRight);
    memo_->setPlaceholderText(QStringLiteral("Merkfeld"));
    memo_->setMaxLength(static_cast<int>(kMemoLength));
    setHint(memo_, withCode(QStringLiteral("Merkfeld für einen Betrag, den Sie sich zu diesem Personalfall "
                                           "merken wollen (wird mit dem Fall gespeichert)."),
                            'f', 22));
    QObject::connect(memo_, &QLineEdit::editingFinished, window_, [this] { input_.commitMemo(); });
    memo_->hide();
    clock_ = new QLabel(area);
    clock_->setGeometry(1012, 30, 100, 22);
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void WindowBars::buildCaseBar(QWidget* area) {
    caseNumber_ = new QSpinBox(area);
    caseNumber_->setObjectName(QStringLiteral("tdbnumber1"));
    caseNumber_->setRange(1, 9999);
    caseNumber_->setGeometry(10, 56, 64, 22);
    caseNumber_->setKeyboardTracking(false);
    setHint(caseNumber_,
            QStringLiteral("Nummer des Personalfalles. Eine Nummer hinter dem letzten Fall legt einen neuen "
                           "Personalfall an."));
    QObject::connect(caseNumber_, &QSpinBox::editingFinished, window_, [this] { input_.selectCaseNumber(); });
    caseName_ = new QLineEdit(area);
    caseName_->setObjectName(QStringLiteral("Text1"));
    caseName_->setMaxLength(kCaseTextLength);
    caseName_->setGeometry(78, 56, 260, 22);
    setHint(caseName_, QStringLiteral("Name des Personalfalles"));
    QObject::connect(caseName_, &QLineEdit::textEdited, window_, [this](const QString& t) {
        tip_->setText(QString::number(t.size()) + QStringLiteral(" Buchstaben von maximal 35."));
    });
    QObject::connect(caseName_, &QLineEdit::returnPressed, window_, [this] { input_.commitCaseName(); });
    QObject::connect(caseName_, &QLineEdit::editingFinished, window_, [this] { input_.commitCaseName(); });
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
    QObject::connect(lawLink_, &QPushButton::clicked, window_,
                     [this] { input_.answerUnavailable(Availability::Later); });
    payStructure_ = new QPushButton(area);
    payStructure_->setGeometry(612, 56, 150, 22);
    payStructure_->setFocusPolicy(Qt::NoFocus);
    setHint(payStructure_, QStringLiteral("Entgeltordnung des Tarifvertrags"));
    QObject::connect(payStructure_, &QPushButton::clicked, window_,
                     [this] { input_.answerUnavailable(Availability::Later); });
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

void WindowBars::buildBottom(QWidget* area) {
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
    instructions_->setText(
        QStringLiteral("Zeile anklicken oder Code tippen: a04 öffnet die Auswahlliste der Zeile 4, "
                       "e13 das Betragsfeld der Zeile 13, m13 das Jahresgehalt, y die Menüzeile, "
                       "Esc bricht ab."));
    tip_ = new FitLabel(area);
    tip_->setObjectName(QStringLiteral("Tip"));
    tip_->setGeometry(10, y + 54, 1100, 20);
    tip_->setFrameShape(QFrame::Panel);
    tip_->setFrameShadow(QFrame::Sunken);
    tip_->setAutoFillBackground(true);
}

void WindowBars::applyColours(const ColourSet& colours) {
    fillBackground(tip_, toQColor(colourOf(colours, ColourArea::HintLine)));
    for (SharePanel* s : shares_)
        s->setBarColour(toQColor(colourOf(colours, ColourArea::ShareBar)));
}

void WindowBars::redisplay(const Session& g, const ColourSet& colours, const SheetCaptions& k) {
    shares_[0]->setShare(q(k.taxShare), k.taxPercent);
    shares_[1]->setShare(q(k.socialShare), k.socialPercent);
    shares_[2]->setShare(q(k.netShare), k.netPercent);
    lawLink_->setText(q(k.lawLink));
    lawLink_->setVisible(!k.lawLink.empty());
    payStructure_->setText(q(k.payStructure));
    payStructure_->setVisible(!k.payStructure.empty());
    tariffArea_->setText(q(k.tariffArea));
    showReminder(k.reminder);

    for (size_t i = 0; i < months_.size(); ++i)
        months_[i]->setChecked(static_cast<int>(i) + 1 == g.month());
    for (size_t i = 0; i < years_.size(); ++i) {
        bool current = static_cast<int>(i) + kFirstYear == g.year;
        years_[i]->setChecked(current);
        QPalette p = years_[i]->palette();
        p.setColor(QPalette::Button, current ? toQColor(colourOf(colours, ColourArea::YearButtonActive))
                                             : QApplication::palette().color(QPalette::Button));
        years_[i]->setPalette(p);
    }
    for (size_t i = 0; i < dataSets_.size(); ++i)
        dataSets_[i]->setChecked(static_cast<int>(i) == static_cast<int>(g.dataSet));
    functions_[19]->setText(g.followingMonthsOn ? QStringLiteral("f20") : QStringLiteral("f20 aus"));
    if (!caseName_->hasFocus()) caseName_->setText(q(g.workingCase.name));
    caseName_->setReadOnly(g.showsYearSalary());
    if (!caseNumber_->hasFocus()) caseNumber_->setValue(g.caseNumber);
}

void WindowBars::showReminder(const std::optional<std::string>& text) {
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

void WindowBars::showHint(const QString& text) {
    tip_->setText(text);
}

void WindowBars::showKeyState(const std::string& pending) {
    keyState_->setText(q(pending));
}

void WindowBars::openMenuGroup(char letter) {
    auto it = menus_.find(letter);
    if (it == menus_.end()) return;
    QMenu* menu = it->second;
    QRect r = window_->menuBar()->actionGeometry(menu->menuAction());
    menu->popup(window_->menuBar()->mapToGlobal(r.bottomLeft()));
}

void WindowBars::hideMenus() {
    for (auto& [letter, menu] : menus_)
        menu->hide();
}

bool WindowBars::isMenu(const QWidget* w) const {
    bool ownMenu = false;
    for (auto& [letter, menu] : menus_)
        ownMenu |= w == menu;
    return ownMenu;
}

void WindowBars::toggleMemo() {
    memo_->setVisible(!memo_->isVisible());
    if (memo_->isVisible()) memo_->setFocus();
}

void WindowBars::stopTimers() {
    reminderTimer_.stop();
    clockTimer_.stop();
}

QPushButton* WindowBars::monthButton(int month) const {
    return months_.at(static_cast<size_t>(month - 1));
}
QPushButton* WindowBars::yearButton(int year) const {
    return years_.at(static_cast<size_t>(year - kFirstYear));
}
QPushButton* WindowBars::dataSetButton(DataSet set) const {
    return dataSets_.at(static_cast<size_t>(set));
}
QPushButton* WindowBars::functionButton(int code) const {
    return functions_.at(static_cast<size_t>(code - 1));
}
QMenu* WindowBars::menuGroup(char letter) const {
    auto it = menus_.find(letter);
    return it == menus_.end() ? nullptr : it->second;
}

} // namespace varemo::ui
