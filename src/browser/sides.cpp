#include "browser/sides.h"

#include "com/folders.h"

namespace tabvex::browser {

std::string Sides::PathBesideDatabase(int side, std::string_view name) const {
    return com::FolderPartOf(of(side).tree().connection().databaseName, folders_.program) + std::string(name);
}

std::string Sides::charsetName() const {
    std::lock_guard lock(charsetMutex_);
    return charsetName_;
}

void Sides::SetCharsetName(std::string name) {
    std::lock_guard lock(charsetMutex_);
    charsetName_ = std::move(name);
}

void Sides::Reconnect(int side) {
    if (connector_) connector_->Reconnect(of(side));
}

}  // namespace tabvex::browser
