#include "platform/oledb/property_store.h"

namespace tabvex::oledb {

PropertyStore::PropertyStore(std::vector<PropertyDefinition> definitions) {
    for (auto& definition : definitions) {
        values_[{definition.setId, definition.id}] = std::move(definition.defaultValue);
    }
}

DBPROPSTATUS PropertyStore::SetOne(const Guid& setId, const DBPROP& property) {
    auto found = values_.find({setId, property.id});
    if (found == values_.end()) return DBPROPSTATUS_NOTSUPPORTED;
    bool sameKind = found->second.index() == property.value.index();
    if (!sameKind && !std::holds_alternative<std::monostate>(property.value)) return DBPROPSTATUS_BADVALUE;
    if (sameKind) found->second = property.value;
    return DBPROPSTATUS_OK;
}

HRESULT PropertyStore::SetProperties(std::vector<DBPROPSET>& sets) {
    std::size_t total = 0;
    std::size_t failed = 0;
    for (auto& set : sets) {
        for (auto& property : set.properties) {
            ++total;
            property.status = SetOne(set.setId, property);
            // An optional property that cannot be set is only noted, as OLE DB does.
            if (property.status != DBPROPSTATUS_OK) {
                if (property.options == DBPROPOPTIONS_OPTIONAL) property.status = DBPROPSTATUS_NOTSET;
                ++failed;
            }
        }
    }
    if (failed == 0) return S_OK;
    return failed == total ? DB_E_ERRORSOCCURRED : DB_S_ERRORSOCCURRED;
}

std::optional<PropertyValue> PropertyStore::Get(const Guid& setId, DBPROPID id) const {
    auto found = values_.find({setId, id});
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void PropertyStore::Put(const Guid& setId, DBPROPID id, PropertyValue value) {
    values_[{setId, id}] = std::move(value);
}

std::string PropertyStore::GetText(const Guid& setId, DBPROPID id) const {
    auto value = Get(setId, id);
    if (!value) return {};
    if (auto* text = std::get_if<std::string>(&*value)) return *text;
    return {};
}

}  // namespace tabvex::oledb
