// What the migration suites share: a source database and a workbook written by the
// project's own writers, both sides connected as the window connects them, the
// bodies registered, worker pauses shortened, and the workbook read back by xlrd.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "adapters/adapter_test_support.h"
#include "connecting/connecting.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/brisk_timings.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"
#include "tasks/bodies/task_bodies.h"

namespace tabvex::test {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

inline const Rows kCustomers = {
    {"ID", "Name", "Note"}, {"1", "Alfreds", "likes tea"}, {"2", "O'Brien", ""}, {"3", "", "Ünïcödé 東京"}};

// A table in the writer's terms: columns, then rows as text (empty optional: NULL).
struct SourceTable {
    std::string name;
    std::vector<mdb::ColumnSpec> columns;
    std::vector<std::vector<mdb::Value>> rows;
};

inline SourceTable Customers() {
    return {"Customers",
            {{"ID", mdb::JetType::Long, 0}, {"Name", mdb::JetType::Text, 40}, {"Note", mdb::JetType::Memo, 0}},
            {{"1", "Alfreds", "likes tea"}, {"2", "O'Brien", std::nullopt}, {"3", std::nullopt, "Ünïcödé 東京"}}};
}

inline SourceTable Orders() {
    return {"Orders",
            {{"OrderID", mdb::JetType::Long, 0}, {"Customer", mdb::JetType::Long, 0}},
            {{"10", "1"}, {"11", "3"}}};
}

// The cells of a sheet as xlrd read them, row by row; empty cells as "".
inline Rows SheetRows(const nlohmann::json& sheet) {
    Rows rows(sheet["nrows"].get<std::size_t>(), std::vector<std::string>(sheet["ncols"].get<std::size_t>()));
    for (const auto& cell : sheet["cells"])
        rows[cell["row"].get<std::size_t>()][cell["col"].get<std::size_t>()] =
            cell["value"].is_string() ? cell["value"].get<std::string>() : cell["value"].dump();
    return rows;
}

inline const nlohmann::json* FindSheet(const nlohmann::json& book, const std::string& name) {
    for (const auto& sheet : book["sheets"])
        if (sheet["name"] == name) return &sheet;
    return nullptr;
}

// The cells of the sheet `name` of a workbook as xlrd reads it; none when it is missing.
inline Rows SheetOf(const std::filesystem::path& workbook, const std::string& name) {
    const auto read = ReadWithXlrd(workbook);
    const auto* sheet = FindSheet(read, name);
    return sheet ? SheetRows(*sheet) : Rows{};
}

// The sheet named `name`, else any sheet holding exactly `rows`: a table's sheet may
// carry another name when the table's cannot name a sheet ("~" cannot start one).
inline const nlohmann::json* FindTableSheet(const nlohmann::json& book, const std::string& name, const Rows& rows) {
    if (const auto* sheet = FindSheet(book, name)) return sheet;
    for (const auto& sheet : book["sheets"])
        if (SheetRows(sheet) == rows) return &sheet;
    return nullptr;
}

// The user tables of `tabvex-cli mdb-dump` output (system tables left out) as the
// cells a sheet of each should hold: the column names, then the rows, NULL as "".
inline std::vector<std::pair<std::string, Rows>> DumpedUserTables(const nlohmann::json& dump) {
    std::vector<std::pair<std::string, Rows>> tables;
    for (const auto& table : dump["tables"]) {
        const std::string name = table["name"];
        if (name.starts_with("MSys")) continue;
        Rows rows{{}};
        for (const auto& column : table["columns"]) rows[0].push_back(column["name"]);
        for (const auto& row : table["rows"]) {
            rows.emplace_back();
            for (const auto& value : row) rows.back().push_back(value.is_null() ? "" : value.get<std::string>());
        }
        tables.emplace_back(name, std::move(rows));
    }
    return tables;
}

// The scripted host, able to raise the stop request the moment a given Log line is
// written, as a person pressing Stop at that point would.
class StoppableUserInterface : public ScriptedUserInterface {
public:
    void StopOn(std::string message, std::atomic<tasks::RunState>& runState) {
        stopOn_ = std::move(message);
        runState_ = &runState;
    }
    void ShowOutputLine(const app::OutputLine& line) override {
        ScriptedUserInterface::ShowOutputLine(line);
        if (runState_ && line.text.size() >= stopOn_.size() &&
            line.text.compare(line.text.size() - stopOn_.size(), stopOn_.size(), stopOn_) == 0)
            runState_->store(tasks::RunState::Stopping);
    }

private:
    std::string stopOn_;
    std::atomic<tasks::RunState>* runState_ = nullptr;
};

class MigrationFixture : public ::testing::Test {
protected:
    MigrationFixture() {
        program.engine().timings() = BriskTimings(std::chrono::milliseconds(20));
        fs::create_directories(programFolder());
    }
    // Commands and bodies write by full path: the current folder never moves.
    ~MigrationFixture() override { EXPECT_EQ(fs::current_path(), startFolder_); }

