// Command ids of the main window: its menu entries and mini tool bar buttons. The
// task list strip's ids are in tasks/task_list_view.h, the tree menus' in
// trees/tree_menus.h.
#pragma once

namespace tabvex::gui {

inline constexpr int kConfigMenuCommand = 32777;
inline constexpr int kConfigButtonCommand = 1026;
inline constexpr int kConnectMenuCommand = 32780;
inline constexpr int kConnectButtonCommand = 1028;
inline constexpr int kDriverCheckCommand = 32793;
inline constexpr int kExitCommand = 2;
inline constexpr int kMigrateMenuCommand = 32778;
inline constexpr int kMigrateButtonCommand = 1035;
inline constexpr int kDeleteMenuCommand = 32779;
inline constexpr int kDeleteButtonCommand = 1030;
inline constexpr int kBackupMenuCommand = 32782;
inline constexpr int kBackupButtonCommand = 1034;
inline constexpr int kManualCommand = 32783;
inline constexpr int kAboutMenuCommand = 32784;
inline constexpr int kAboutButtonCommand = 1032;
inline constexpr int kWebsiteCommand = 32785;

inline constexpr const char* kWebsiteAddress = "https://www.norvu.example/tabvex/";

}  // namespace tabvex::gui
