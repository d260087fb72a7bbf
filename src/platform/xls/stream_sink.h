// Where a stream of the compound file goes while it is written: bytes are appended in
// order, and bytes written earlier can be overwritten once the offsets they hold are
// known. Writing this way keeps a large Workbook stream from being whole in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tabvex::xls {

class StreamSink {
public:
    virtual ~StreamSink() = default;
    virtual void Append(std::span<const uint8_t> bytes) = 0;
    virtual void Overwrite(size_t position, std::span<const uint8_t> bytes) = 0;
};

}  // namespace tabvex::xls
