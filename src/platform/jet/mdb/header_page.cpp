#include "platform/jet/mdb/header_page.h"

#include <cmath>
#include <cstring>

#include "platform/jet/mdb/jet_format.h"
#include "platform/jet/mdb/rc4.h"

namespace tabvex::mdb {

namespace {
constexpr char kSignature[] = "Standard Jet DB";
constexpr std::uint32_t kWesternCodePage = 1252;
constexpr std::uint32_t kGeneralSortOrder = 0x0409;
constexpr int kPasswordLength = 40;
constexpr int kSignatureOffset = 4;
constexpr int kEngineVersionOffset = 0x9C;
constexpr char kEngineVersion[] = "4.0";
}  // namespace

void WriteHeaderPage(Bytes& page, double created) {
    page[1] = 0x01;
    std::memcpy(&page[kSignatureOffset], kSignature, sizeof kSignature);
    PutU32(page, format::kVersionOffset, format::kVersionJet4);
    PutU16(page, format::kCodePageOffset, kWesternCodePage);
    PutU32(page, format::kDatabaseKeyOffset, 0);
    // No password: the field holds just the mask, the creation date's whole days.
    auto days = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::trunc(created)));
    for (int i = 0; i < kPasswordLength; i += 4) PutU32(page, static_cast<size_t>(format::kPasswordOffset + i), days);
    PutU32(page, format::kJet4SortOrderOffset, kGeneralSortOrder);
    std::memcpy(&page[format::kJet4CreationDateOffset], &created, sizeof created);
    Rc4Apply(format::kHeaderKey, std::span(page).subspan(format::kScrambledOffset, format::kJet4ScrambledLength));
    std::memcpy(&page[kEngineVersionOffset], kEngineVersion, sizeof kEngineVersion);
}

}  // namespace tabvex::mdb
