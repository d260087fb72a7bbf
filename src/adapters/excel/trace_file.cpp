#include "adapters/excel/trace_file.h"

#include "com/object_file_name.h"

namespace tabvex::adapters {

namespace {
constexpr std::size_t kTraceBuffer = 1 << 16;
}

TraceFile::TraceFile(std::string_view table) {
    file_.reset(std::fopen(com::ObjectFileName(table, ".data").c_str(), "w+"));
    if (!file_) return;
    buffer_ = std::make_unique<char[]>(kTraceBuffer);
    std::setvbuf(file_.get(), buffer_.get(), _IOFBF, kTraceBuffer);
}

}  // namespace tabvex::adapters
