// A session of the Jet provider: schema rowsets and commands over the data
// source's ISAM. Releasing the last session (or the data source) flushes the ISAM,
// so a workbook's completed changes reach the file.
#pragma once

#include <memory>

#include "platform/jet/isam.h"
#include "platform/oledb/session.h"

namespace tabvex::jet {

class JetSession : public oledb::Session {
public:
    explicit JetSession(std::shared_ptr<Isam> isam);
    ~JetSession() override;
    JetSession(const JetSession&) = delete;
    JetSession& operator=(const JetSession&) = delete;

    oledb::HRESULT GetSchemaRowset(const oledb::Guid& schema, const oledb::Restrictions& restrictions,
                                   std::shared_ptr<oledb::Rowset>& rowset) override;
    oledb::HRESULT CreateCommand(std::shared_ptr<oledb::Command>& command) override;
    // Flushes the ISAM: a workbook is saved (atomically) here.
    oledb::HRESULT Commit() override;

    bool InterfaceSupportsErrorInfo(const oledb::Guid& interfaceId) const override;

private:
    std::shared_ptr<Isam> isam_;
};

}  // namespace tabvex::jet
