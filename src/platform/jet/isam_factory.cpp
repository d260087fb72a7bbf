#include "platform/jet/isam_factory.h"

#include "platform/jet/access_isam.h"
#include "platform/jet/excel/excel_isam.h"

namespace tabvex::jet {

std::shared_ptr<Isam> OpenIsam(IsamKind kind, const std::filesystem::path& path) {
    switch (kind) {
        case IsamKind::Access: return OpenAccessIsam(path);
        case IsamKind::Excel: return std::make_shared<excel::ExcelIsam>(path);
    }
    return OpenAccessIsam(path);
}

}  // namespace tabvex::jet
