// A command of the ODBC provider: the text goes to the driver as it is
// (SQLExecDirect). A statement with result columns gives a forward rowset without
// a bookmark column; others give none and the row count SQLRowCount tells. A
// failing statement returns DB_E_ERRORSINCOMMAND with the driver's diagnostics
// as error records.
#pragma once

#include <memory>
#include <string>

#include "platform/odbc/odbc_handles.h"
#include "platform/oledb/command.h"
#include "platform/oledb/property_store.h"

namespace tabvex::odbc {

class OdbcCommand : public oledb::Command {
public:
    explicit OdbcCommand(std::shared_ptr<Connection> connection);

    oledb::HRESULT SetCommandText(const oledb::Guid& dialect, const std::string& text) override;
    oledb::HRESULT SetProperties(std::vector<oledb::DBPROPSET>& sets) override;
    oledb::HRESULT Execute(std::shared_ptr<oledb::Rowset>& rowset, std::int64_t* rowsAffected = nullptr) override;

    bool InterfaceSupportsErrorInfo(const oledb::Guid& interfaceId) const override;

private:
    std::shared_ptr<Connection> connection_;
    std::string text_;
    oledb::PropertyStore properties_;
};

}  // namespace tabvex::odbc
