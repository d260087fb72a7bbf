// What the backup suites share: a workbook written through the Excel ISAM, connected
// as the target as the window connects it, and the folder the person chooses.
#pragma once

#include <string>
#include <vector>

#include "browser/fill_tree.h"
#include "tasks/bodies/backup_bodies.h"
#include "connect/statement_runners.h"
#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {

// Notes: a number, a text and a memo column, with apostrophes, NULLs of both kinds,
// text longer than a standard 8192-byte slot and text outside Latin-1.
inline std::vector<std::string> NotesStatements() {
    return {"CREATE TABLE Notes (Id NUMBER, Name TEXT, Memo LONGTEXT)",
            "INSERT INTO Notes VALUES (1, 'O''Brien', 'it''s ''quoted''')",
            "INSERT INTO Notes VALUES (NULL, NULL, 'Ελληνικά 東京')",
            "INSERT INTO Notes VALUES (3.5, 'long', '" + std::string(10000, 'x') + "')"};
}

class BackupFixture : public MigrationFixture {
protected:
    BackupFixture() { tasks::RegisterTaskBodies(program.engine()); }

    // Connects the workbook (a new one unless the test wrote it) as the target, runs
    // the statements on it and fills the tree again.
    void ConnectBook(const std::vector<std::string>& statements) {
        if (!fs::exists(book)) WriteBook(book);
        Configure(program.sides().target().settings(), book);
        connect::ConnectTarget(program.output(), program.sides());
        ASSERT_TRUE(program.sides().target().holder().HasSession());
        for (const auto& statement : statements)
            ASSERT_TRUE(connect::ExecuteStatement(program.output(), program.sides().target().holder(), statement, true)) << statement;
        browser::FillTree(program.output(), program.sides().conditionFile(), program.sides().target().tree());
    }

    fs::path book = scratch / "books" / "shop.xls";
    fs::path chosen = scratch / "chosen";
};

}  // namespace tabvex::test
