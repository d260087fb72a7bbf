// The data source object of the provider "Microsoft.Jet.OLEDB.4.0". Initializing
// opens the file DBPROP_INIT_DATASOURCE names with the ISAM the provider string
// chooses, after checking the workgroup file when the Jet set names one. It
// answers DBMS name "MS Jet" and version "04.00.0000", as Jet reports them.
#pragma once

#include <memory>

#include "platform/jet/isam.h"
#include "platform/oledb/data_source.h"
#include "platform/oledb/property_store.h"

namespace tabvex::jet {

inline const oledb::Guid CLSID_JETOLEDB_4_00 = oledb::GuidLiteral("{DEE35070-506B-11CF-B1AA-00AA00B8DE95}");

class JetDataSource : public oledb::DataSource {
public:
    JetDataSource();

    oledb::HRESULT SetProperties(std::vector<oledb::DBPROPSET>& sets) override;
    oledb::HRESULT GetProperty(const oledb::Guid& setId, oledb::DBPROPID id, oledb::PropertyValue& value) override;
    oledb::HRESULT Initialize() override;
    oledb::HRESULT Uninitialize() override;
    oledb::HRESULT CreateSession(std::shared_ptr<oledb::Session>& session) override;
    oledb::HRESULT CreateDataSource(std::vector<oledb::DBPROPSET>& sets) override;

    bool InterfaceSupportsErrorInfo(const oledb::Guid& interfaceId) const override;

private:
    void OpenDataStore();
    void CreateDataStore();
    void PublishInformation();

    oledb::PropertyStore properties_;
    std::shared_ptr<Isam> isam_;  // set while initialized; shared with the sessions
};

}  // namespace tabvex::jet
