// Opening a side's data source, as connecting and the configuration dialog's test
// do: the provider created by ProgID through the class registry, handed the
// property sets and initialized. A data source that does not initialize is not kept.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/oledb/data_source.h"

namespace tabvex::connect {

struct OpenedDataSource {
    std::shared_ptr<oledb::DataSource> dataSource;  // empty when it did not open
    std::string failure;                             // then why: the class registry's or the provider's reason
};

OpenedDataSource OpenDataSource(const std::string& progId, std::vector<oledb::DBPROPSET>& sets);

}  // namespace tabvex::connect
