#include "ui/tablett.h"

#include "presentation/menu_dispatch.h"
#include "presentation/navigation.h"
#include "presentation/window_settings.h"
#include "session/case_load.h"
#include "ui/panel_key_filter_qt.h"
#include "ui/window_geometry_store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace varemo::ui {

Tablett::Tablett(PanelHost& host, QWidget* mainWindow)
    : QDialog(mainWindow), host_(host), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Tablett"));
    setModal(false);
    layout_ = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("Titel"));
    QFont f = title_->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title_->setFont(f);
    title_->setAlignment(Qt::AlignCenter);
    layout_->addWidget(title_);
    body_ = new QWidget(this);
    layout_->addWidget(body_, 1);
    buttonRow_ = new QWidget(this);
    new QHBoxLayout(buttonRow_);
    layout_->addWidget(buttonRow_);
}

Tablett::~Tablett() = default;

void Tablett::showContent(std::unique_ptr<PanelContent> content) {
    leaveContent();
    // A fresh body: nothing of the content shown before stays behind.
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("Inhalt"));
    layout_->replaceWidget(body_, body);
    delete body_;
    body_ = body;
    content_ = std::move(content);
    title_->setText(content_->title());
    setWindowTitle(content_->title().simplified());
    content_->build(*this);
    buildButtons();
    adjustSize();
    if (const auto stored = store_ ? store_->load() : std::nullopt) {
        const QScreen* screen =
            mainWindow_->screen() ? mainWindow_->screen() : QGuiApplication::primaryScreen();
        const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
        const QSize frame = frameGeometry().size() - geometry().size();
        const WindowRect r =
            restoredPanelPlace(*stored, {avail.x(), avail.y(), avail.width(), avail.height()}, width(),
                               height(), frame.width(), frame.height());
        move(r.x, r.y);
    }
    show();
    raise();
    activateWindow();
    // The first element of the content takes the keys; the buttons follow in the tab order.
    if (QWidget* first = body_->nextInFocusChain(); first && body_->isAncestorOf(first))
        first->setFocus(Qt::TabFocusReason);
    else if (!buttons_.empty())
        buttons_.front()->setFocus(Qt::TabFocusReason);
}

void Tablett::buildButtons() {
    // A content's button may open the next content: the button whose click runs now must outlive it.
    for (QPushButton* b : buttons_) {
        b->hide();
        b->deleteLater();
    }
    buttons_.clear();
    std::vector<PanelButton> all = content_->ownButtons();
    PanelContent* c = content_.get();
    if (c->hasDefaults()) all.push_back({QStringLiteral("Vorgabewerte"), [c] { c->restoreDefaults(); }});
    all.push_back({QStringLiteral("Hilfe"), [this, c] {
                       std::vector<std::string> lines;
                       for (const QString& l : c->help())
                           lines.push_back(l.toStdString());
                       prompter().tell("Hilfe", lines);
                   }});
    // A content with a sheet of its own opens it in the preview; the others' printing is still to come.
    if (c->hasPrint())
        all.push_back({QStringLiteral("Drucken"), [this, c] {
                           if (const std::optional<int> kind = panelPrintKind(c->code()))
                               host_.showPrintout(*kind);
                           else
                               prompter().ask(unavailableMessage(Availability::Later));
                       }});
    if (c->hasSave()) all.push_back({QStringLiteral("Änderungen speichern"), [c] { (void)c->save(); }});
    all.push_back({QStringLiteral("Schließen"), [this] { leave(); }});
    const size_t shown = std::min<size_t>(all.size(), 9);
    for (size_t i = 0; i < shown; ++i) {
        // "Schließen" is always there, the ninth button at the latest.
        const PanelButton& wanted = i + 1 == shown ? all.back() : all[i];
        auto* b = new QPushButton(wanted.caption, buttonRow_);
        b->setObjectName(QStringLiteral("SSCommand%1").arg(i + 1));
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setFocusPolicy(Qt::StrongFocus);
        connect(b, &QPushButton::clicked, this, wanted.action);
        buttonRow_->layout()->addWidget(b);
        buttons_.push_back(b);
    }
}

QPushButton* Tablett::button(int number) const {
    if (number < 1 || number > static_cast<int>(buttons_.size())) return nullptr;
    return buttons_[static_cast<size_t>(number - 1)];
}

QPushButton* Tablett::buttonWithCaption(const QString& caption) const {
    for (QPushButton* b : buttons_)
        if (b->text() == caption) return b;
    return nullptr;
}

QLineEdit* Tablett::textField(PanelFieldKind kind, const QString& objectName) {
    auto* field = new QLineEdit(body_);
    field->setObjectName(objectName);
    PanelKeyFilter::install(field, kind, prompter());
    return field;
}

void Tablett::leaveContent() {
    if (!content_) return;
    if (content_->hasUnsavedChanges()) {
        // Closing (also by a click on the main window) must not drop what was typed without a word.
        PromptMessage question{
            PromptIcon::Question,
            "Änderungen speichern?",
            {"Die Änderungen in \"" + content_->title().toStdString() + "\" sind noch nicht gespeichert.",
             "Wollen Sie sie speichern?"},
            PromptButtons::YesNo};
        question.refusalIsDefault = content_->unsavedLeaveDefaultsToDiscard();
        const PromptAnswer answer = prompter().ask(question);
        if (answer == PromptAnswer::Yes) (void)content_->save(); // a failure has been shown
    }
    const int code = content_->code();
    content_.reset();
    Session& g = host_.session();
    switch (leaveConsequence(code)) {
    case PanelLeave::RebuildCaseList:
        host_.engine([&g] { ShowSelection(g); });
        break;
    case PanelLeave::ReopenCaseFiles:
        host_.engine([&g] {
            OpenYearFiles(g);
            ShowSelection(g);
        });
        break;
    case PanelLeave::Nothing:
        break;
    }
}

void Tablett::leave() {
    // Hidden first: the consequences redraw the main window, which then has the focus.
    hide();
    leaveContent();
}

void Tablett::closeEvent(QCloseEvent* event) {
    leave();
    event->accept();
}

void Tablett::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow() || !content_) return;
    if (!closesOnFocusLoss(content_->code())) return;
    // A message box of the content takes the focus too; only the main window's taking it closes.
    QTimer::singleShot(0, this, [this] {
        if (content_ && isVisible() && QApplication::activeWindow() == mainWindow_) leave();
    });
}

void Tablett::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (store_ && isVisible()) store_->save(WindowRect{x(), y(), width(), height()});
}

} // namespace varemo::ui
