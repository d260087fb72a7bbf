// The font of a range's cells.
#pragma once

#include <string>

#include "platform/automation/range_target.h"

namespace tabvex::automation {

class Font {
public:
    explicit Font(RangeTarget target) : target_(std::move(target)) {}

    // "Regular" or "Bold".
    std::string FontStyle() const;
    void SetFontStyle(const std::string& style);
    float Size() const;  // points

private:
    RangeTarget target_;
};

}  // namespace tabvex::automation
