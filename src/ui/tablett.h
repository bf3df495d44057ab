#pragma once
// Tablett: the one panel window. It shows one content at a time over the main window: a title line, the
// content's elements and a row of up to nine buttons (SSCommand1 to SSCommand9) - the content's own,
// then the common ones it asks for ("Vorgabewerte", "Hilfe", "Drucken", "Änderungen speichern") and
// always "Schließen". The common behaviour lives here: every text field passes the panel key filter,
// Escape and "Schließen" close, contents of the listed code ranges close when the panel loses the focus
// to the main window, and leaving the ordering or the comparison content rebuilds the case list or
// reopens the case files. No button is a default button, so that Enter never starts an action unread.
//
// A new content is a PanelContent (panel_contents.h): it builds its elements into body(), names the
// common buttons it has and answers them; makePanelContent() maps the content code to it.

#include "presentation/panel_key_filter.h"
#include "session/session.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace varemo::ui {

class Tablett;
class WindowGeometryStore;

// What a content may ask of the program around the panel.
class PanelHost {
  public:
    virtual Session& session() = 0;
    // Redraws the main window after the content changed the case or the selection.
    virtual void redisplayMain() = 0;
    // Runs an engine call as the main window does (failures become the message "Fehler") and redraws.
    virtual void engine(const std::function<void()>& call) = 0;
    // Opens another content in the panel (the one shown is left first).
    virtual void openPanel(int content) = 0;
    // The user's colours of the year were saved: the main window shows them at once.
    virtual void coloursChanged() = 0;
    // The preview of a printout (PrintKind) of the shown case-month.
    virtual void showPrintout(int kind) = 0;

  protected:
    ~PanelHost() = default;
};

struct PanelButton {
    QString caption;
    std::function<void()> action;
};

class PanelContent {
  public:
    virtual ~PanelContent() = default;
    virtual int code() const = 0;
    virtual QString title() const = 0;
    // Builds the elements into the panel's body.
    virtual void build(Tablett& panel) = 0;
    // The content's own buttons, before the common ones.
    virtual std::vector<PanelButton> ownButtons() { return {}; }
    // Common buttons: shown when the content has them.
    virtual bool hasDefaults() const { return false; }
    virtual void restoreDefaults() {}
    virtual bool hasSave() const { return false; }
    // "Änderungen speichern"; false when nothing was stored (the message said why).
    virtual bool save() { return true; }
    virtual bool hasPrint() const { return false; }
    // Values typed and not yet saved: leaving the content asks whether to save them.
    virtual bool hasUnsavedChanges() const { return false; }
    // True: that question starts on "Nein", for a content whose saving changes files that other users
    // and all cases read, which an Enter pressed unread must not do.
    virtual bool unsavedLeaveDefaultsToDiscard() const { return false; }
    // The help text of the content ("Hilfe").
    virtual QStringList help() const = 0;
};

class Tablett : public QDialog {
    Q_OBJECT
  public:
    Tablett(PanelHost& host, QWidget* mainWindow);
    ~Tablett() override;

    // Fills the panel with the content and shows it; a content shown before is left first.
    void showContent(std::unique_ptr<PanelContent> content);
    // The code of the content shown; 0 while the panel is closed.
    int content() const { return content_ ? content_->code() : 0; }
    PanelContent* current() const { return content_.get(); }

    PanelHost& host() { return host_; }
    Prompter& prompter() { return host_.session().prompter; }
    QWidget* body() const { return body_; }
    QLabel* titleLine() const { return title_; }
    // SSCommand1 to SSCommand9; nullptr for a button the content does not show.
    QPushButton* button(int number) const;
    QPushButton* buttonWithCaption(const QString& caption) const;
    // A text field of the content (Text, Eingabe1 ...): its typed keys pass the panel key filter.
    QLineEdit* textField(PanelFieldKind kind, const QString& objectName);
    // Where the panel keeps its place: it opens there and remembers where it is moved.
    void setPlacementStore(WindowGeometryStore* store) { store_ = store; }

  public slots:
    void leave(); // "Schließen", Escape, focus loss

  protected:
    void changeEvent(QEvent* event) override;
    void reject() override { leave(); }
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void buildButtons();
    void leaveContent();

    PanelHost& host_;
    QWidget* mainWindow_;
    QLabel* title_ = nullptr;
    QWidget* body_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    QWidget* buttonRow_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::unique_ptr<PanelContent> content_;
    WindowGeometryStore* store_ = nullptr;
};

} // namespace varemo::ui
