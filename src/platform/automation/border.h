// One border of a range: an outer edge or the lines between its cells.
#pragma once

#include "platform/automation/range_target.h"

namespace tabvex::automation {

// True for the border indexes 7 to 12 (edges and inside lines).
bool IsBorderIndex(int index);

class Border {
public:
    Border(RangeTarget target, int index) : target_(std::move(target)), index_(index) {}

    int LineStyle() const;
    // 1 continuous, -4142 none, or one of the dashed and double styles.
    void SetLineStyle(int lineStyle);

private:
    RangeTarget target_;
    int index_;
};

}  // namespace tabvex::automation
