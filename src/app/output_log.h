// The Log model: every line of the session up to LogLines' cap, and, once the window
// gives it one, the session's file, which receives every line in the order the Log
// got them. Both the window's thread and the worker append to it, so it guards itself.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/log_lines.h"
#include "app/output_line.h"
#include "app/session_log_file.h"

namespace tabvex::app {

class OutputLog {
public:
    explicit OutputLog(LogLines lines = LogLines()) : lines_(std::move(lines)) {}

    void Append(OutputLine line);
    std::vector<OutputLine> Lines() const;
    std::size_t size() const;

    // From now on each line is also appended to `file`.
    void KeepInFile(std::unique_ptr<SessionLogFile> file);
    std::optional<std::filesystem::path> sessionFile() const;

private:
    mutable std::mutex mutex_;
    LogLines lines_;
    std::unique_ptr<SessionLogFile> file_;
};

// The lines as a text file holds them: each text ended by a line break.
std::string LogText(const std::vector<OutputLine>& lines);

}  // namespace tabvex::app
