#include "gui/window/window_settings.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "gui/window/window_test_support.h"
#include "tasks/task_list_view.h"

namespace tabvex::gui::testing {
namespace {

class WindowSettingsTest : public WindowTest {
protected:
    TaskListPage& page() { return *window->outputPane()->taskList(); }
    int Width(const QString& text) { return page().list()->fontMetrics().horizontalAdvance(text); }
    // One row as a queued migration shows it.
    void ShowOneTask() {
        tasks::TaskListRow row;
        row.texts = {"1", "", "MIGRATE", "SUCCESS", "Access", kSourcePath.toStdString(), "Customers",
                     "Excel", "/tmp/out/Shop.xls", "Customers"};
        page().Rebuild({row});
    }
    const QString kSourcePath = "/home/someone/a/rather/deeply/nested/folder/of/databases/Shop.mdb";
};

TEST_F(WindowSettingsTest, ColumnsFitTheirContentAndPathsShowTheFileNameWithTheWholePathAsTip) {
    ShowOneTask();
    QTableView& list = *page().list();
    const QModelIndex source = page().model().index(0, 5);
    auto* delegate = qobject_cast<QStyledItemDelegate*>(list.itemDelegateForIndex(source));
    ASSERT_NE(delegate, nullptr);
    EXPECT_EQ(delegate->displayText(source.data(), QLocale()), "Shop.mdb");
    EXPECT_GE(list.columnWidth(5), Width("Shop.mdb"));
    EXPECT_LT(list.columnWidth(5), Width(kSourcePath));
    EXPECT_GE(list.columnWidth(3), Width("SUCCESS")) << "states are not cut";
    EXPECT_LT(list.columnWidth(4), 150) << "\"Source DBMS\" is as wide as its heading";

    const QRect cell = list.visualRect(source);
    QHelpEvent tip(QEvent::ToolTip, cell.center(), list.viewport()->mapToGlobal(cell.center()));
    QStyleOptionViewItem option;
    option.rect = cell;
    EXPECT_TRUE(delegate->helpEvent(&tip, &list, option, source));
    EXPECT_EQ(QToolTip::text(), kSourcePath);
}

TEST_F(WindowSettingsTest, SizePlaceSplitterTabAndThePersonsColumnWidthsComeBackInTheNextRun) {
    ShowOneTask();
    QHeaderView& header = *page().list()->horizontalHeader();
    header.resizeSection(4, 123);  // as a drag of the heading's edge does
    ShowOneTask();
    EXPECT_EQ(header.sectionSize(4), 123) << "a rebuild keeps the person's width";

    window->resize(900, 700);
    window->treesSplitter()->setSizes({250, 600});
    const QList<int> splitter = window->treesSplitter()->sizes();
    window->outputPane()->setCurrentWidget(window->outputPane()->log());
    ASSERT_TRUE(window->close());
    window.reset();
    EXPECT_TRUE(std::filesystem::is_regular_file(scratch / "config/tabvex/window.conf"));

    window = std::make_unique<CMigratorDlg>(scratch / "program");
    window->SetDialogRunner([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    window->show();
    EXPECT_EQ(window->size(), QSize(900, 700));
    EXPECT_EQ(window->treesSplitter()->sizes(), splitter);
    EXPECT_EQ(window->outputPane()->currentWidget(), window->outputPane()->log());
    EXPECT_EQ(page().list()->columnWidth(4), 123);
    ShowOneTask();
    EXPECT_EQ(page().list()->columnWidth(4), 123);
}

}  // namespace
}  // namespace tabvex::gui::testing
