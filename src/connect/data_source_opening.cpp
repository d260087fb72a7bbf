#include "connect/data_source_opening.h"

#include "com/error_record_text.h"
#include "platform/oledb/interface_ids.h"
#include "platform/registry/class_registry.h"

namespace tabvex::connect {

using namespace tabvex::oledb;

OpenedDataSource OpenDataSource(const std::string& progId, std::vector<DBPROPSET>& sets) {
    std::shared_ptr<ComObject> object;
    // When the provider could not even be created, the class registry has said why.
    if (Failed(registry::CreateInstanceByProgId(progId, object))) return {nullptr, com::ThreadErrorRecordText()};
    auto dataSource = std::dynamic_pointer_cast<DataSource>(object);
    if (!dataSource) return {nullptr, com::kUnknownError};
    if (Failed(dataSource->SetProperties(sets)) || Failed(dataSource->Initialize()))
        return {nullptr, com::ErrorRecordText(dataSource.get(), IID_IDBInitialize)};
    return {std::move(dataSource), {}};
}

}  // namespace tabvex::connect
