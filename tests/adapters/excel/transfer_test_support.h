// Shared by the Create Table and row transfer suites: an Access source built by the
// project's writer, a new workbook as the target, both connected through Jet; trace
// files go to the scratch folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "com/object_file_name.h"
#include "connect/connection_holder.h"
#include "platform/jet/mdb/database.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/jet_connection.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::test {

class TransferFixture : public ::testing::Test {
protected:
    ~TransferFixture() override {
        source.Release();
        target.Release();
    }

    // Where a table's trace goes: the scratch folder, under the table's file name.
    std::filesystem::path TraceOf(const std::string& table) const {
        return scratch / com::ObjectFileName(table, ".data");
    }

    std::filesystem::path sourceFile() const { return scratch / "source.mdb"; }
    std::filesystem::path targetFile() const { return scratch / "target.xls"; }

    // Writes the source database and connects both sides.
    void Connect(const mdb::DatabaseWriter& writer) {
        writer.Write();
        xls::Workbook::CreateNew({"Sheet1"}).Save(targetFile());
        source = OpenJetConnection(sourceFile());
        target = OpenJetConnection(targetFile());
    }

    // The table's rows as the Access reader (and so `tabvex-cli mdb-dump`) gives
    // them, NULL as empty text.
    std::vector<std::vector<std::string>> SourceRows(const std::string& table) const {
        std::vector<std::vector<std::string>> rows;
        mdb::RowCursor cursor = mdb::Database::Open(sourceFile()).OpenCursor(table);
        while (cursor.Next()) {
            rows.emplace_back();
            for (const auto& value : cursor.values()) rows.back().push_back(value.value_or(""));
        }
        return rows;
    }

    // The sheet's data rows (the header row left out) as read back by xlrd, after
    // the target is released and so saved. Every filled cell must be text.
    std::vector<std::vector<std::string>> SheetRows(const std::string& sheet) {
        target.Release();
        const nlohmann::json book = ReadWithXlrd(targetFile());
        for (const auto& found : book["sheets"]) {
            if (found["name"] != sheet) continue;
            std::vector<std::vector<std::string>> rows(found["nrows"].get<std::size_t>() - 1,
                                                       std::vector<std::string>(found["ncols"].get<std::size_t>()));
            for (const auto& cell : found["cells"]) {
                EXPECT_EQ(cell["type"], 1) << "not text: " << cell;
                const auto row = cell["row"].get<std::size_t>();
                if (row > 0) rows[row - 1][cell["col"].get<std::size_t>()] = cell["value"].get<std::string>();
            }
            return rows;
        }
        ADD_FAILURE() << "no sheet " << sheet << " in " << book["sheets"];
        return {};
    }

    ScratchDir scratch;
    ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
    // The program's own sides: the transfer reads from and writes to them.
    connect::ConnectionHolder& source = program.sides().source().holder();
    connect::ConnectionHolder& target = program.sides().target().holder();
};

}  // namespace tabvex::test
