#include "gui/window/message_boxes.h"

#include <QPushButton>

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

}  // namespace
}  // namespace tabvex::gui::testing
