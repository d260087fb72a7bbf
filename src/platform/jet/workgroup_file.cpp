#include "platform/jet/workgroup_file.h"

#include "platform/jet/isam.h"

namespace tabvex::jet {

void RequireWorkgroupFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return;
    throw IsamError(oledb::E_FAIL,
                    "Cannot start your application. The workgroup information file is missing or opened "
                    "exclusively by another user. (Workgroup file: '" +
                        path.string() + "')");
}

}  // namespace tabvex::jet
