#include "platform/jet/isam_factory.h"

#include "platform/jet/access_isam.h"

namespace tabvex::jet {

std::shared_ptr<Isam> OpenIsam(IsamKind kind, const std::filesystem::path& path) {
    switch (kind) {
        case IsamKind::Access: return OpenAccessIsam(path);
        case IsamKind::Excel: break;
    }
    throw IsamError(oledb::E_FAIL, "Could not find installable ISAM 'Excel 8.0' to open '" + path.string() + "'.");
}

}  // namespace tabvex::jet
