// The About box: the product line, the build (commit, date, compiler, Qt), the
// folders the program keeps its files in, the libraries used with their licences, a
// link to the maker's web page, Help and Close.
#pragma once

#include <QDialog>

#include "com/program_folders.h"

namespace tabvex::gui {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(const com::ProgramFolders& folders, QWidget* parent = nullptr);

signals:
    void helpWanted();
    void websiteWanted();
};

}  // namespace tabvex::gui
