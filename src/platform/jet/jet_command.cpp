#include "platform/jet/jet_command.h"

#include "platform/jet/statement_runner.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::jet {

using namespace tabvex::oledb;

JetCommand::JetCommand(std::shared_ptr<Isam> isam)
    : isam_(std::move(isam)),
      properties_({{DBPROPSET_ROWSET, DBPROP_IRowset, PropertyValue{true}},
                   {DBPROPSET_ROWSET, DBPROP_UPDATABILITY, PropertyValue{std::int32_t{0}}},
                   {DBPROPSET_ROWSET, DBPROP_IRowsetChange, PropertyValue{false}}}) {}

HRESULT JetCommand::SetCommandText(const Guid& dialect, const std::string& text) {
    SetErrorInfo(nullptr);
    if (dialect != DBGUID_DBSQL && dialect != DBGUID_DEFAULT) {
        return ReportError(DB_E_DIALECTNOTSUPPORTED, IID_ICommandText,
                           "The Jet provider understands only its SQL dialect, not " + dialect.ToString() + ".");
    }
    text_ = text;
    return S_OK;
}

HRESULT JetCommand::SetProperties(std::vector<DBPROPSET>& sets) {
    SetErrorInfo(nullptr);
    HRESULT result = properties_.SetProperties(sets);
    if (Failed(result)) {
        return ReportError(result, IID_ICommandProperties, "None of the given rowset properties is supported.");
    }
    return result;
}

HRESULT JetCommand::Execute(std::shared_ptr<Rowset>& rowset, std::int64_t* rowsAffected) {
    SetErrorInfo(nullptr);
    rowset.reset();
    if (text_.empty()) return ReportError(DB_E_NOCOMMAND, IID_ICommandPrepare, "No command text was set.");
    StatementOutcome outcome;
    try {
        outcome = RunJetStatement(*isam_, text_);
    } catch (const IsamError& error) {
        return ReportError(error.code(), IID_ICommandPrepare, error.what());
    }
    if (rowsAffected) *rowsAffected = outcome.rowsAffected;
    if (outcome.rows) rowset = std::make_shared<Rowset>(std::move(outcome.rows), Rowset::Bookmark::Reported);
    return S_OK;
}

bool JetCommand::InterfaceSupportsErrorInfo(const Guid& interfaceId) const {
    return interfaceId == IID_ICommandText || interfaceId == IID_ICommandPrepare ||
           interfaceId == IID_ICommandProperties;
}

}  // namespace tabvex::jet
