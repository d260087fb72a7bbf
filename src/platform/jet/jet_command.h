// A command of the Jet provider: Jet SQL text run over the session's ISAM.
// Queries give a rowset that reports Jet's bookmark column at ordinal 0; CREATE
// TABLE and INSERT give none. A failure returns its result code and leaves an error
// record naming the position and token, the table or the column concerned.
#pragma once

#include <memory>
#include <string>

#include "platform/jet/isam.h"
#include "platform/oledb/command.h"
#include "platform/oledb/property_store.h"

namespace tabvex::jet {

class JetCommand : public oledb::Command {
public:
    explicit JetCommand(std::shared_ptr<Isam> isam);

    oledb::HRESULT SetCommandText(const oledb::Guid& dialect, const std::string& text) override;
    oledb::HRESULT SetProperties(std::vector<oledb::DBPROPSET>& sets) override;
    oledb::HRESULT Execute(std::shared_ptr<oledb::Rowset>& rowset, std::int64_t* rowsAffected = nullptr) override;

    bool InterfaceSupportsErrorInfo(const oledb::Guid& interfaceId) const override;

private:
    std::shared_ptr<Isam> isam_;
    std::string text_;
    oledb::PropertyStore properties_;
};

}  // namespace tabvex::jet
