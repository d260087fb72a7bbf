#include "adapters/excel/trace_file.h"

#include "com/file_name_component.h"

namespace tabvex::adapters {

namespace {
constexpr std::size_t kTraceBuffer = 1 << 16;
}

TraceFile::TraceFile(std::string_view table) {
    if (!com::IsFileNameComponent(table)) return;
    file_.reset(std::fopen((std::string(table) + ".data").c_str(), "w+"));
    if (!file_) return;
    buffer_ = std::make_unique<char[]>(kTraceBuffer);
    std::setvbuf(file_.get(), buffer_.get(), _IOFBF, kTraceBuffer);
}

}  // namespace tabvex::adapters
