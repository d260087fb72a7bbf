#include "platform/jet/mdb/long_value.h"

namespace tabvex::mdb {

namespace {

constexpr size_t kReferenceSize = 12;
constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kSingleRow = 0x40000000;
constexpr std::uint32_t kLengthMask = 0x00FFFFFF;
// A chain of long-value rows can never be longer than this many links in a sound file.
constexpr int kMaxChainLinks = 1 << 20;

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<std::uint32_t>(p[3]) << 24;
}

// The bytes of the row `pointer` names; they stay valid until libmdb reads another
// page into its second buffer.
std::span<const std::uint8_t> FindRow(MdbHandle* mdb, std::uint32_t pointer) {
    void* page = nullptr;
    int start = 0;
    size_t length = 0;
    if (mdb_find_pg_row(mdb, static_cast<int>(pointer), &page, &start, &length) != 0) return {};
    return {static_cast<const std::uint8_t*>(page) + start, length};
}

}  // namespace

bool ReadLongValue(MdbHandle* mdb, std::span<const std::uint8_t> field, std::string& out) {
    out.clear();
    if (field.size() < kReferenceSize) return field.empty();
    std::uint32_t header = U32(field.data());
    std::uint32_t length = header & kLengthMask;
    std::uint32_t pointer = U32(field.data() + 4);
    if (header & kInline) {
        auto data = field.subspan(kReferenceSize);
        out.assign(data.begin(), data.end());
        return true;
    }
    if (header & kSingleRow) {
        auto data = FindRow(mdb, pointer);
        if (data.empty() && length != 0) return false;
        out.assign(data.begin(), data.end());
        return true;
    }
    for (int link = 0; pointer != 0; ++link) {
        auto row = FindRow(mdb, pointer);
        if (row.size() < 4 || link >= kMaxChainLinks || out.size() + row.size() - 4 > length) return false;
        pointer = U32(row.data());
        out.append(row.begin() + 4, row.end());
    }
    return out.size() == length;
}

}  // namespace tabvex::mdb
