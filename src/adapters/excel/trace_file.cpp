#include "adapters/excel/trace_file.h"


namespace tabvex::adapters {

namespace {
constexpr std::size_t kTraceBuffer = 1 << 16;
}

TraceFile::TraceFile(const std::filesystem::path& file) {
    if (file.empty()) return;
    file_.reset(std::fopen(file.c_str(), "w+"));
    if (!file_) return;
    buffer_ = std::make_unique<char[]>(kTraceBuffer);
    std::setvbuf(file_.get(), buffer_.get(), _IOFBF, kTraceBuffer);
}

}  // namespace tabvex::adapters
