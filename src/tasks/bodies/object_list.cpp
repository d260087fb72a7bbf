#include "tasks/bodies/object_list.h"

#include "app/output_lines.h"
#include "browser/schema_rows.h"
#include "com/provider_error_text.h"

namespace tabvex::tasks {

std::optional<std::vector<ListedObject>> ListObjects(app::Migrator& migrator, connect::ConnectionHolder& holder,
                                                     const char* type, const char* label) {
    browser::SchemaRows rows;
    const oledb::HRESULT result =
        holder.HasSession() ? rows.Open(*holder.session, oledb::DBSCHEMA_TABLES,
                                        {std::nullopt, std::nullopt, std::nullopt, type},
                                        {"TABLE_NAME", "TABLE_TYPE", "TABLE_SCHEMA"})
                            : oledb::E_FAIL;
    if (oledb::Failed(result)) {
        app::WriteOutputLine(migrator, "E::%s", com::ProviderErrorText(result, label).c_str());
        return std::nullopt;
    }
    std::vector<ListedObject> objects;
    while (rows.Next()) objects.push_back({std::string(rows.text(0)), std::string(rows.text(1)), std::string(rows.text(2))});
    return objects;
}

}  // namespace tabvex::tasks
