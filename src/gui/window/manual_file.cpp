#include "gui/window/manual_file.h"

#include <QCoreApplication>

namespace tabvex::gui {

std::optional<std::filesystem::path> FindManual() {
    const std::filesystem::path beside =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "docs/manual/index.html";
    const std::filesystem::path sourceTree = std::filesystem::path(TABVEX_SOURCE_DIR) / "docs/manual/index.html";
    for (const auto& candidate : {beside, sourceTree})
        if (std::filesystem::is_regular_file(candidate)) return candidate;
    return std::nullopt;
}

}  // namespace tabvex::gui
