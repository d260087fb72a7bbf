// The program's own ODBC driver list: an odbcinst.ini beside the program that
// registers mdbtools' Access driver and this project's workbook driver under the
// names the configuration dialog offers ("Microsoft Access Driver (*.mdb)",
// "Microsoft Excel Driver (*.xls)" and their Portuguese twins). unixODBC reads it,
// and the odbc.ini of program data sources beside it, through ODBCSYSINI, so that
// registering the drivers writes nothing outside the program's folder.
#pragma once

#include <filesystem>

namespace tabvex::registry {

// The folder holding the program's odbcinst.ini.
std::filesystem::path ProgramOdbcFolder();

// Points unixODBC at the program's folder, unless the person running the program
// chose other files (ODBCSYSINI or ODBCINSTINI set). Call it first in main:
// unixODBC reads the variables once per process.
void UseProgramOdbcConfiguration();

}  // namespace tabvex::registry
