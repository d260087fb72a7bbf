// Reading a schema rowset row by row, with only the columns a caller names bound as
// text. Columns are found by name, so the code does not depend on where a provider
// puts them.
#pragma once

#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/oledb/text_rows.h"
#include "platform/oledb/session.h"

namespace tabvex::browser {

class SchemaRows {
public:
    // Opens the schema rowset and binds the named columns; a name the rowset lacks
    // reads as an empty text. A failure is the provider's code from opening the
    // rowset or making its accessor.
    oledb::HRESULT Open(oledb::Session& session, const oledb::Guid& schema, const oledb::Restrictions& restrictions,
                        std::initializer_list<std::string_view> columnNames);

    // The next row; false after the last one or when a fetch fails.
    bool Next();

    // The i-th named column of the current row; NULL reads as an empty text.
    std::string_view text(std::size_t i) const;

private:
    std::shared_ptr<oledb::Rowset> rowset_;
    oledb::TextRowReader reader_;
    std::vector<int> slots_;  // per named column its bound slot, or -1
};

}  // namespace tabvex::browser
