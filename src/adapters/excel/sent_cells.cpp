#include "adapters/excel/sent_cells.h"

namespace tabvex::adapters {

void SentCells::KeepRow() {
    if (columns_ == 0) columns_ = pending_.size();
    digests_.insert(digests_.end(), pending_.begin(), pending_.end());
    pending_.clear();
}

bool SentCells::Matches(std::int64_t row, std::size_t column, std::string_view text) const {
    return digests_[static_cast<std::size_t>(row) * columns_ + column] == DigestOf(text);
}

// FNV-1a over the bytes, folded to 32 bits.
std::uint32_t SentCells::DigestOf(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

}  // namespace tabvex::adapters
