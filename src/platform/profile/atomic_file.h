// Replacing a file's whole content so that readers see either the old file or the
// new one, never a half-written one: the text goes to a temporary file beside the
// target, which is flushed and then renamed over it.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace tabvex::profile {

// Writes content to path atomically. The file gets the given permissions; without
// them an existing file keeps its own and a new one gets the usual ones (0666 less
// the umask). Throws std::filesystem::filesystem_error naming the file on failure;
// the temporary file is removed then and the old file is left as it was.
void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view content,
                           std::optional<std::filesystem::perms> permissions = std::nullopt);

}  // namespace tabvex::profile
