// The workgroup information file (system database) named by the Jet property
// DBPROP_JETOLEDB_SYSDBPATH: it must exist for a data source to initialize, and
// DBPROP_JETOLEDB_CREATE_SYSDB asks CreateDataSource to make one.
#pragma once

#include <filesystem>

namespace tabvex::jet {

// IsamError (E_FAIL, Jet's text and the path) unless `path` is an existing file.
void RequireWorkgroupFile(const std::filesystem::path& path);

}  // namespace tabvex::jet
