// The About box: the product line, the build (commit, date, compiler, Qt), the
// libraries used with their licences, a link to the maker's web page, Help and Close.
#pragma once

#include <QDialog>

namespace tabvex::gui {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

signals:
    void helpWanted();
    void websiteWanted();
};

}  // namespace tabvex::gui
