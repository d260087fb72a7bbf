#include "browser/fill_tree.h"

#include <strings.h>

#include "app/output_lines.h"
#include "browser/add_object_node.h"
#include "browser/condition_marks.h"
#include "browser/schema_rows.h"
#include "browser/tree_builder.h"
#include "connect/connection_settings.h"
#include "connect/dbms_kind.h"
#include "com/provider_error_text.h"
#include "platform/files/file_ending.h"

namespace tabvex::browser {

using namespace tabvex::oledb;

namespace {

constexpr int kAccessKind = static_cast<int>(connect::DbmsKind::Access);
constexpr int kExcelKind = static_cast<int>(connect::DbmsKind::Excel);

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string_view Trim(std::string_view text) {
    constexpr const char* kBlanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The name without its ".xls" (Excel) or ".mdb"/".accdb" (Access) ending, in any
// case; the rest keeps the file's own spelling.
std::string WithoutFileEnding(const std::string& name, int dbmsKind) {
    if (dbmsKind == kExcelKind) return files::WithoutFileEnding(name, files::kWorkbookEndings);
    if (dbmsKind == kAccessKind) return files::WithoutFileEnding(name, files::kAccessEndings);
    return name;
}

// A text property of the data source; nullopt when the provider has none.
std::optional<std::string> TextProperty(DataSource& dataSource, const Guid& set, DBPROPID id) {
    PropertyValue value;
    if (Failed(dataSource.GetProperty(set, id, value))) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return std::string();
}

class TreeFill {
public:
    TreeFill(app::Output& output, DbTree& tree, DataSource& dataSource, Session& session)
        : output_(output), tree_(tree), dataSource_(dataSource), session_(session),
          block_(tree.connection()) {}

    void Run() {
        const std::string sourceName = AddRoot();
        AddDatabases(sourceName);
        if (block_.databaseName.empty()) {
            if (auto catalog = TextProperty(dataSource_, DBPROPSET_DATASOURCE, DBPROP_CURRENTCATALOG))
                SetDatabaseName(std::move(*catalog));
        }
        if (block_.databaseName.empty() || SameTextIgnoringCase(block_.databaseName, "null") ||
            !FindCurrentDatabase()) {
            builder_.Expand(builder_.remembered.root);
            return;
        }
        auto& remembered = builder_.remembered;
        remembered.tablesFolder = builder_.Insert(TreeNodeKind::TablesFolder, "Tables", remembered.currentDatabase);
        remembered.viewsFolder = builder_.Insert(TreeNodeKind::ViewsFolder, "Views", remembered.currentDatabase);
        if (!AddTables()) return;  // nothing expanded, no views listed
        builder_.Expand(remembered.tablesFolder);
        AddViews();
        builder_.Expand(remembered.root);
    }

    TreeBuilder& builder() { return builder_; }

private:
    // The root shows the data source's name, or "DATABASES" when it has none.
    // Returns the name as read.
    std::string AddRoot() {
        auto name = TextProperty(dataSource_, DBPROPSET_DATASOURCEINFO, DBPROP_DATASOURCENAME);
        if (!name) {
            output_.ui().ShowMessageBox({"Get Datasource Name Error!", app::kProgramTitle});
            name.emplace();
        }
        builder_.remembered.root =
            builder_.Insert(TreeNodeKind::Root, Trim(*name).empty() ? "DATABASES" : *name, kNoNode);
        return *name;
    }

    // Jet has one database, its file; other providers list their catalogs.
    void AddDatabases(const std::string& sourceName) {
        auto& remembered = builder_.remembered;
        if (connect::IsJetProvider(block_.providerProgId)) {
            remembered.currentDatabase = builder_.Insert(
                TreeNodeKind::Database, WithoutFileEnding(sourceName, block_.dbmsKind), remembered.root);
            return;
        }
        SchemaRows rows;
        if (const HRESULT result = rows.Open(session_, DBSCHEMA_CATALOGS, {}, {"CATALOG_NAME"}); Failed(result)) {
            app::WriteOutputLine(output_, "%s", com::ProviderErrorText(result, "open").c_str());
            return;
        }
        SetDatabaseName(WithoutFileEnding(block_.databaseName, block_.dbmsKind));
        while (rows.Next())
            remembered.currentDatabase =
                builder_.Insert(TreeNodeKind::Database, std::string(rows.text(0)), remembered.root);
    }

    void SetDatabaseName(std::string name) {
        block_.databaseName = name;
        tree_.SetDatabaseName(std::move(name));
    }

    // The first database node named like the tree's database becomes the current
    // database and the current node.
    bool FindCurrentDatabase() {
        auto& remembered = builder_.remembered;
        remembered.currentDatabase = kNoNode;
        for (NodeId child : builder_.nodes[remembered.root].children) {
            if (SameTextIgnoringCase(builder_.nodes[child].text, block_.databaseName)) {
                remembered.currentDatabase = child;
                break;
            }
        }
        remembered.current = remembered.currentDatabase;
        return remembered.currentDatabase != kNoNode;
    }

    // The worksheets of a workbook ("Name$") are left out: a workbook's tables are
    // its defined names.
    bool AddTables() {
        SchemaRows rows;
        if (Failed(rows.Open(session_, DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "TABLE"},
                             {"TABLE_NAME", "TABLE_TYPE"})))
            return false;
        while (rows.Next()) {
            const std::string_view name = rows.text(0);
            if (block_.dbmsKind == kExcelKind && name.find('$') != std::string_view::npos) continue;
            AddObjectNode(session_, builder_, rows.text(1) == "VIEW" ? TreeNodeKind::View : TreeNodeKind::Table,
                          std::string(name));
        }
        return true;
    }

    void AddViews() {
        SchemaRows rows;
        if (Failed(rows.Open(session_, DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "VIEW"},
                             {"TABLE_NAME", "TABLE_TYPE", "TABLE_SCHEMA"})))
            return;
        while (rows.Next()) {
            const std::string_view schema = rows.text(2);
            if (rows.text(1) != "VIEW" || schema == "sys" || schema == "INFORMATION_SCHEMA") continue;
            AddObjectNode(session_, builder_, TreeNodeKind::View, std::string(rows.text(0)));
        }
    }

    app::Output& output_;
    DbTree& tree_;
    DataSource& dataSource_;
    Session& session_;
    ConnectionBlock block_;
    TreeBuilder builder_;
};

}  // namespace

void FillTree(app::Output& output, const std::filesystem::path& conditionFile, DbTree& tree) {
    tree.SetRefreshing(true);
    // The objects are held for the whole fill, whatever happens to the side's slots.
    std::shared_ptr<DataSource> dataSource;
    std::shared_ptr<Session> session;
    if (const auto* holder = tree.connection().holder) {
        dataSource = holder->dataSource;
        session = holder->session;
    }
    TreeBuilder built;
    if (dataSource && session) {
        TreeFill fill(output, tree, *dataSource, *session);
        fill.Run();
        built = std::move(fill.builder());
    }
    if (tree.fixedSide() == kSourceSide) MarkTableConditions(conditionFile, built.nodes);
    tree.ReplaceNodes(std::move(built.nodes), built.remembered);
    tree.SetRefreshing(false);
    output.ui().RedrawTree(tree.fixedSide() == kSourceSide ? app::TreeSide::Source : app::TreeSide::Target);
}

}  // namespace tabvex::browser
