// The fill of a range's cells.
#pragma once

#include "platform/automation/range_target.h"

namespace tabvex::automation {

class Interior {
public:
    explicit Interior(RangeTarget target) : target_(std::move(target)) {}

    // A palette entry from 1 to 56 (8 is cyan in the standard palette), or -4142 for no fill.
    int ColorIndex() const;
    void SetColorIndex(int colorIndex);

private:
    RangeTarget target_;
};

}  // namespace tabvex::automation
