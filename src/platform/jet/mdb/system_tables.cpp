#include "platform/jet/mdb/system_tables.h"

namespace tabvex::mdb {

namespace {

// Object types and flags of MSysObjects. Access's own documents have types with
// the sign bit set.
constexpr int kTypeTable = 1;
constexpr int kTypeDatabase = 2;
constexpr int kTypeContainer = 3;
constexpr int kTypeForm = -32768;
constexpr int kTypeMacro = -32766;
constexpr int kTypeReport = -32764;
constexpr int kTypeModule = -32761;
constexpr std::int32_t kSystemFlags = INT32_MIN;  // 0x80000000
// Ids of the containers; tables live in "Tables".
constexpr std::int32_t kRootId = 0x0F000000;
constexpr std::int32_t kTablesId = 0x0F000001;
constexpr std::int32_t kDatabasesId = 0x0F000002;
constexpr std::int32_t kRelationshipsId = 0x0F000003;
constexpr std::int32_t kDatabaseObjectId = 0x0F000004;
// Access numbers its containers and documents from here.
constexpr std::int32_t kFirstDocumentId = INT32_MIN;  // 0x80000000

struct DocumentContainer {
    DocumentKind kind;
    const char* name;
    int type;
};
constexpr DocumentContainer kDocumentContainers[] = {
    {DocumentKind::Form, "Forms", kTypeForm},
    {DocumentKind::Report, "Reports", kTypeReport},
    {DocumentKind::Macro, "Scripts", kTypeMacro},
    {DocumentKind::Module, "Modules", kTypeModule},
};

using T = JetType;

std::vector<Value> CatalogRow(std::int32_t id, std::int32_t parent, const std::string& name, int type,
                              std::int32_t flags, const std::string& created) {
    // Id, ParentId, Name, Type, DateCreate, DateUpdate, Flags, Owner, Database, Connect,
    // ForeignName, RmtInfoShort, RmtInfoLong, Lv, LvProp, LvModule, LvExtra
    return {std::to_string(id), std::to_string(parent), name, std::to_string(type), created, created,
            std::to_string(flags), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
            std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
}

}  // namespace

const std::vector<SystemTableSpec>& SystemTables() {
    static const std::vector<SystemTableSpec> tables{
        {"MSysObjects",
         {{"Id", T::Long}, {"ParentId", T::Long}, {"Name", T::Text, 128}, {"Type", T::Integer},
          {"DateCreate", T::DateTime}, {"DateUpdate", T::DateTime}, {"Flags", T::Long}, {"Owner", T::Binary},
          {"Database", T::Memo}, {"Connect", T::Memo}, {"ForeignName", T::Text, 128}, {"RmtInfoShort", T::Binary},
          {"RmtInfoLong", T::OleObject}, {"Lv", T::OleObject}, {"LvProp", T::OleObject}, {"LvModule", T::OleObject},
          {"LvExtra", T::OleObject}}},
        {"MSysACEs", {{"ACM", T::Long}, {"FInheritable", T::Boolean}, {"ObjectId", T::Long}, {"SID", T::Binary}}},
        {"MSysQueries",
         {{"Attribute", T::Byte}, {"Expression", T::Memo}, {"Flag", T::Integer}, {"LvExtra", T::OleObject},
          {"Name1", T::Memo}, {"Name2", T::Memo}, {"ObjectId", T::Long}, {"Order", T::Binary}}},
        {"MSysRelationships",
         {{"ccolumn", T::Long}, {"grbit", T::Long}, {"icolumn", T::Long}, {"szColumn", T::Text, 64},
          {"szObject", T::Text, 64}, {"szReferencedColumn", T::Text, 64}, {"szReferencedObject", T::Text, 64},
          {"szRelationship", T::Text, 64}}},
    };
    return tables;
}

std::vector<std::vector<Value>> CatalogRows(const std::vector<CatalogObject>& objects, const std::string& createdText) {
    std::vector<std::vector<Value>> rows{
        CatalogRow(kTablesId, kRootId, "Tables", kTypeContainer, 0, createdText),
        CatalogRow(kDatabasesId, kRootId, "Databases", kTypeContainer, 0, createdText),
        CatalogRow(kRelationshipsId, kRootId, "Relationships", kTypeContainer, 0, createdText),
        CatalogRow(kDatabaseObjectId, kDatabasesId, "MSysDb", kTypeDatabase, 0, createdText),
    };
    std::int32_t nextDocumentId = kFirstDocumentId;
    bool anyDocument = false;
    for (const auto& o : objects) anyDocument = anyDocument || o.document.has_value();
    if (anyDocument)
        for (const auto& c : kDocumentContainers)
            rows.push_back(CatalogRow(nextDocumentId++, kRootId, c.name, kTypeContainer, 0, createdText));

    for (const auto& o : objects) {
        if (!o.document) {
            rows.push_back(CatalogRow(o.id.value_or(0), kTablesId, o.name, kTypeTable, o.system ? kSystemFlags : 0,
                                      createdText));
            continue;
        }
        size_t index = 0;
        while (kDocumentContainers[index].kind != *o.document) ++index;
        std::int32_t containerId = kFirstDocumentId + static_cast<std::int32_t>(index);
        std::int32_t id = o.id ? *o.id : nextDocumentId++;
        rows.push_back(CatalogRow(id, containerId, o.name, kDocumentContainers[index].type, 0, createdText));
    }
    return rows;
}

}  // namespace tabvex::mdb
