// The parameters bound to a statement (SQLBindParameter) and how arrays of them lie
// in the application's memory: one set of values per execution of the statement,
// bound by column (each parameter its own array) or by row (structures of a given
// size), from a base moved by the bind offset. Each set's outcome is reported in the
// status array and the count of processed sets, when the application gave them.
#pragma once

#include <cstddef>
#include <map>

#include <sql.h>
#include <sqlext.h>

#include "platform/odbc/xls_driver/diagnostics.h"
#include "platform/odbc/xls_driver/parameter_literal.h"

namespace tabvex::odbc::xls {

struct ParameterBinding {
    SQLSMALLINT cType = SQL_C_CHAR;  // SQL_C_DEFAULT is resolved when binding
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN columnSize = 0;
    SQLSMALLINT digits = 0;
    SQLPOINTER buffer = nullptr;
    SQLLEN bufferLength = 0;
    SQLLEN* indicator = nullptr;
};

class ParameterBindings {
public:
    // Binds (or binds again) parameter `number`; 07009 for number 0, HY105/HYC00 for a
    // direction other than input, HY003 for a C type and HY004/HYC00 for an SQL type
    // that cannot be read, HY090 for a negative buffer length.
    SQLRETURN Bind(SQLUSMALLINT number, SQLSMALLINT direction, ParameterBinding binding, Diagnostics& diagnostics);
    void Reset() { bindings_.clear(); }

    // The binding of `number`, or nullptr when it has none (as past the numbers
    // SQLBindParameter can give).
    const ParameterBinding* Find(std::size_t number) const;
    // The first of the parameters 1..count that has no binding, or 0 when all have one.
    std::size_t FirstUnbound(std::size_t count) const;
    // The value of bound parameter `number` in set `set` (from 0).
    ParameterValue ValueOf(SQLUSMALLINT number, SQLULEN set) const;

    // Marks every set unused and none processed, before the first set runs.
    void ReportStart() const;
    // Records the outcome of set `set`, which is then the last one processed.
    void ReportSet(SQLULEN set, SQLRETURN outcome) const;

    SQLULEN setSize = 1;  // SQL_ATTR_PARAMSET_SIZE
    SQLULEN bindType = SQL_PARAM_BIND_BY_COLUMN;  // or the size of a row's structure
    SQLULEN* bindOffset = nullptr;  // bytes added to every bound address
    SQLUSMALLINT* statusArray = nullptr;
    SQLULEN* processed = nullptr;

private:
    std::map<SQLUSMALLINT, ParameterBinding> bindings_;
};

}  // namespace tabvex::odbc::xls
