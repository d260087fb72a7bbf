// One table's long binary values saved as files beside the workbook, for the option
// "Save long binary values as files": <workbook>.files/<table>/<column>-<row>.<ending>,
// the table and column names through com::ObjectFileName, the row counted in the
// table's rows as read (1 the first), the ending from the content (binary_content.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tabvex::adapters {

class BinaryValueFiles {
public:
    BinaryValueFiles(const std::filesystem::path& workbook, std::string_view table);

    // Writes the value (hexadecimal text, as a rowset reads binary values) to its file
    // through a temporary file renamed over it, and returns the name the cell holds:
    // the file's path relative to the workbook's folder. Throws std::runtime_error
    // naming the file and the reason when it cannot be written.
    std::string Save(std::string_view column, std::int64_t row, std::string_view hexText);

private:
    std::filesystem::path folder_;    // where the workbook is
    std::filesystem::path relative_;  // the table's folder, relative to it
};

}  // namespace tabvex::adapters
