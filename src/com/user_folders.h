// The person's folders: the home folder and the program's folders under the XDG base
// directories ($XDG_DATA_HOME/tabvex, $XDG_STATE_HOME/tabvex, ...).
#pragma once

#include <filesystem>

namespace tabvex::com {

// $HOME, else the password database's entry, else the temporary folder.
std::filesystem::path HomeDirectory();

// "tabvex" in the folder the XDG variable names when it holds an absolute path, else in
// `defaultUnderHome` of the home folder (".local/share" for XDG_DATA_HOME).
std::filesystem::path ProgramUserFolder(const char* xdgVariable, const std::filesystem::path& defaultUnderHome);

}  // namespace tabvex::com
