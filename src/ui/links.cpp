#include "ui/links.h"

#include "presentation/menu_dispatch.h"
#include "ui/window_layout.h"

#include <QDesktopServices>
#include <QUrl>

namespace varemo::ui {

void openLink(Session& g, const std::string& code, const std::string& caption) {
    // Read each time: the installation's file may have been corrected while the program runs.
    const auto address = LinkSettings::read(g.programDir).address(code);
    if (!address) {
        g.prompter.ask(missingLinkMessage(code, caption));
        return;
    }
    const QUrl url(q(*address), QUrl::StrictMode);
    if (!url.isValid() || !QDesktopServices::openUrl(url))
        g.prompter.tell("Internet",
                        {"Die Adresse " + *address + " konnte nicht geöffnet werden.",
                         "Bitte prüfen Sie den Eintrag für " + code + " in der Datei " +
                             std::string(kLinkFile) + " im Programmordner."},
                        PromptIcon::Warning);
}

} // namespace varemo::ui
