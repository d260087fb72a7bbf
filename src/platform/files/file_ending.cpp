#include "platform/files/file_ending.h"

#include <strings.h>

#include <filesystem>

namespace tabvex::files {

namespace fs = std::filesystem;

namespace {

// The last component of a path; a backslash separates folders as a slash does.
std::string_view LastComponent(std::string_view path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace

bool HasFileEnding(std::string_view path, std::string_view ending) {
    const std::string_view name = LastComponent(path);
    return name.size() > ending.size() &&
           strncasecmp(name.data() + name.size() - ending.size(), ending.data(), ending.size()) == 0;
}

bool HasAnyFileEnding(std::string_view path, Endings endings) {
    for (std::string_view ending : endings)
        if (HasFileEnding(path, ending)) return true;
    return false;
}

std::string WithoutFileEnding(std::string_view path, Endings endings) {
    for (std::string_view ending : endings)
        if (HasFileEnding(path, ending)) return std::string(path.substr(0, path.size() - ending.size()));
    return std::string(path);
}

std::optional<std::string> ExistingFileWithEnding(std::string_view name, Endings endings) {
    const std::string text(name);
    std::error_code error;
    // The spelling most files have is tried first; the folder is read only for others.
    for (std::string_view ending : endings) {
        const std::string candidate = text + std::string(ending);
        if (fs::is_regular_file(candidate, error)) return candidate;
    }
    const std::string_view base = LastComponent(name);
    if (base.empty()) return std::nullopt;
    const std::string folder(name.substr(0, name.size() - base.size()));
    for (fs::directory_iterator entry(folder.empty() ? "." : folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string file = entry->path().filename().string();
        if (!file.starts_with(base) || !entry->is_regular_file(error)) continue;
        for (std::string_view ending : endings)
            if (file.size() == base.size() + ending.size() && HasFileEnding(file, ending)) return folder + file;
    }
    return std::nullopt;
}

std::string DatabaseFileOf(std::string_view name, Endings endings, std::initializer_list<std::string_view> known) {
    for (std::string_view file : known)
        if (HasAnyFileEnding(file, endings) && WithoutFileEnding(file, endings) == name) return std::string(file);
    if (HasAnyFileEnding(name, endings)) return std::string(name);
    if (auto existing = ExistingFileWithEnding(name, endings)) return *existing;
    return std::string(name) + std::string(endings.front());
}

}  // namespace tabvex::files
