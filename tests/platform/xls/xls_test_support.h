// Helpers of the workbook engine's tests: xlrd's view of one sheet and its cells, and
// workbooks crafted record by record.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/xls/compound_file.h"
#include "platform/xls/record_ids.h"
#include "support/test_support.h"

namespace tabvex::xls::test {

// A workbook of the shared corpus, or an empty path when the corpus is absent.
inline std::filesystem::path CorpusWorkbook(const std::string& name) {
    std::filesystem::path corpus = tabvex::test::CorpusDir();
    return corpus.empty() ? std::filesystem::path() : corpus / "xls" / name;
}

// The cell of xlrd's dump at (row, col), or null.
inline nlohmann::json XlrdCell(const nlohmann::json& sheet, int row, int col) {
    for (const auto& cell : sheet["cells"]) {
        if (cell["row"] == row && cell["col"] == col) return cell;
    }
    return nullptr;
}

inline nlohmann::json XlrdName(const nlohmann::json& book, const std::string& name) {
    for (const auto& n : book["names"]) {
        if (n["name"] == name) return n;
    }
    return nullptr;
}

// Appends one physical record (header and body) to a stream.
inline void Record(Bytes& stream, uint16_t sid, const Bytes& body) {
    ByteWriter out(stream);
    out.u16(sid);
    out.u16(uint16_t(body.size()));
    out.bytes(body);
}

inline Bytes Bof(uint16_t version, uint16_t type) {
    Bytes body;
    ByteWriter out(body);
    out.u16(version), out.u16(type), out.zeros(12);
    return body;
}

// A workbook file whose Workbook stream is `stream`.
inline std::filesystem::path Container(const std::filesystem::path& path, const Bytes& stream,
                                       const std::string& streamName = "Workbook") {
    CompoundFile file;
    file.workbookStreamName = streamName;
    file.workbook = stream;
    WriteCompoundFile(path, file);
    return path;
}

// A BIFF8 stream of globals (the records given, between BOF and the sheet list) and one
// worksheet "S" holding `cells`, its BOUNDSHEET pointing at it.
inline Bytes OneSheetStream(const Bytes& globals, const Bytes& cells) {
    Bytes stream;
    Record(stream, rid::kBof, Bof(0x0600, 0x0005));
    size_t boundSheet = stream.size() + 4;
    Record(stream, rid::kBoundSheet, {0, 0, 0, 0, 0, 0, 1, 0, 'S'});
    stream.insert(stream.end(), globals.begin(), globals.end());
    Record(stream, rid::kEof, {});
    ByteWriter(stream).patchU32(boundSheet, uint32_t(stream.size()));
    Record(stream, rid::kBof, Bof(0x0600, 0x0010));
    stream.insert(stream.end(), cells.begin(), cells.end());
    Record(stream, rid::kEof, {});
    return stream;
}

}  // namespace tabvex::xls::test
