#include "app/help_page.h"

namespace tabvex::app {

std::string HelpPage::InsertTip(std::string_view tip) {
    std::lock_guard lock(mutex_);
    text_.insert(kHeading.size(), tip);
    return text_;
}

std::string HelpPage::text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

}  // namespace tabvex::app
