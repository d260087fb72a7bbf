// What every provider's data source does alike with its properties: the DBINIT set
// it takes, and IDBProperties' SetProperties and GetProperties over a PropertyStore.
#pragma once

#include <string>
#include <vector>

#include "platform/oledb/guid.h"
#include "platform/oledb/property.h"
#include "platform/oledb/property_store.h"
#include "platform/oledb/result_code.h"

namespace tabvex::oledb {

// How a provider names itself in error records: "the Jet provider" in texts, and the
// record's source.
struct ProviderNames {
    std::string label;
    std::string source;
};

// The DBINIT properties (authentication, data source, catalog, mode, prompt, LCID,
// provider string) with their defaults; `userId` is the user a provider assumes.
std::vector<PropertyDefinition> DbInitPropertyDefinitions(const std::string& userId);

// SetProperties: refused (every status NOTSETTABLE) while the data source is
// initialized; DB_E_ERRORSOCCURRED when no property was taken.
HRESULT SetDataSourceProperties(PropertyStore& properties, bool initialized, std::vector<DBPROPSET>& sets,
                                const ProviderNames& names);
// One property of a set; DB_E_ERRORSOCCURRED when the data source has no value for it.
HRESULT GetDataSourceProperty(const PropertyStore& properties, bool initialized, const Guid& setId, DBPROPID id,
                              PropertyValue& value, const ProviderNames& names);

}  // namespace tabvex::oledb
