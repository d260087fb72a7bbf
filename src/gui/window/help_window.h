// The program's own help window: the HTML manual in a text browser with its pictures
// and links, Back, Forward and Home. It stands in when the desktop cannot open a browser.
#pragma once

#include <QMainWindow>
#include <QTextBrowser>
#include <QUrl>

namespace tabvex::gui {

// A text browser whose pictures never grow wider than the page it shows.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // home: the manual's first page (a local file).
    explicit HelpWindow(const QUrl& home, QWidget* parent = nullptr);
    HelpBrowser* browser() const { return browser_; }

private:
    HelpBrowser* browser_;
};

}  // namespace tabvex::gui
