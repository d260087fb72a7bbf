// The session's Log on disk, every line of it however long the session runs: one file
// per session in $XDG_STATE_HOME/tabvex (~/.local/state/tabvex by default), named by the
// moment the session began, "tabvex-YYYY-MM-DD_hh-mm-ss-PID.log". Each line is appended
// and flushed as it comes, one write per line. Only the newest kKeptSessions files stay.
#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace tabvex::app {

// Where the session files go: "tabvex" under $XDG_STATE_HOME, else ~/.local/state/tabvex.
std::filesystem::path SessionLogFolder();

class SessionLogFile {
public:
    static constexpr std::size_t kKeptSessions = 20;

    // Makes the folder when missing, opens a new file for this session and removes the
    // oldest session files beyond kKeptSessions. Throws std::system_error when it cannot.
    static std::unique_ptr<SessionLogFile> Open(const std::filesystem::path& folder,
                                                std::chrono::system_clock::time_point start);
    ~SessionLogFile();
    SessionLogFile(const SessionLogFile&) = delete;
    SessionLogFile& operator=(const SessionLogFile&) = delete;

    // Appends the text and a line break.
    void Write(std::string_view lineText);
    const std::filesystem::path& path() const { return path_; }

private:
    SessionLogFile(std::filesystem::path path, std::FILE* file) : path_(std::move(path)), file_(file) {}

    std::filesystem::path path_;
    std::FILE* file_;
};

}  // namespace tabvex::app
