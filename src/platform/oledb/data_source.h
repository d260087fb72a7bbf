// A data source object (IDBInitialize, IDBProperties, IDBCreateSession,
// IDBDataSourceAdmin): takes property sets, initializes, answers its information
// properties, creates sessions, and creates new data stores.
#pragma once

#include <memory>
#include <vector>

#include "platform/oledb/com_object.h"
#include "platform/oledb/error_info.h"
#include "platform/oledb/property.h"
#include "platform/oledb/session.h"

namespace tabvex::oledb {

class DataSource : public ComObject, public SupportErrorInfo {
public:
    virtual HRESULT SetProperties(std::vector<DBPROPSET>& sets) = 0;
    // One property of a set (IDBProperties::GetProperties for one id);
    // DB_E_ERRORSOCCURRED when the data source has no value for it.
    virtual HRESULT GetProperty(const Guid& setId, DBPROPID id, PropertyValue& value) = 0;
    virtual HRESULT Initialize() = 0;
    virtual HRESULT Uninitialize() = 0;
    virtual HRESULT CreateSession(std::shared_ptr<Session>& session) = 0;
    // IDBDataSourceAdmin::CreateDataSource: creates the data store the properties
    // describe and leaves the data source initialized over it.
    virtual HRESULT CreateDataSource(std::vector<DBPROPSET>& sets) = 0;
};

}  // namespace tabvex::oledb
