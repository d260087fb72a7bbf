// Checks made on a file before libmdb sees it. libmdb trusts the bytes it reads,
// so a damaged header, catalog or table definition could crash it; whatever can be
// recognised as damaged here is refused with an MdbError instead.
#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/jet/mdb/jet_version.h"

namespace tabvex::mdb {

struct FileFacts {
    JetVersion version = JetVersion::Jet4;
    int pageSize = 4096;
    std::uint64_t pageCount = 0;
};

// The header page: an Access database of a known version, whole pages, neither
// encrypted nor protected by a password, with its catalog's definition in place.
FileFacts CheckDatabaseFile(const std::filesystem::path& path);

// A table definition's page chain: every page inside the file, of the right type,
// with column and index counts and the usage map pointers in bounds.
void CheckTableDefinition(const std::filesystem::path& path, const FileFacts& facts, std::uint32_t firstPage);

}  // namespace tabvex::mdb
