#include "platform/xls/xls_error.h"

namespace tabvex::xls {

XlsError::XlsError(const std::filesystem::path& file, const std::string& problem)
    : std::runtime_error(file.string() + ": " + problem), file_(file), problem_(problem) {}

XlsError::XlsError(const std::string& problem) : std::runtime_error(problem), problem_(problem) {}

}  // namespace tabvex::xls
