// The folders the program keeps its files in. A program that runs from a folder of its
// own (its class registry beside it) and may write there keeps everything in that
// folder, as a build tree or a copied program folder always did. An installed program
// follows the XDG base directories instead, each created on first use:
//   program  $XDG_DATA_HOME/tabvex   (~/.local/share/tabvex)  backup, the current folder
//   config   $XDG_CONFIG_HOME/tabvex (~/.config/tabvex)       migrator.cfg, Condition.cfg
//   cache    $XDG_CACHE_HOME/tabvex  (~/.cache/tabvex)        data_cache
#pragma once

#include <filesystem>

namespace tabvex::com {

struct ProgramFolders {
    // One folder given alone holds everything (--program-dir, a program folder of its own).
    ProgramFolders(const std::filesystem::path& folder) : program(folder), config(folder), cache(folder) {}
    ProgramFolders(const char* folder) : ProgramFolders(std::filesystem::path(folder)) {}
    ProgramFolders(std::filesystem::path programFolder, std::filesystem::path configFolder,
                   std::filesystem::path cacheFolder)
        : program(std::move(programFolder)), config(std::move(configFolder)), cache(std::move(cacheFolder)) {}

    std::filesystem::path program;
    std::filesystem::path config;
    std::filesystem::path cache;
};

// The folders of the running program, chosen as above.
ProgramFolders DefaultProgramFolders();

}  // namespace tabvex::com
