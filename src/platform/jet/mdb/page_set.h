// The pages of a Jet 4 file being written, held in memory until the file is saved.
// Pages stay where they are when more are allocated, so a page being filled can be
// held by reference meanwhile.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/jet/mdb/byte_buffer.h"
#include "platform/jet/mdb/jet_format.h"

namespace tabvex::mdb {

class PageSet {
public:
    static constexpr size_t kPageSize = format::kJet4PageSize;

    // A new zeroed page at the end of the file; returns its number.
    std::uint32_t Allocate() {
        pages_.emplace_back(kPageSize, 0);
        return static_cast<std::uint32_t>(pages_.size() - 1);
    }
    Bytes& operator[](std::uint32_t page) { return pages_[page]; }
    const std::deque<Bytes>& pages() const { return pages_; }

private:
    std::deque<Bytes> pages_;
};

}  // namespace tabvex::mdb
