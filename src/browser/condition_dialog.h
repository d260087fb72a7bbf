// The migration-condition dialog without its window: the table it was opened for,
// the condition box, Test (counts the rows the condition selects) and Save (stores
// the condition that passed the last Test). The Qt dialog wraps it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/db_tree.h"

namespace tabvex::browser {

inline constexpr int kMigrationConditionCommand = 32776;

class ConditionDialog {
public:
    // Opens for the tree's current node (a table or a view): section = the text of
    // its grandparent (the database node), key = its own text. Creates Condition.cfg
    // when missing and shows the stored condition; Save starts disabled.
    ConditionDialog(app::Output& output, app::TaskGate& gate, const std::filesystem::path& conditionFile, DbTree& tree);

    const std::string& section() const { return section_; }
    const std::string& tableName() const { return tableName_; }
    // "select * from <table> where"
    std::string label() const;

    // The condition box; it takes at most kConditionCharacters characters.
    const std::string& condition() const { return condition_; }
    void SetCondition(std::string text);

    const std::string& result() const { return result_; }
    bool saveEnabled() const { return saveEnabled_; }

    // Counts the rows the box's condition selects, its lines joined into one
    // ("select count(*) from T[ where C]"). A count (all digits, or nothing) is a
    // success and enables Save; anything else is the provider's reason and disables it.
    // Refused, changing nothing, while tasks run (they own the connection).
    bool Test();
    // Stores the condition of the last successful Test, not the box, and disables
    // Save; true when stored. A write that fails shows its reason in the result and
    // leaves Save enabled.
    bool Save();

private:
    app::Output& output_;
    app::TaskGate& gate_;
    DbTree& tree_;
    std::filesystem::path file_;
    std::string section_;
    std::string tableName_;
    std::string condition_;
    std::string tested_;
    std::string result_;
    bool saveEnabled_ = false;
};

// The Migration Condition command: only the source tree (side marker 0) with a
// current node opens the dialog; otherwise nothing happens and the result is null.
std::unique_ptr<ConditionDialog> OpenConditionDialog(app::Output& output, app::TaskGate& gate,
                                                     const std::filesystem::path& conditionFile, DbTree& tree);

}  // namespace tabvex::browser
