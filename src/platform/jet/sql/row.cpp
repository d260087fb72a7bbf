#include "platform/jet/sql/row.h"

#include "platform/jet/sql/text_case.h"

namespace tabvex::jet::sql {

const Value* ValueRow::Find(std::string_view column) const {
    for (std::size_t i = 0; i < names_.size() && i < values_.size(); ++i)
        if (EqualsIgnoringCase(names_[i], column)) return &values_[i];
    return nullptr;
}

}  // namespace tabvex::jet::sql
