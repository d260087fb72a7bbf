#include "platform/odbc/xls_driver/driver_info.h"

#include <sqlext.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <variant>

#include "platform/odbc/xls_driver/string_out.h"

namespace tabvex::odbc::xls {
namespace {

using Answer = std::variant<std::string, SQLUSMALLINT, SQLUINTEGER>;

constexpr std::array kFunctions{
    SQL_API_SQLALLOCHANDLE,    SQL_API_SQLFREEHANDLE,    SQL_API_SQLFREESTMT,        SQL_API_SQLSETENVATTR,
    SQL_API_SQLGETENVATTR,     SQL_API_SQLSETCONNECTATTR, SQL_API_SQLGETCONNECTATTR, SQL_API_SQLSETSTMTATTR,
    SQL_API_SQLGETSTMTATTR,    SQL_API_SQLCONNECT,       SQL_API_SQLDRIVERCONNECT,   SQL_API_SQLDISCONNECT,
    SQL_API_SQLGETINFO,        SQL_API_SQLGETFUNCTIONS,  SQL_API_SQLEXECDIRECT,      SQL_API_SQLPREPARE,
    SQL_API_SQLEXECUTE,        SQL_API_SQLNUMRESULTCOLS, SQL_API_SQLDESCRIBECOL,     SQL_API_SQLCOLATTRIBUTE,
    SQL_API_SQLBINDCOL,        SQL_API_SQLFETCH,         SQL_API_SQLFETCHSCROLL,     SQL_API_SQLGETDATA,
    SQL_API_SQLROWCOUNT,       SQL_API_SQLMORERESULTS,   SQL_API_SQLNUMPARAMS,       SQL_API_SQLTABLES,
    SQL_API_SQLCOLUMNS,        SQL_API_SQLSTATISTICS,    SQL_API_SQLPRIMARYKEYS,     SQL_API_SQLSPECIALCOLUMNS,
    SQL_API_SQLGETDIAGREC,     SQL_API_SQLGETDIAGFIELD,  SQL_API_SQLENDTRAN,         SQL_API_SQLCLOSECURSOR,
    SQL_API_SQLCANCEL,         SQL_API_SQLGETTYPEINFO,   SQL_API_SQLBINDPARAMETER,   SQL_API_SQLDESCRIBEPARAM};

std::optional<Answer> AnswerFor(const Connection& connection, SQLUSMALLINT infoType) {
    switch (infoType) {
        case SQL_DBMS_NAME: return std::string("EXCEL");
        case SQL_DBMS_VER: return std::string("08.00.0000");
        case SQL_DRIVER_NAME: return std::string(kDriverFileName);
        case SQL_DRIVER_VER: return std::string(kDriverVersion);
        case SQL_DRIVER_ODBC_VER: return std::string("03.00");
        case SQL_ODBC_VER: return std::string("03.00.0000");
        case SQL_DATA_SOURCE_NAME: return connection.DataSourceName();
        case SQL_DATABASE_NAME: return connection.Catalog();
        case SQL_SERVER_NAME: return std::string("EXCEL");
        case SQL_USER_NAME: return std::string("admin");
        case SQL_CATALOG_NAME: return std::string("Y");
        case SQL_CATALOG_TERM: return std::string("DATABASE");
        case SQL_CATALOG_NAME_SEPARATOR: return std::string(".");
        case SQL_SCHEMA_TERM: return std::string();
        case SQL_TABLE_TERM: return std::string("TABLE");
        case SQL_PROCEDURE_TERM: return std::string();
        case SQL_IDENTIFIER_QUOTE_CHAR: return std::string("`");
        case SQL_SEARCH_PATTERN_ESCAPE: return std::string("\\");
        case SQL_SPECIAL_CHARACTERS: return std::string("~@#$%^&*_-+=\\}{\"';:?/><,.![]|");
        case SQL_DATA_SOURCE_READ_ONLY: return std::string(connection.readOnly() ? "Y" : "N");
        case SQL_ACCESSIBLE_TABLES:
        case SQL_ACCESSIBLE_PROCEDURES: return std::string("Y");
        case SQL_PROCEDURES:
        case SQL_MULT_RESULT_SETS:
        case SQL_MULTIPLE_ACTIVE_TXN:
        case SQL_OUTER_JOINS:
        case SQL_ORDER_BY_COLUMNS_IN_SELECT:
        case SQL_EXPRESSIONS_IN_ORDERBY:
        case SQL_ROW_UPDATES:
        case SQL_NEED_LONG_DATA_LEN:
        case SQL_INTEGRITY:
        case SQL_COLUMN_ALIAS: return std::string("N");
        case SQL_DESCRIBE_PARAMETER: return std::string("Y");
        case SQL_LIKE_ESCAPE_CLAUSE: return std::string("N");
        case SQL_KEYWORDS: return std::string();
        case SQL_MAX_CATALOG_NAME_LEN: return SQLUSMALLINT{255};
        case SQL_MAX_SCHEMA_NAME_LEN: return SQLUSMALLINT{0};
        case SQL_MAX_TABLE_NAME_LEN: return SQLUSMALLINT{64};
        case SQL_MAX_COLUMN_NAME_LEN: return SQLUSMALLINT{64};
        case SQL_MAX_CURSOR_NAME_LEN: return SQLUSMALLINT{64};
        case SQL_MAX_USER_NAME_LEN: return SQLUSMALLINT{0};
        case SQL_MAX_PROCEDURE_NAME_LEN: return SQLUSMALLINT{0};
        case SQL_MAX_IDENTIFIER_LEN: return SQLUSMALLINT{64};
        case SQL_MAX_COLUMNS_IN_TABLE:
        case SQL_MAX_COLUMNS_IN_SELECT: return SQLUSMALLINT{255};
        case SQL_MAX_COLUMNS_IN_INDEX:
        case SQL_MAX_COLUMNS_IN_ORDER_BY:
        case SQL_MAX_COLUMNS_IN_GROUP_BY:
        case SQL_MAX_TABLES_IN_SELECT: return SQLUSMALLINT{0};
        case SQL_MAX_CONCURRENT_ACTIVITIES:
        case SQL_MAX_DRIVER_CONNECTIONS: return SQLUSMALLINT{0};
        case SQL_MAX_ROW_SIZE:
        case SQL_MAX_STATEMENT_LEN:
        case SQL_MAX_CHAR_LITERAL_LEN: return SQLUINTEGER{65535};
        case SQL_MAX_BINARY_LITERAL_LEN:
        case SQL_MAX_INDEX_SIZE: return SQLUINTEGER{0};
        case SQL_GETDATA_EXTENSIONS: return SQLUINTEGER{SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER};
        case SQL_CURSOR_COMMIT_BEHAVIOR:
        case SQL_CURSOR_ROLLBACK_BEHAVIOR: return SQLUSMALLINT{SQL_CB_PRESERVE};
        case SQL_TXN_CAPABLE: return SQLUSMALLINT{SQL_TC_NONE};
        case SQL_DEFAULT_TXN_ISOLATION: return SQLUINTEGER{0};
        case SQL_TXN_ISOLATION_OPTION: return SQLUINTEGER{0};
        case SQL_SCROLL_OPTIONS: return SQLUINTEGER{SQL_SO_FORWARD_ONLY};
        case SQL_SCROLL_CONCURRENCY: return SQLUINTEGER{SQL_SCCO_READ_ONLY};
        case SQL_CURSOR_SENSITIVITY: return SQLUINTEGER{SQL_INSENSITIVE};
        case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1: return SQLUINTEGER{SQL_CA1_NEXT};
        case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES2: return SQLUINTEGER{SQL_CA2_READ_ONLY_CONCURRENCY};
        case SQL_STATIC_CURSOR_ATTRIBUTES1:
        case SQL_STATIC_CURSOR_ATTRIBUTES2:
        case SQL_DYNAMIC_CURSOR_ATTRIBUTES1:
        case SQL_DYNAMIC_CURSOR_ATTRIBUTES2:
        case SQL_KEYSET_CURSOR_ATTRIBUTES1:
        case SQL_KEYSET_CURSOR_ATTRIBUTES2: return SQLUINTEGER{0};
        case SQL_ASYNC_MODE: return SQLUINTEGER{SQL_AM_NONE};
        case SQL_MAX_ASYNC_CONCURRENT_STATEMENTS: return SQLUINTEGER{0};
        case SQL_BOOKMARK_PERSISTENCE: return SQLUINTEGER{0};
        case SQL_POS_OPERATIONS:
        case SQL_POSITIONED_STATEMENTS:
        case SQL_LOCK_TYPES:
        case SQL_STATIC_SENSITIVITY: return SQLUINTEGER{0};
        case SQL_CONCAT_NULL_BEHAVIOR: return SQLUSMALLINT{SQL_CB_NON_NULL};
        case SQL_NULL_COLLATION: return SQLUSMALLINT{SQL_NC_LOW};
        case SQL_IDENTIFIER_CASE: return SQLUSMALLINT{SQL_IC_MIXED};
        case SQL_QUOTED_IDENTIFIER_CASE: return SQLUSMALLINT{SQL_IC_MIXED};
        case SQL_CATALOG_LOCATION: return SQLUSMALLINT{SQL_CL_START};
        case SQL_CATALOG_USAGE: return SQLUINTEGER{SQL_CU_DML_STATEMENTS | SQL_CU_TABLE_DEFINITION};
        case SQL_SCHEMA_USAGE: return SQLUINTEGER{0};
        case SQL_FILE_USAGE: return SQLUSMALLINT{SQL_FILE_CATALOG};
        case SQL_NON_NULLABLE_COLUMNS: return SQLUSMALLINT{SQL_NNC_NULL};
        case SQL_CORRELATION_NAME: return SQLUSMALLINT{SQL_CN_NONE};
        case SQL_GROUP_BY: return SQLUSMALLINT{SQL_GB_NOT_SUPPORTED};
        case SQL_ODBC_INTERFACE_CONFORMANCE: return SQLUINTEGER{SQL_OIC_CORE};
        case SQL_ODBC_API_CONFORMANCE: return SQLUSMALLINT{SQL_OAC_LEVEL1};
        case SQL_ODBC_SQL_CONFORMANCE: return SQLUSMALLINT{SQL_OSC_MINIMUM};
        case SQL_SQL_CONFORMANCE: return SQLUINTEGER{SQL_SC_SQL92_ENTRY};
        case SQL_ACTIVE_ENVIRONMENTS: return SQLUSMALLINT{0};
        case SQL_CONVERT_FUNCTIONS:
        case SQL_NUMERIC_FUNCTIONS:
        case SQL_STRING_FUNCTIONS:
        case SQL_SYSTEM_FUNCTIONS:
        case SQL_TIMEDATE_FUNCTIONS:
        case SQL_TIMEDATE_ADD_INTERVALS:
        case SQL_TIMEDATE_DIFF_INTERVALS:
        case SQL_AGGREGATE_FUNCTIONS:
        case SQL_SUBQUERIES:
        case SQL_UNION:
        case SQL_ALTER_TABLE:
        case SQL_DROP_TABLE:
        case SQL_DATETIME_LITERALS:
        case SQL_BATCH_SUPPORT:
        case SQL_BATCH_ROW_COUNT:
        case SQL_OJ_CAPABILITIES: return SQLUINTEGER{0};
        // Arrays of parameters: one row count for all the sets, a result for each set.
        case SQL_PARAM_ARRAY_ROW_COUNTS: return SQLUINTEGER{SQL_PARC_NO_BATCH};
        case SQL_PARAM_ARRAY_SELECTS: return SQLUINTEGER{SQL_PAS_BATCH};
        case SQL_CREATE_TABLE: return SQLUINTEGER{SQL_CT_CREATE_TABLE | SQL_CT_COLUMN_CONSTRAINT};
        case SQL_INSERT_STATEMENT: return SQLUINTEGER{SQL_IS_INSERT_LITERALS};
        case SQL_SQL92_PREDICATES:
            return SQLUINTEGER{SQL_SP_COMPARISON | SQL_SP_LIKE | SQL_SP_ISNULL | SQL_SP_ISNOTNULL};
        case SQL_SQL92_RELATIONAL_JOIN_OPERATORS:
        case SQL_SQL92_VALUE_EXPRESSIONS:
        case SQL_SQL92_STRING_FUNCTIONS:
        case SQL_SQL92_NUMERIC_VALUE_FUNCTIONS:
        case SQL_SQL92_DATETIME_FUNCTIONS:
        case SQL_SQL92_FOREIGN_KEY_DELETE_RULE:
        case SQL_SQL92_FOREIGN_KEY_UPDATE_RULE:
        case SQL_SQL92_GRANT:
        case SQL_SQL92_REVOKE:
        case SQL_SQL92_ROW_VALUE_CONSTRUCTOR: return SQLUINTEGER{0};
        case SQL_CONVERT_CHAR:
        case SQL_CONVERT_VARCHAR:
        case SQL_CONVERT_LONGVARCHAR:
        case SQL_CONVERT_DOUBLE:
        case SQL_CONVERT_BIT:
        case SQL_CONVERT_TIMESTAMP:
        case SQL_CONVERT_DECIMAL: return SQLUINTEGER{0};
        default: return std::nullopt;
    }
}

}  // namespace

SQLRETURN GetInfo(const Connection& connection, SQLUSMALLINT infoType, SQLPOINTER value, SQLSMALLINT bufferLength,
                  SQLSMALLINT* length, Diagnostics& diagnostics) {
    auto answer = AnswerFor(connection, infoType);
    if (!answer) {
        diagnostics.Add("HY096", "Information type " + std::to_string(infoType) + " is not answered by this driver.");
        return SQL_ERROR;
    }
    if (auto* text = std::get_if<std::string>(&*answer)) {
        if (bufferLength < 0) {
            diagnostics.Add("HY090", "The buffer length is negative.");
            return SQL_ERROR;
        }
        if (CopyOutString(*text, value, bufferLength, length)) return SQL_SUCCESS;
        diagnostics.Add("01004", "String data, right truncated.");
        return SQL_SUCCESS_WITH_INFO;
    }
    std::visit(
        [&](const auto& number) {
            using T = std::decay_t<decltype(number)>;
            if constexpr (!std::is_same_v<T, std::string>) {
                if (value) std::memcpy(value, &number, sizeof number);
                if (length) *length = sizeof number;
            }
        },
        *answer);
    return SQL_SUCCESS;
}

SQLRETURN GetFunctions(SQLUSMALLINT function, SQLUSMALLINT* supported) {
    if (!supported) return SQL_ERROR;
    auto has = [](SQLUSMALLINT id) { return std::find(kFunctions.begin(), kFunctions.end(), id) != kFunctions.end(); };
    if (function == SQL_API_ODBC3_ALL_FUNCTIONS) {
        std::fill(supported, supported + SQL_API_ODBC3_ALL_FUNCTIONS_SIZE, 0);
        for (SQLUSMALLINT id : kFunctions) supported[id >> 4] |= static_cast<SQLUSMALLINT>(1 << (id & 0xF));
    } else if (function == SQL_API_ALL_FUNCTIONS) {
        std::fill(supported, supported + 100, 0);
        for (SQLUSMALLINT id : kFunctions) {
            if (id < 100) supported[id] = SQL_TRUE;
        }
    } else {
        *supported = has(function) ? SQL_TRUE : SQL_FALSE;
    }
    return SQL_SUCCESS;
}

}  // namespace tabvex::odbc::xls
