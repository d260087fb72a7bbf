// File names as the system's algorithms write them may use backslashes, as on
// Windows ("%USERPROFILE%\Application Data\…\System.MDW"); on Linux a backslash
// in a path the provider opens or creates is taken as a folder separator.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

namespace tabvex::jet {

inline std::filesystem::path ProviderFilePath(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

}  // namespace tabvex::jet
