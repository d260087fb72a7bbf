#include "gui/window/build_info.h"

#include <QtGlobal>

namespace tabvex::gui {

BuildInfo ThisBuild() {
    QString qt = qVersion();
    if (qt != QT_VERSION_STR) qt += QString(" (built with %1)").arg(QT_VERSION_STR);
    return {TABVEX_BUILD_COMMIT, TABVEX_BUILD_DATE, TABVEX_BUILD_COMPILER, qt};
}

}  // namespace tabvex::gui
