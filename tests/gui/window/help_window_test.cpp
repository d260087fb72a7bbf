#include "gui/window/help_window.h"

#include <QTextBrowser>

#include "gui/window/command_ids.h"
#include "gui/window/window_test_support.h"

namespace tabvex::gui::testing {
namespace {

class HelpWindowTest : public WindowTest {
protected:
    // The desktop has no browser to start.
    HelpWindowTest() {
        window->SetUrlOpener([this](const QUrl& url) {
            refused << url;
            return false;
        });
    }
    QList<QUrl> refused;
};

TEST_F(HelpWindowTest, WithoutABrowserTheManualOpensInTheProgramsOwnHelpWindow) {
    EXPECT_EQ(window->helpWindow(), nullptr);
    window->RouteCommand(kManualCommand);
    ASSERT_EQ(refused.size(), 1);
    HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    HelpBrowser& browser = *help->browser();
    EXPECT_EQ(browser.source(), refused[0]);
    EXPECT_EQ(help->windowTitle(), "Tabvex manual");
    EXPECT_TRUE(browser.toPlainText().contains("First steps"));
    EXPECT_FALSE(browser.loadResource(QTextDocument::HtmlResource, browser.source()).toString().contains("<figure"))
        << "figures become blocks of their own";
    const QVariant picture = browser.loadResource(QTextDocument::ImageResource, QUrl("images/main_window.png"));
    ASSERT_TRUE(picture.canConvert<QImage>()) << "pictures load beside the page";
    EXPECT_FALSE(picture.value<QImage>().isNull());
    EXPECT_LE(picture.value<QImage>().width(), 640);

    // A link, then Back and Forward, as the tool bar's buttons do.
    browser.setSource(browser.source().resolved(QUrl("migrating.html")));
    EXPECT_TRUE(browser.source().toString().endsWith("docs/manual/migrating.html"));
    ASSERT_TRUE(browser.isBackwardAvailable());
    browser.backward();
    EXPECT_EQ(browser.source(), refused[0]);
    ASSERT_TRUE(browser.isForwardAvailable());
    browser.forward();
    SaveScreenshot(*help, "help_window.png");

    // Help again: the same window comes back where it was.
    help->hide();
    window->RouteCommand(kManualCommand);
    EXPECT_EQ(window->helpWindow(), help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(browser.source().toString().endsWith("migrating.html"));
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace tabvex::gui::testing
