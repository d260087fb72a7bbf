#include "gui/window/manual_file.h"

#include <QCoreApplication>

namespace tabvex::gui {

std::optional<std::filesystem::path> FindManual() {
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    const std::filesystem::path beside = folder / "docs/manual/index.html";
    const std::filesystem::path installed = (folder / TABVEX_INSTALLED_MANUAL).lexically_normal();
    const std::filesystem::path sourceTree = std::filesystem::path(TABVEX_SOURCE_DIR) / "docs/manual/index.html";
    for (const auto& candidate : {beside, installed, sourceTree})
        if (std::filesystem::is_regular_file(candidate)) return candidate;
    return std::nullopt;
}

}  // namespace tabvex::gui
