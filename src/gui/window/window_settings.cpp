#include "gui/window/window_settings.h"

#include <QMainWindow>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>

#include "gui/window/task_list_page.h"

namespace tabvex::gui {

namespace {

constexpr const char* kFolder = "tabvex";
constexpr const char* kFile = "window";

}  // namespace

void RestoreWindowSettings(const RememberedWidgets& widgets) {
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kFolder, kFile);
    widgets.window->restoreGeometry(settings.value("geometry").toByteArray());
    widgets.trees->restoreState(settings.value("trees").toByteArray());
    const int tab = settings.value("outputTab", -1).toInt();
    if (tab >= 0 && tab < widgets.output->count()) widgets.output->setCurrentIndex(tab);
    widgets.taskList->RestoreColumnWidths(settings.value("taskColumns").toByteArray());
}

void SaveWindowSettings(const RememberedWidgets& widgets) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kFolder, kFile);
    settings.setValue("geometry", widgets.window->saveGeometry());
    settings.setValue("trees", widgets.trees->saveState());
    settings.setValue("outputTab", widgets.output->currentIndex());
    settings.setValue("taskColumns", widgets.taskList->ColumnWidths());
}

}  // namespace tabvex::gui
