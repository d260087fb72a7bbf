// tabvex: the window. It takes no arguments but --version; everything starts from the
// main window.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "com/program_folders.h"
#include "gui/window/migrator_dlg.h"
#include "gui/window/window_icons.h"
#include "platform/registry/odbc_configuration.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("tabvex " TABVEX_VERSION);
        return 0;
    }
    tabvex::registry::UseProgramOdbcConfiguration();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tabvex");
    QApplication::setDesktopFileName("tabvex");
    QApplication::setWindowIcon(tabvex::gui::ProgramIcon());
    tabvex::gui::CMigratorDlg window(tabvex::com::DefaultProgramFolders());
    window.show();
    return QApplication::exec();
}
