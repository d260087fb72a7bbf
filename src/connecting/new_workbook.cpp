#include "connecting/new_workbook.h"

#include <filesystem>

#include "adapters/excel/excel_workbook.h"
#include "platform/files/file_ending.h"

namespace tabvex::connect {

namespace fs = std::filesystem;

std::optional<std::string> MissingTargetWorkbook(const ConnectionSettings& target) {
    if (!IsJetProvider(target.providerProgId) || target.sourceName.empty()) return std::nullopt;
    std::error_code error;
    // A relative name means a file in the program's folder, the current folder.
    const fs::path file = fs::absolute(files::DatabaseFileOf(target.sourceName, files::kWorkbookEndings), error);
    if (error || fs::exists(file, error)) return std::nullopt;
    return file.string();
}

std::string WorkbookCreatedOnConnectText(const std::string& workbook) {
    return "The workbook [" + workbook + "] does not exist yet: Connect creates it.";
}

void CreateMissingTargetWorkbook(app::Output& output, browser::Sides& sides) {
    if (const auto missing = MissingTargetWorkbook(sides.target().settings()))
        adapters::CreateExcelWorkbook(output, sides, *missing, /*nameGiven=*/true);
}

}  // namespace tabvex::connect
