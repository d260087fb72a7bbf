// One side's live connection: the data source (IDBInitialize) and its session
// (IOpenRowset), both empty when the side is disconnected. Each side (browser::Side)
// keeps one; trees, runners and task bodies use it for every query.
#pragma once

#include <memory>

#include "platform/oledb/data_source.h"
#include "platform/oledb/session.h"

namespace tabvex::connect {

struct ConnectionHolder {
    std::shared_ptr<oledb::DataSource> dataSource;
    std::shared_ptr<oledb::Session> session;

    bool HasSession() const { return session != nullptr; }
    bool HasDataSource() const { return dataSource != nullptr; }
    // Session first, then the data source, as a consumer releases them.
    void Release() {
        session.reset();
        dataSource.reset();
    }
};

}  // namespace tabvex::connect
