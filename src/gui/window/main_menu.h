// The main window's menu bar: seven top-level menus and every entry with its command
// id. The trees show and hide the three tree menus and enable or grey their entries.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "trees/tree_menus.h"

namespace tabvex::gui {

class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(QMenuBar* bar);

    // The entry of that command id, or nullptr when the bar has none.
    QAction* entry(int commandId) const;
    // The top-level menu at that position of the bar (0 "&Connect" ... 6 "&About").
    QMenu* topMenu(int position) const;
    void Apply(const trees::TreeMenuState& state);

signals:
    void commandTriggered(int commandId);

private:
    std::map<int, QAction*> entries_;
    std::vector<QMenu*> topMenus_;
};

}  // namespace tabvex::gui
