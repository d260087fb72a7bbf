// Bytes appended end to end in one block grown with realloc. A large block grows in
// place or has its pages remapped, where a std::string would copy every byte into
// fresh memory and touch each page twice: the shared strings of a big table are
// tens of megabytes.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>

namespace tabvex::xls {

class GrowingBytes {
public:
    GrowingBytes() = default;
    GrowingBytes(const GrowingBytes& other) { append(std::string_view(other.data(), other.size())); }
    GrowingBytes(GrowingBytes&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    GrowingBytes& operator=(GrowingBytes other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
        return *this;
    }
    ~GrowingBytes() { std::free(data_); }

    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    void reserve(std::size_t capacity) {
        if (capacity <= capacity_) return;
        void* grown = std::realloc(data_, capacity);
        if (!grown) throw std::bad_alloc();
        data_ = static_cast<char*>(grown);
        capacity_ = capacity;
    }

    void append(std::string_view bytes) {
        if (bytes.size() > capacity_ - size_) reserve(std::max(size_ + bytes.size(), capacity_ * 2));
        if (!bytes.empty()) std::memcpy(data_ + size_, bytes.data(), bytes.size());
        size_ += bytes.size();
    }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace tabvex::xls
