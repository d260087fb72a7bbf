// The properties an object accepts, and the values set on it. SetProperties
// checks each property against the object's table (known id, right VARIANT kind),
// marks its status, and answers as OLE DB does: S_OK when all were set,
// DB_S_ERRORSOCCURRED when some, DB_E_ERRORSOCCURRED when none.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/oledb/property.h"
#include "platform/oledb/result_code.h"

namespace tabvex::oledb {

struct PropertyDefinition {
    Guid setId;
    DBPROPID id = 0;
    PropertyValue defaultValue;  // its alternative is the kind the property takes
};

class PropertyStore {
public:
    explicit PropertyStore(std::vector<PropertyDefinition> definitions);

    // Sets the properties of `sets`, writing each one's status back into them.
    HRESULT SetProperties(std::vector<DBPROPSET>& sets);
    // The value of a property (set or default), nullopt when the object has none.
    std::optional<PropertyValue> Get(const Guid& setId, DBPROPID id) const;
    // Sets a value the object itself computes (e.g. after initialization).
    void Put(const Guid& setId, DBPROPID id, PropertyValue value);
    // A string property's value, empty when unset or of another kind.
    std::string GetText(const Guid& setId, DBPROPID id) const;

private:
    struct Entry {
        Guid setId;
        DBPROPID id = 0;
        PropertyValue value;
    };

    DBPROPSTATUS SetOne(const Guid& setId, const DBPROP& property);
    // The entry's place in values_, or values_.size() when the object has no such property.
    std::size_t IndexOf(const Guid& setId, DBPROPID id) const;

    // A handful of properties per object, made anew for every command: a flat list
    // searched front to back costs less than a tree.
    std::vector<Entry> values_;
};

}  // namespace tabvex::oledb
