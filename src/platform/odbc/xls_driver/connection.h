// A connection handle: the workbook opened through the Jet provider with the Excel
// ISAM. Connecting needs a workbook (DBQ, the data source's DBQ, or a catalog set
// before); setting the current catalog afterwards switches to another.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/odbc/xls_driver/connection_settings.h"
#include "platform/odbc/xls_driver/diagnostics.h"
#include "platform/oledb/data_source.h"
#include "platform/oledb/session.h"

namespace tabvex::odbc::xls {

class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    // Parses the connection string and connects; false with diagnostics when it
    // cannot. `completed` receives the connection string that was used.
    bool ConnectWithString(std::string_view text, std::string& completed);
    bool Connect(ConnectionSettings settings);
    // Commits the open workbook and opens another one (SQL_ATTR_CURRENT_CATALOG);
    // before connecting, names the workbook a connection without DBQ opens.
    bool SwitchCatalog(const std::string& name);
    // Makes the changes durable: the workbook is saved.
    bool Commit();
    // Commits and releases the workbook; the handle can connect again.
    bool Disconnect();

    bool connected() const { return connected_; }
    bool readOnly() const { return settings_.readOnly; }
    // The session over the workbook, or nullptr (with a diagnostic) when none is open.
    // Results hold on to it: their rows are read from the workbook it keeps open.
    std::shared_ptr<oledb::Session> RequireSession(Diagnostics& diagnostics) const;
    // The workbook path without ".xls"; empty before a workbook is named.
    std::string Catalog() const { return workbook_.empty() ? std::string() : CatalogName(workbook_); }
    const std::string& DataSourceName() const { return settings_.dataSourceName; }

    Diagnostics diagnostics;

private:
    bool OpenWorkbook(const std::filesystem::path& workbook);
    void Release();

    ConnectionSettings settings_;
    std::string pendingCatalog_;
    bool connected_ = false;
    std::filesystem::path workbook_;
    std::shared_ptr<oledb::DataSource> dataSource_;
    std::shared_ptr<oledb::Session> session_;
};

}  // namespace tabvex::odbc::xls
