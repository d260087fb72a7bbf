#include "app/output_log.h"

namespace tabvex::app {

void OutputLog::Append(OutputLine line) {
    std::lock_guard lock(mutex_);
    if (file_) file_->Write(line.text);
    lines_.Append(std::move(line));
}

std::vector<OutputLine> OutputLog::Lines() const {
    std::lock_guard lock(mutex_);
    return {lines_.lines().begin(), lines_.lines().end()};
}

std::size_t OutputLog::size() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

void OutputLog::KeepInFile(std::unique_ptr<SessionLogFile> file) {
    std::lock_guard lock(mutex_);
    file_ = std::move(file);
}

std::optional<std::filesystem::path> OutputLog::sessionFile() const {
    std::lock_guard lock(mutex_);
    if (!file_) return std::nullopt;
    return file_->path();
}

std::string LogText(const std::vector<OutputLine>& lines) {
    std::string text;
    for (const OutputLine& line : lines) text.append(line.text).push_back('\n');
    return text;
}

}  // namespace tabvex::app
