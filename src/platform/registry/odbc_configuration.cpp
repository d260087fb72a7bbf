#include "platform/registry/odbc_configuration.h"

#include <cstdlib>

#include "platform/registry/program_file.h"

namespace tabvex::registry {

std::filesystem::path ProgramOdbcFolder() {
    return ProgramFile("odbcinst.ini", TABVEX_BUILD_ODBCINST_INI).parent_path();
}

void UseProgramOdbcConfiguration() {
    if (std::getenv("ODBCSYSINI") || std::getenv("ODBCINSTINI")) return;
    setenv("ODBCSYSINI", ProgramOdbcFolder().c_str(), 1);
}

}  // namespace tabvex::registry
