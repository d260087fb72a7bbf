// The compound file (OLE2 structured storage) around a workbook: the Workbook stream,
// which the engine rewrites, and every other stream and storage, copied unchanged.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/xls/byte_io.h"
#include "platform/xls/stream_sink.h"

namespace tabvex::xls {

struct CompoundEntry {
    std::string name;
    bool isStorage = false;
    Bytes data;                             // streams
    std::array<uint8_t, 16> classId{};      // storages
    std::vector<CompoundEntry> children;    // storages
};

struct CompoundFile {
    std::string workbookStreamName = "Workbook";
    Bytes workbook;  // as read; on writing, the stream comes from a writer instead
    std::array<uint8_t, 16> rootClassId{};
    std::vector<CompoundEntry> others;  // every entry of the root but the Workbook stream
};

// Reads a file; refuses (XlsError naming the file) what is not a compound file with a
// BIFF8 Workbook stream, naming older BIFF versions as such.
CompoundFile ReadCompoundFile(const std::filesystem::path& path);
// The same over bytes in memory; `label` names them in errors.
CompoundFile ReadCompoundFile(std::span<const uint8_t> bytes, const std::filesystem::path& label);

// Writes to a temporary file beside `path` and renames it over `path` only when the
// whole file was written; on failure the old file is untouched and the temporary removed.
// `writeWorkbook` writes the Workbook stream; the other entries come from `file`.
void WriteCompoundFile(const std::filesystem::path& path, const CompoundFile& file,
                       const std::function<void(StreamSink&)>& writeWorkbook);
// The same with `file.workbook` as the Workbook stream.
void WriteCompoundFile(const std::filesystem::path& path, const CompoundFile& file);

}  // namespace tabvex::xls
