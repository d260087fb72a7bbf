#include "gui/window/main_menu.h"

#include <algorithm>

#include "gui/window/command_ids.h"
#include "gui/window/window_icons.h"

namespace tabvex::gui {

namespace {

struct EntrySpec {
    int commandId;  // 0: a separator
    const char* text;
    int image = -1;  // the mini tool bar's image shown beside the entry
    bool greyed = false;
};

struct TopMenuSpec {
    const char* caption;
    std::vector<EntrySpec> entries;
};

// "Change Charset" and "Change Storage Engine(MyISAM)" have no use for a workbook
// target, so the "D&atabases" menu goes without them.
const std::vector<TopMenuSpec>& MenuSpecs() {
    static const std::vector<TopMenuSpec> specs = {
        {"&Connect",
         {{kConfigMenuCommand, "&Config", 0},
          {kConnectMenuCommand, "Co&nnect", 1},
          {kDriverCheckCommand, "Driver Check"},
          {0, ""},
          {kExitCommand, "E&xit"}}},
        {"&Operation",
         {{trees::kCheckCommand, "Chec&k..."},
          {kMigrateMenuCommand, "Migrate", 2},
          {kDeleteMenuCommand, "Delete Selected", 3},
          {kBackupMenuCommand, "&Backup", 4}}},
        {"D&atabases", {{trees::kNewDatabaseCommand, "New Database", -1, true}}},
        {"&Database",
         {{trees::kDeleteDatabaseCommand, "Delete Database", -1, true},
          {trees::kClearAllTablesCommand, "Clear all tables", -1, true},
          {trees::kClearAllDataCommand, "Clear all Data", -1, true}}},
        {"&Table",
         {{trees::kMigrationConditionCommand, "Migration Condition", -1, true},
          {trees::kDropTableCommand, "Drop Table", -1, true},
          {trees::kDropViewCommand, "Drop View", -1, true},
          {trees::kRenameTableCommand, "Rename Table", -1, true}}},
        {"&Help", {{kManualCommand, "&Manual"}, {kWebsiteCommand, "Norvu website"}}},
        {"&About", {{kAboutMenuCommand, "&About Norvu Tabvex..."}}},
    };
    return specs;
}

}  // namespace

MainMenu::MainMenu(QMenuBar* bar) : QObject(bar) {
    for (const TopMenuSpec& spec : MenuSpecs()) {
        QMenu* menu = bar->addMenu(spec.caption);
        topMenus_.push_back(menu);
        for (const EntrySpec& item : spec.entries) {
            if (item.commandId == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.text);
            if (item.image >= 0) action->setIcon(ToolBarIcon(item.image));
            action->setEnabled(!item.greyed);
            entries_[item.commandId] = action;
            connect(action, &QAction::triggered, this, [this, id = item.commandId] { emit commandTriggered(id); });
        }
    }
}

QAction* MainMenu::entry(int commandId) const {
    const auto found = entries_.find(commandId);
    return found == entries_.end() ? nullptr : found->second;
}

QMenu* MainMenu::topMenu(int position) const {
    return position >= 0 && static_cast<std::size_t>(position) < topMenus_.size() ? topMenus_[position] : nullptr;
}

void MainMenu::Apply(const trees::TreeMenuState& state) {
    if (!state.applies) return;
    for (trees::TopMenu menu : {trees::TopMenu::Databases, trees::TopMenu::Database, trees::TopMenu::Table}) {
        const bool shown = std::find(state.shown.begin(), state.shown.end(), menu) != state.shown.end();
        topMenu(static_cast<int>(menu))->menuAction()->setVisible(shown);
    }
    for (const auto& change : state.entries)
        if (QAction* action = entry(change.commandId)) action->setEnabled(change.enabled);
}

}  // namespace tabvex::gui
