#include "browser/side.h"

namespace tabvex::browser {

PublishedSide Side::published() const {
    std::lock_guard lock(publishedMutex_);
    return published_;
}

void Side::Publish(PublishedSide state) {
    std::lock_guard lock(publishedMutex_);
    published_ = std::move(state);
}

void Side::Disconnect() {
    holder_.Release();
    tree_.SetSideMarker(kNotConnected);
}

}  // namespace tabvex::browser
