// WINDOW2: how a sheet's window shows it: grid, headers, frozen panes, selection.
#pragma once

#include <cstdint>

#include "platform/xls/byte_io.h"

namespace tabvex::xls {

class Window2Record {
public:
    static Window2Record NewWorksheet();
    static Window2Record Parse(std::span<const uint8_t> body);
    void Write(ByteWriter& out) const { out.bytes(body_); }

    bool Frozen() const { return (Options() & kFrozen) != 0; }
    void SetFrozen(bool frozen) { SetOption(kFrozen | kFrozenNoSplit, frozen); }
    void SetSelected(bool selected) { SetOption(kSelected | kPaged, selected); }

private:
    static constexpr uint16_t kFrozen = 0x0008, kFrozenNoSplit = 0x0100, kSelected = 0x0200, kPaged = 0x0400;
    uint16_t Options() const { return uint16_t(body_[0] | body_[1] << 8); }
    void SetOption(uint16_t bits, bool on) {
        uint16_t v = on ? uint16_t(Options() | bits) : uint16_t(Options() & ~bits);
        body_[0] = uint8_t(v), body_[1] = uint8_t(v >> 8);
    }
    Bytes body_;
};

}  // namespace tabvex::xls
