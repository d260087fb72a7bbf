// The engine is linked into the program and, a second time, into the workbook ODBC
// driver that unixODBC may load into the same process (the driver binds to its own
// copies so that it also works in isql or python). State meant for the whole process,
// such as the kept workbook, must then live in one of the two copies: the program
// exports it under a C name, and each copy looks that name up before using its own.
#pragma once

namespace tabvex::xls {

// The object the program exports under `exportedName`, or `own` when nothing in the
// process exports it (the driver loaded by another program). A copy that is handed
// another copy's object stays loaded for the rest of the process, so that nothing
// it leaves there can outlive its code.
void* ProcessWideObject(const char* exportedName, void* own);

}  // namespace tabvex::xls
