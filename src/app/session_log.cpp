#include "app/session_log.h"

#include <chrono>
#include <exception>

#include "app/output_lines.h"

namespace tabvex::app {

void KeepSessionLog(Output& output, const std::filesystem::path& folder) {
    try {
        output.log().KeepInFile(SessionLogFile::Open(folder, std::chrono::system_clock::now()));
    } catch (const std::exception& error) {
        WriteOutputLine(output, "T::This session's Log is not kept in a file: %s", error.what());
    }
}

}  // namespace tabvex::app
