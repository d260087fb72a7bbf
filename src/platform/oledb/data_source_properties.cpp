#include "platform/oledb/data_source_properties.h"

#include "platform/oledb/error_info.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::oledb {

std::vector<PropertyDefinition> DbInitPropertyDefinitions(const std::string& userId) {
    return {
        {DBPROPSET_DBINIT, DBPROP_AUTH_CACHE_AUTHINFO, PropertyValue{false}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_ENCRYPT_PASSWORD, PropertyValue{false}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_MASK_PASSWORD, PropertyValue{false}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_PASSWORD, PropertyValue{std::string()}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_USERID, PropertyValue{userId}},
        {DBPROPSET_DBINIT, DBPROP_INIT_DATASOURCE, PropertyValue{std::string()}},
        {DBPROPSET_DBINIT, DBPROP_INIT_CATALOG, PropertyValue{std::string()}},
        {DBPROPSET_DBINIT, DBPROP_INIT_MODE, PropertyValue{std::int32_t{0x10}}},
        {DBPROPSET_DBINIT, DBPROP_INIT_PROMPT, PropertyValue{std::int16_t{4}}},
        {DBPROPSET_DBINIT, DBPROP_INIT_LCID, PropertyValue{std::int32_t{0x409}}},
        {DBPROPSET_DBINIT, DBPROP_INIT_PROVIDERSTRING, PropertyValue{std::string()}},
    };
}

HRESULT SetDataSourceProperties(PropertyStore& properties, bool initialized, std::vector<DBPROPSET>& sets,
                                const ProviderNames& names) {
    SetErrorInfo(nullptr);
    if (initialized) {
        for (auto& set : sets) {
            for (auto& property : set.properties) property.status = DBPROPSTATUS_NOTSETTABLE;
        }
        return ReportError(DB_E_ERRORSOCCURRED, IID_IDBProperties,
                           "Initialization properties cannot be changed while the data source is initialized.",
                           names.source);
    }
    HRESULT result = properties.SetProperties(sets);
    if (Failed(result)) {
        return ReportError(result, IID_IDBProperties,
                           "None of the given properties is supported by " + names.label + ".", names.source);
    }
    return result;
}

HRESULT GetDataSourceProperty(const PropertyStore& properties, bool initialized, const Guid& setId, DBPROPID id,
                              PropertyValue& value, const ProviderNames& names) {
    SetErrorInfo(nullptr);
    auto found = properties.Get(setId, id);
    if (!found) {
        return ReportError(DB_E_ERRORSOCCURRED, IID_IDBProperties,
                           "Property " + std::to_string(id) + " of set " + setId.ToString() + " is not available" +
                               (initialized ? "." : ": the data source is not initialized."),
                           names.source);
    }
    value = *found;
    return S_OK;
}

}  // namespace tabvex::oledb
