// The provider string (DBPROP_INIT_PROVIDERSTRING) chooses the ISAM: one that
// starts with an Excel ISAM name ("Excel 8.0;HDR=Yes;") opens a workbook, anything
// else (";COUNTRY=0;CP=1252;…", empty) an Access database.
#pragma once

#include <string_view>

namespace tabvex::jet {

enum class IsamKind { Access, Excel };

IsamKind IsamKindOf(std::string_view providerString);

}  // namespace tabvex::jet
