#include "platform/automation/window.h"

#include "platform/automation/automation_failure.h"
#include "platform/automation/cell_range.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {

WorkbookDocument& Window::Document() const {
    document_->CheckOpen();
    return *document_;
}

int Window::SplitRow() const {
    auto& document = Document();
    return document.Panes(document.ActiveSheet()).splitRow;
}

void Window::SetSplitRow(int rows) {
    auto& document = Document();
    if (rows < 0 || rows >= kSheetRows) RaisePropertyNotSet("SplitRow", "Window", "no such row");
    auto panes = document.Panes(document.ActiveSheet());
    panes.splitRow = rows;
    document.SetPanes(document.ActiveSheet(), panes);
}

int Window::SplitColumn() const {
    auto& document = Document();
    return document.Panes(document.ActiveSheet()).splitColumn;
}

void Window::SetSplitColumn(int columns) {
    auto& document = Document();
    if (columns < 0 || columns >= kSheetColumns) RaisePropertyNotSet("SplitColumn", "Window", "no such column");
    auto panes = document.Panes(document.ActiveSheet());
    panes.splitColumn = columns;
    document.SetPanes(document.ActiveSheet(), panes);
}

bool Window::FreezePanes() const {
    auto& document = Document();
    return document.Panes(document.ActiveSheet()).frozen;
}

void Window::SetFreezePanes(bool frozen) {
    auto& document = Document();
    auto panes = document.Panes(document.ActiveSheet());
    panes.frozen = frozen;
    document.SetPanes(document.ActiveSheet(), panes);
}

}  // namespace tabvex::automation
