#include "platform/jet/jet_session.h"

#include <iostream>

#include "platform/jet/jet_command.h"
#include "platform/jet/schema_rowsets.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::jet {

using namespace tabvex::oledb;

JetSession::JetSession(std::shared_ptr<Isam> isam) : isam_(std::move(isam)) {}

JetSession::~JetSession() {
    try {
        isam_->Flush();
    } catch (const std::exception& error) {
        // A destructor has no caller to tell; the person must still learn of it.
        std::cerr << "tabvex: changes could not be saved when the session closed: " << error.what() << '\n';
    }
}

HRESULT JetSession::GetSchemaRowset(const Guid& schema, const Restrictions& restrictions,
                                    std::shared_ptr<Rowset>& rowset) {
    SetErrorInfo(nullptr);
    rowset.reset();
    std::unique_ptr<RowSource> source;
    try {
        if (schema == DBSCHEMA_TABLES) {
            source = TablesSchema(*isam_, restrictions);
        } else if (schema == DBSCHEMA_COLUMNS) {
            source = ColumnsSchema(*isam_, restrictions);
        } else if (schema == DBSCHEMA_INDEXES) {
            source = IndexesSchema(*isam_, restrictions);
        } else if (schema == DBSCHEMA_CATALOGS) {
            return ReportError(E_INVALIDARG, IID_IDBSchemaRowset,
                               "The CATALOGS schema rowset is not supported by the Jet provider: a database file "
                               "has no catalogs.");
        } else {
            return ReportError(E_INVALIDARG, IID_IDBSchemaRowset,
                               "The schema rowset " + schema.ToString() + " is not supported by the Jet provider.");
        }
    } catch (const IsamError& error) {
        return ReportError(error.code(), IID_IDBSchemaRowset, error.what());
    }
    rowset = std::make_shared<Rowset>(std::move(source), Rowset::Bookmark::None);
    return S_OK;
}

HRESULT JetSession::CreateCommand(std::shared_ptr<Command>& command) {
    SetErrorInfo(nullptr);
    command = std::make_shared<JetCommand>(isam_);
    return S_OK;
}

HRESULT JetSession::Commit() {
    SetErrorInfo(nullptr);
    try {
        isam_->Flush();
        return S_OK;
    } catch (const std::exception& error) {
        return ReportError(E_FAIL, IID_ITransactionLocal, error.what());
    }
}

bool JetSession::InterfaceSupportsErrorInfo(const Guid& interfaceId) const {
    return interfaceId == IID_IOpenRowset || interfaceId == IID_IDBSchemaRowset || interfaceId == IID_IDBCreateCommand ||
           interfaceId == IID_ITransactionLocal;
}

}  // namespace tabvex::jet
