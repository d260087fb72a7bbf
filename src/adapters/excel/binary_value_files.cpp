#include "adapters/excel/binary_value_files.h"

#include <stdexcept>
#include <system_error>

#include "adapters/excel/binary_content.h"
#include "com/object_file_name.h"
#include "platform/profile/atomic_file.h"

namespace tabvex::adapters {

namespace fs = std::filesystem;

BinaryValueFiles::BinaryValueFiles(const fs::path& workbook, std::string_view table)
    : folder_(workbook.parent_path()),
      relative_(fs::path(workbook.filename().string() + ".files") / com::ObjectFileName(table)) {}

std::string BinaryValueFiles::Save(std::string_view column, std::int64_t row, std::string_view hexText) {
    const auto bytes = BytesOfHexText(hexText);
    if (!bytes) throw std::runtime_error("the value is not binary data");
    const BinaryContent content = ContentOf(*bytes);
    const fs::path relative =
        relative_ / com::ObjectFileName(column, "-" + std::to_string(row) + "." + std::string(content.extension));
    const fs::path file = folder_ / relative;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) throw std::runtime_error(file.parent_path().string() + ": " + error.message());
    try {
        profile::ReplaceFileAtomically(
            file, std::string_view(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()));
    } catch (const fs::filesystem_error& failure) {
        throw std::runtime_error(file.string() + ": " + failure.code().message());
    }
    return relative.generic_string();
}

}  // namespace tabvex::adapters
