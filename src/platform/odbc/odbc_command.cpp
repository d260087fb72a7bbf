#include "platform/odbc/odbc_command.h"

#include <sqlext.h>

#include "platform/odbc/odbc_error.h"
#include "platform/odbc/statement_rows.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::odbc {

using namespace tabvex::oledb;

OdbcCommand::OdbcCommand(std::shared_ptr<Connection> connection)
    : connection_(std::move(connection)),
      properties_({{DBPROPSET_ROWSET, DBPROP_IRowset, PropertyValue{true}},
                   {DBPROPSET_ROWSET, DBPROP_UPDATABILITY, PropertyValue{std::int32_t{0}}}}) {}

HRESULT OdbcCommand::SetCommandText(const Guid& dialect, const std::string& text) {
    SetErrorInfo(nullptr);
    if (dialect != DBGUID_DBSQL && dialect != DBGUID_DEFAULT) {
        return ReportError(DB_E_DIALECTNOTSUPPORTED, IID_ICommandText,
                           "The ODBC provider passes SQL text to its driver, not " + dialect.ToString() + ".",
                           kProviderName);
    }
    text_ = text;
    return S_OK;
}

HRESULT OdbcCommand::SetProperties(std::vector<DBPROPSET>& sets) {
    SetErrorInfo(nullptr);
    HRESULT result = properties_.SetProperties(sets);
    if (Failed(result)) {
        return ReportError(result, IID_ICommandProperties, "None of the given rowset properties is supported.",
                           kProviderName);
    }
    return result;
}

HRESULT OdbcCommand::Execute(std::shared_ptr<Rowset>& rowset, std::int64_t* rowsAffected) {
    SetErrorInfo(nullptr);
    rowset.reset();
    if (text_.empty()) return ReportError(DB_E_NOCOMMAND, IID_ICommandPrepare, "No command text was set.", kProviderName);
    try {
        auto statement = std::make_unique<Statement>(connection_);
        SqlText text(text_);
        statement->Check(SQLExecDirect(statement->handle(), text.data(), text.length()), "SQLExecDirect");
        SQLSMALLINT resultColumns = 0;
        statement->Check(SQLNumResultCols(statement->handle(), &resultColumns), "SQLNumResultCols");
        if (resultColumns > 0) {
            rowset = std::make_shared<Rowset>(std::make_unique<StatementRows>(std::move(statement)),
                                              Rowset::Bookmark::None);
            if (rowsAffected) *rowsAffected = -1;  // not known before the rows are read
            return S_OK;
        }
        SQLLEN count = 0;
        statement->Check(SQLRowCount(statement->handle(), &count), "SQLRowCount");
        if (rowsAffected) *rowsAffected = count;
        statement->Recycle();
    } catch (const OdbcError& error) {
        return ReportOdbcError(error, DB_E_ERRORSINCOMMAND, IID_ICommandPrepare);
    }
    return S_OK;
}

bool OdbcCommand::InterfaceSupportsErrorInfo(const Guid& interfaceId) const {
    return interfaceId == IID_ICommandText || interfaceId == IID_ICommandPrepare ||
           interfaceId == IID_ICommandProperties;
}

}  // namespace tabvex::odbc
