// The text of the output pane's help page: a heading, then the tips, newest first.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace tabvex::app {

class HelpPage {
public:
    static constexpr std::string_view kHeading = "F1 to Help:\n";
    static constexpr std::string_view kFirstTip =
        "Before you fill out connection properties, Please confirm that your ODBC/OLEDB config is true !";

    // Inserts the tip unchanged right after the heading (no line break is added) and
    // returns the page's new text.
    std::string InsertTip(std::string_view tip);
    std::string text() const;

private:
    mutable std::mutex mutex_;
    std::string text_ = std::string(kHeading) + std::string(kFirstTip);
};

}  // namespace tabvex::app
