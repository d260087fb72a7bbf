#include "platform/jet/mdb/mdb_error.h"

namespace tabvex::mdb {

MdbError::MdbError(std::filesystem::path file, std::string problem)
    : std::runtime_error(file.string() + ": " + problem), file_(std::move(file)), problem_(std::move(problem)) {}

}  // namespace tabvex::mdb
