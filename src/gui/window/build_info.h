// What the About box tells of this build: the commit it was configured from, the
// configure date, the compiler, the Qt versions, and the libraries the program links
// with their licences.
#pragma once

#include <QString>
#include <array>

namespace tabvex::gui {

struct BuildInfo {
    QString commit;     // short git commit, "unknown" outside a git checkout
    QString date;       // when the build was configured, yyyy-mm-dd
    QString compiler;   // e.g. "GNU 12.2.0"
    QString qtVersion;  // the Qt the program runs with, and the one it was built against when they differ
};

BuildInfo ThisBuild();

struct LinkedLibrary {
    const char* name;
    const char* use;
    const char* licence;
};

inline constexpr std::array<LinkedLibrary, 6> kLinkedLibraries{{
    {"Qt 6", "the window and its dialogs", "LGPL-3.0"},
    {"libmdb (mdbtools)", "reading Access databases; its ODBC driver for Access data sources", "LGPL-2.0-or-later"},
    {"libgsf", "the compound file of Excel 97-2003 workbooks", "LGPL-2.1"},
    {"GLib", "used by libmdb and libgsf", "LGPL-2.1-or-later"},
    {"unixODBC", "ODBC data sources and the driver list", "LGPL-2.1-or-later"},
    {"nlohmann/json", "reading the Access writer's table descriptions (JSON)", "MIT"},
}};

}  // namespace tabvex::gui
