#include "platform/oledb/property_store.h"

namespace tabvex::oledb {

PropertyStore::PropertyStore(std::vector<PropertyDefinition> definitions) {
    values_.reserve(definitions.size());
    for (auto& definition : definitions) Put(definition.setId, definition.id, std::move(definition.defaultValue));
}

std::size_t PropertyStore::IndexOf(const Guid& setId, DBPROPID id) const {
    std::size_t index = 0;
    while (index < values_.size() && (values_[index].id != id || values_[index].setId != setId)) ++index;
    return index;
}

DBPROPSTATUS PropertyStore::SetOne(const Guid& setId, const DBPROP& property) {
    std::size_t index = IndexOf(setId, property.id);
    if (index == values_.size()) return DBPROPSTATUS_NOTSUPPORTED;
    PropertyValue& current = values_[index].value;
    bool sameKind = current.index() == property.value.index();
    if (!sameKind && !std::holds_alternative<std::monostate>(property.value)) return DBPROPSTATUS_BADVALUE;
    if (sameKind) current = property.value;
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
    std::size_t index = IndexOf(setId, id);
    if (index == values_.size()) return std::nullopt;
    return values_[index].value;
}

void PropertyStore::Put(const Guid& setId, DBPROPID id, PropertyValue value) {
    std::size_t index = IndexOf(setId, id);
    if (index < values_.size()) values_[index].value = std::move(value);
    else values_.push_back(Entry{setId, id, std::move(value)});
}

std::string PropertyStore::GetText(const Guid& setId, DBPROPID id) const {
    auto value = Get(setId, id);
    if (!value) return {};
    if (auto* text = std::get_if<std::string>(&*value)) return *text;
    return {};
}

}  // namespace tabvex::oledb
