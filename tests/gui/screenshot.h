// Pictures of widgets for the manual: a widget test saves one into
// $TABVEX_SCREENSHOT_DIR (docs/manual/images when the manual's pictures are renewed);
// without that variable nothing is written.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

namespace tabvex::test {

inline void SaveScreenshot(QWidget& widget, const char* fileName) {
    const char* folder = std::getenv("TABVEX_SCREENSHOT_DIR");
    if (folder == nullptr || *folder == '\0') return;
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(widget.grab().save(QString::fromStdString((std::filesystem::path(folder) / fileName).string())));
}

}  // namespace tabvex::test
