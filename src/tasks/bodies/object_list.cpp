#include "tasks/bodies/object_list.h"

#include <algorithm>

#include "adapters/excel/sheet_names.h"
#include "app/output_lines.h"
#include "browser/schema_rows.h"
#include "com/provider_error_text.h"

namespace tabvex::tasks {

std::optional<std::vector<ListedObject>> ListObjects(app::Output& output, connect::ConnectionHolder& holder,
                                                     const char* type, const char* label) {
    browser::SchemaRows rows;
    const oledb::HRESULT result =
        holder.HasSession() ? rows.Open(*holder.session, oledb::DBSCHEMA_TABLES,
                                        {std::nullopt, std::nullopt, std::nullopt, type},
                                        {"TABLE_NAME", "TABLE_TYPE", "TABLE_SCHEMA"})
                            : oledb::E_FAIL;
    if (oledb::Failed(result)) {
        app::WriteOutputLine(output, "E::%s", com::ProviderErrorText(result, label).c_str());
        return std::nullopt;
    }
    std::vector<ListedObject> objects;
    while (rows.Next()) objects.push_back({std::string(rows.text(0)), std::string(rows.text(1)), std::string(rows.text(2))});
    return objects;
}

std::vector<std::string> TableNames(const std::vector<ListedObject>& objects) {
    std::vector<std::string> names;
    for (const auto& object : objects)
        if (object.type != "VIEW") names.push_back(object.name);
    return names;
}

std::vector<std::string> WorkbookSheetNames(app::Output& output, connect::ConnectionHolder& holder) {
    std::vector<std::string> sheets;
    if (const auto listed = ListObjects(output, holder, "TABLE", "Open target tables Error: "))
        for (const auto& object : *listed) sheets.push_back(adapters::SheetOfWorkbookTable(object.name));
    return sheets;
}

bool HoldsSheet(const std::vector<std::string>& sheets, const std::string& name) {
    const std::u16string folded = adapters::FoldedSheetName(name);
    return std::any_of(sheets.begin(), sheets.end(),
                       [&](const std::string& sheet) { return adapters::FoldedSheetName(sheet) == folded; });
}

}  // namespace tabvex::tasks
