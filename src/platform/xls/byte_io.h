// Little-endian reading with every access bounded by the buffer, and writing.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "platform/xls/xls_error.h"

namespace tabvex::xls {

using Bytes = std::vector<uint8_t>;

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data, size_t offset = 0) : data_(data), pos_(offset) {}

    size_t position() const { return pos_; }
    size_t remaining() const { return pos_ <= data_.size() ? data_.size() - pos_ : 0; }
    bool atEnd() const { return remaining() == 0; }
    void seek(size_t pos) {
        if (pos > data_.size()) throw CorruptData("offset beyond the end of a record");
        pos_ = pos;
    }
    void skip(size_t n) { need(n), pos_ += n; }

    uint8_t u8() { need(1); return data_[pos_++]; }
    uint16_t u16() { need(2); uint16_t v = uint16_t(data_[pos_] | data_[pos_ + 1] << 8); pos_ += 2; return v; }
    uint32_t u32() {
        need(4);
        uint32_t v = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 | uint32_t(data_[pos_ + 2]) << 16 |
                     uint32_t(data_[pos_ + 3]) << 24;
        pos_ += 4;
        return v;
    }
    double f64() {
        need(8);
        double v;
        std::memcpy(&v, data_.data() + pos_, 8);
        pos_ += 8;
        return v;
    }
    std::span<const uint8_t> bytes(size_t n) {
        need(n);
        auto s = data_.subspan(pos_, n);
        pos_ += n;
        return s;
    }

private:
    void need(size_t n) const {
        if (n > remaining()) throw CorruptData("record shorter than its fields");
    }
    std::span<const uint8_t> data_;
    size_t pos_;
};

class ByteWriter {
public:
    explicit ByteWriter(Bytes& out) : out_(out) {}

    size_t position() const { return out_.size(); }
    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v) { out_.push_back(uint8_t(v)), out_.push_back(uint8_t(v >> 8)); }
    void u32(uint32_t v) { u16(uint16_t(v)), u16(uint16_t(v >> 16)); }
    void f64(double v) {
        uint8_t b[8];
        std::memcpy(b, &v, 8);
        out_.insert(out_.end(), b, b + 8);
    }
    void bytes(std::span<const uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void zeros(size_t n) { out_.insert(out_.end(), n, 0); }
    // Overwrites a value written earlier, for offsets known only later.
    void patchU16(size_t at, uint16_t v) { out_[at] = uint8_t(v), out_[at + 1] = uint8_t(v >> 8); }
    void patchU32(size_t at, uint32_t v) { patchU16(at, uint16_t(v)), patchU16(at + 2, uint16_t(v >> 16)); }

private:
    Bytes& out_;
};

}  // namespace tabvex::xls
