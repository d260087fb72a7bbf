// Opens the ISAM a data source's provider string chose over its file.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/jet/isam.h"
#include "platform/jet/provider_string.h"

namespace tabvex::jet {

// IsamError when the file cannot be opened by that ISAM.
std::shared_ptr<Isam> OpenIsam(IsamKind kind, const std::filesystem::path& path);

}  // namespace tabvex::jet
