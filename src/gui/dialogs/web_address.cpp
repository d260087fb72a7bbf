#include "gui/dialogs/web_address.h"

#include <QDesktopServices>

#include "app/output.h"

namespace tabvex::gui {

bool OpenWithDesktop(const QUrl& url) { return QDesktopServices::openUrl(url); }

void OpenWebAddress(const QUrl& url, app::UserInterface& ui, const UrlOpener& opener) {
    if (opener(url)) return;
    ui.ShowMessageBox({"No web browser could open this address; copy it into one:\n" + url.toString().toStdString(),
                       app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Information});
}

}  // namespace tabvex::gui
