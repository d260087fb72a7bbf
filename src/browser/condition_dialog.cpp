#include "browser/condition_dialog.h"

#include <algorithm>

#include "browser/condition_file.h"
#include "browser/condition_marks.h"
#include "connect/statement_runners.h"

namespace tabvex::browser {

namespace {

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

ConditionDialog::ConditionDialog(app::Output& output, app::TaskGate& gate, const std::filesystem::path& conditionFile,
                                 DbTree& tree)
    : output_(output), gate_(gate), tree_(tree), file_(conditionFile) {
    EnsureConditionFile(file_);
    const NodeId current = tree.remembered().current;
    section_ = tree.AncestorText(current, 2);
    tableName_ = tree.node(current).text;
    condition_ = ReadCondition(file_, section_, tableName_);
}

std::string ConditionDialog::label() const { return "select * from " + tableName_ + " where"; }

void ConditionDialog::SetCondition(std::string text) { condition_ = CutToCharacters(std::move(text), kConditionCharacters); }

bool ConditionDialog::Test() {
    if (gate_.RefuseWhileTasksRun()) return false;
    std::string condition = JoinConditionLines(condition_);
    std::string statement = "select count(*) from " + tableName_;
    if (!condition.empty()) statement += " where " + condition;
    connect::ConnectionHolder none;
    connect::ConnectionHolder* holder = tree_.connection().holder;
    const std::string count = connect::RunScalarQuery(output_, holder ? *holder : none, statement, false);
    saveEnabled_ = AllDigits(count);
    if (saveEnabled_) {
        result_ = "Test successfully!\r\n  " + count + " Records can be converted.";
        tested_ = std::move(condition);
    } else {
        result_ = "Test failed!\r\n  Because:  " + count;
    }
    return saveEnabled_;
}

bool ConditionDialog::Save() {
    if (!saveEnabled_) return false;
    const ConditionSave save = WriteCondition(file_, section_, tableName_, tested_);
    if (!save) {
        result_ = "Save failed!\r\n  Because:  " + save.error;  // Save stays enabled to try again
        return false;
    }
    saveEnabled_ = false;
    RefreshTableConditions(output_, file_, tree_);
    return true;
}

std::unique_ptr<ConditionDialog> OpenConditionDialog(app::Output& output, app::TaskGate& gate,
                                                     const std::filesystem::path& conditionFile, DbTree& tree) {
    if (tree.sideMarker() != kSourceSide || tree.remembered().current == kNoNode) return nullptr;
    return std::make_unique<ConditionDialog>(output, gate, conditionFile, tree);
}

}  // namespace tabvex::browser
