#include "gui/window/message_boxes.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "gui/window/window_test_support.h"

namespace tabvex::gui::testing {
namespace {

using app::DefaultButton;
using app::MessageAnswer;
using app::MessageButtons;

// Shows the box as the request asks for it and answers it with one key.
MessageAnswer AnswerWithKey(MessageButtons buttons, DefaultButton defaultButton, Qt::Key key) {
    TestApplication();
    const auto box = MakeMessageBox({"Drop the worksheet [t]?", "Tabvex", buttons, app::MessageIcon::Warning, defaultButton},
                                    nullptr);
    box->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    QTest::keyClick(box.get(), key);
    EXPECT_FALSE(box->isVisible()) << "the key closed the box";
    return AnswerOf(*box);
}

TEST(MessageBoxKeys, EnterAndEscapeKeepEverythingWhenTheQuestionDestroys) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        EXPECT_EQ(AnswerWithKey(MessageButtons::YesNo, DefaultButton::Refuse, key), MessageAnswer::No) << key;
        EXPECT_EQ(AnswerWithKey(MessageButtons::OkCancel, DefaultButton::Refuse, key), MessageAnswer::Cancel) << key;
    }
}

TEST(MessageBoxKeys, OtherQuestionsStillAgreeOnEnter) {
    EXPECT_EQ(AnswerWithKey(MessageButtons::YesNo, DefaultButton::Agree, Qt::Key_Return), MessageAnswer::Yes);
    EXPECT_EQ(AnswerWithKey(MessageButtons::OkCancel, DefaultButton::Agree, Qt::Key_Return), MessageAnswer::Ok);
    EXPECT_EQ(AnswerWithKey(MessageButtons::OkCancel, DefaultButton::Agree, Qt::Key_Escape), MessageAnswer::Cancel);
}

TEST(Choosers, OpenInTheFolderUsedLastElseTheRequestedElseHome) {
    TestApplication();
    MessageBoxes boxes(nullptr);
    EXPECT_EQ(boxes.StartFolder({}), QDir::homePath().toStdString());
    EXPECT_EQ(boxes.StartFolder("/data/shop"), "/data/shop");

    boxes.SetPathScript([](const std::string&) { return std::optional<std::filesystem::path>("/data/logs/day.txt"); });
    boxes.ChooseFile({"Save Log As", "Text File (*.txt)", {}, true});
    EXPECT_EQ(boxes.StartFolder({}), "/data/logs");
    EXPECT_EQ(boxes.StartFolder("/data/shop"), "/data/logs");
    boxes.SetPathScript([](const std::string&) { return std::optional<std::filesystem::path>("/backups/today"); });
    boxes.ChooseFolder("Backup", "/data");
    EXPECT_EQ(boxes.StartFolder({}), "/backups/today");
    boxes.SetPathScript([](const std::string&) { return std::nullopt; });
    boxes.ChooseFolder("Backup", "/data");
    EXPECT_EQ(boxes.StartFolder({}), "/backups/today") << "a cancelled chooser changes nothing";
}

// The real chooser, answered by typing a name no file has yet. Should it refuse the name
// (a box saying the file is not found), the box and the chooser are closed: nothing chosen.
TEST(Choosers, AChooserForATargetTakesANewName) {
    TestApplication();
    test::ScratchDir scratch;
    MessageBoxes boxes(nullptr);
    bool typed = false;
    QTimer person;
    person.setInterval(10);
    QObject::connect(&person, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible()) continue;
            if (auto* refusal = qobject_cast<QMessageBox*>(widget)) refusal->reject();
            auto* chooser = qobject_cast<QFileDialog*>(widget);
            if (chooser == nullptr) continue;
            if (typed) {
                chooser->reject();
                continue;
            }
            typed = true;
            auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText("New.xls");
            QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
        }
    });
    person.start();
    app::FileChooserRequest request{"Open the database file", "Excel File (*.xls *.XLS)", scratch.path(), false};
    request.newFileAllowed = true;
    EXPECT_EQ(boxes.ChooseFile(request), std::optional(scratch.path() / "New.xls"));
    EXPECT_TRUE(typed);
}

}  // namespace
}  // namespace tabvex::gui::testing