    fs::path WriteDatabase(const fs::path& path, const std::vector<SourceTable>& tables) {
        fs::create_directories(path.parent_path());
        mdb::DatabaseWriter writer(path);
        for (const auto& table : tables) {
            writer.AddTable(table.name, table.columns);
            for (const auto& row : table.rows) writer.AddRow(table.name, row);
        }
        writer.Write();
        return path;
    }

    // A workbook that already holds a table of its own.
    fs::path WriteBook(const fs::path& path) {
        fs::create_directories(path.parent_path());
        auto book = xls::Workbook::CreateNew({"Sales"});
        book.Sheet(0).SetCellText(0, 0, "Region");
        book.AddName("Sales", xls::SheetArea{0, xls::CellRange{0, 0, 0, 0}});
        book.Save(path);
        return path;
    }

    static void Configure(connect::ConnectionSettings& settings, const fs::path& file) {
        settings = {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0", "", file.string(), "", "Admin", ""};
    }

    void Connect(const fs::path& source, const fs::path& target) {
        Configure(program.sides().source().settings(), source);
        Configure(program.sides().target().settings(), target);
        connect::ConnectCommand(program.output(), program.gate(), program.sides());
        ASSERT_TRUE(program.sides().source().holder().HasSession() && program.sides().target().holder().HasSession());
    }

    // The first node of that kind (and text, when given) in the tree.
    static browser::NodeId Node(const browser::DbTree& tree, browser::TreeNodeKind kind, const std::string& text = "") {
        const auto nodes = tree.nodes();
        for (browser::NodeId id = 0; id < nodes.size(); ++id)
            if (nodes[id].kind == kind && (text.empty() || nodes[id].text == text)) return id;
        ADD_FAILURE() << "no node " << text;
        return browser::kNoNode;
    }

    void Select(browser::TreeNodeKind sourceKind, const std::string& sourceText, browser::TreeNodeKind targetKind) {
        program.sides().source().tree().Select(Node(program.sides().source().tree(), sourceKind, sourceText));
        program.sides().target().tree().Select(Node(program.sides().target().tree(), targetKind));
    }

    bool WaitForIdle() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (program.engine().runState().load() != tasks::RunState::Idle) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        program.engine().thread().Join();
        return true;
    }

    std::vector<tasks::TaskState> States() const {
        std::vector<tasks::TaskState> states;
        for (const auto& task : program.engine().taskList().Snapshot()) states.push_back(task->state.load());
        return states;
    }

    bool Logged(const std::string& message) const {
        const auto messages = ui.messages();
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    bool LoggedStart(const std::string& start) const {
        const auto messages = ui.messages();
        return std::any_of(messages.begin(), messages.end(), [&](const auto& line) { return line.starts_with(start); });
    }

    fs::path programFolder() const { return scratch / "program"; }

    // What the worker hands a task with these names, for calling task code directly.
    tasks::TaskContext ContextFor(tasks::TaskNames names) {
        running_ = std::make_shared<tasks::MigrationTask>(tasks::TaskCategory::Backup, tasks::TaskType::BackupGroup,
                                                          std::move(names), 0);
        return program.engine().ContextFor(running_);
    }

    // tabvex-cli migrate with this fixture's program folder, then the arguments.
    std::vector<std::string> MigrateCommandLine(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {CliPath().string(), "migrate", "--program-dir", programFolder().string()});
        return arguments;
    }

    fs::path startFolder_ = fs::current_path();
    ScratchProfile profile;
    ScratchDir scratch;
    StoppableUserInterface ui;
    shell::Program program{ui, scratch / "program"};
    std::shared_ptr<tasks::MigrationTask> running_;
};

}  // namespace tabvex::test
