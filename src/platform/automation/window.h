// The window of a workbook, acting on its active sheet: splitting it and
// freezing the panes, so that the top rows stay in view.
#pragma once

#include <memory>

namespace tabvex::automation {

struct ApplicationState;
class WorkbookDocument;

class Window {
public:
    Window(std::shared_ptr<ApplicationState> state, std::shared_ptr<WorkbookDocument> document)
        : state_(std::move(state)), document_(std::move(document)) {}

    // Rows above the split; moves the frozen panes when they are frozen.
    int SplitRow() const;
    void SetSplitRow(int rows);
    int SplitColumn() const;
    void SetSplitColumn(int columns);
    // Freezes the rows and columns before the split; a window without a split stays as it is.
    bool FreezePanes() const;
    void SetFreezePanes(bool frozen);

private:
    WorkbookDocument& Document() const;

    std::shared_ptr<ApplicationState> state_;
    std::shared_ptr<WorkbookDocument> document_;
};

}  // namespace tabvex::automation
