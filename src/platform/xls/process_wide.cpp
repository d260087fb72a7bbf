#include "platform/xls/process_wide.h"

#include <dlfcn.h>

namespace tabvex::xls {

namespace {

// unixODBC closes a driver's library when its last connection goes; a library opened
// again with RTLD_NODELETE is never unmapped. The handle is left open on purpose.
void PinLibraryHolding(void* address) {
    Dl_info info{};
    if (dladdr(address, &info) != 0 && info.dli_fname != nullptr)
        dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace

void* ProcessWideObject(const char* exportedName, void* own) {
    void* exported = dlsym(RTLD_DEFAULT, exportedName);
    if (exported == nullptr) return own;
    if (exported != own) PinLibraryHolding(own);
    return exported;
}

}  // namespace tabvex::xls
