#include "app/session_log_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <string>
#include <system_error>
#include <vector>

#include "com/user_folders.h"

namespace tabvex::app {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "tabvex-";
constexpr std::string_view kEnding = ".log";

std::string SessionFileName(std::chrono::system_clock::time_point start) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(start);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    return std::string(kPrefix) + stamp + "-" + std::to_string(getpid()) + std::string(kEnding);
}

bool IsSessionFile(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    return entry.is_regular_file() && name.starts_with(kPrefix) && name.ends_with(kEnding);
}

// The names begin with the session's start, so their order is the sessions' order.
void RemoveOldSessions(const fs::path& folder, std::size_t kept) {
    std::error_code error;
    std::vector<fs::path> sessions;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (IsSessionFile(entry)) sessions.push_back(entry.path());
    if (sessions.size() <= kept) return;
    std::sort(sessions.begin(), sessions.end());
    for (std::size_t i = 0; i + kept < sessions.size(); ++i) fs::remove(sessions[i], error);
}

}  // namespace

fs::path SessionLogFolder() { return com::ProgramUserFolder("XDG_STATE_HOME", fs::path(".local") / "state"); }

std::unique_ptr<SessionLogFile> SessionLogFile::Open(const fs::path& folder,
                                                     std::chrono::system_clock::time_point start) {
    fs::create_directories(folder);
    const fs::path path = folder / SessionFileName(start);
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr) throw std::system_error(errno, std::generic_category(), path.string());
    RemoveOldSessions(folder, kKeptSessions);
    return std::unique_ptr<SessionLogFile>(new SessionLogFile(path, file));
}

SessionLogFile::~SessionLogFile() { std::fclose(file_); }

void SessionLogFile::Write(std::string_view lineText) {
    std::fwrite(lineText.data(), 1, lineText.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace tabvex::app
