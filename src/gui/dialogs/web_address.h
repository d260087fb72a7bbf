// Opening a web address from a link: through the desktop's browser, and when none can
// open it, the address in a box whose text can be selected and copied, so a link is
// never a click that does nothing.
#pragma once

#include <QUrl>
#include <functional>

#include "app/user_interface.h"

namespace tabvex::gui {

// How an address is opened: false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl&)>;
bool OpenWithDesktop(const QUrl& url);

void OpenWebAddress(const QUrl& url, app::UserInterface& ui, const UrlOpener& opener);

}  // namespace tabvex::gui
