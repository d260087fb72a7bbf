// SST and EXTSST: the shared string table as records. Writing follows BIFF8's
// CONTINUE rules (a string's header is never split; characters split at a boundary
// restart with an option byte) and indexes every bucket of strings in EXTSST.
#pragma once

#include <vector>

#include "platform/xls/biff_record.h"
#include "platform/xls/record_writer.h"
#include "platform/xls/shared_string_table.h"

namespace tabvex::xls {

// Appends the strings of an SST record to the table; returns how many it held.
size_t ReadSstRecord(const BiffRecord& record, SharedStringTable& table);

// Writes SST (with CONTINUE records) and EXTSST for the strings `order` (indices into
// the table, in their new order); `references` is the number of cells using them.
void WriteSstRecords(RecordWriter& writer, const SharedStringTable& table, const std::vector<uint32_t>& order,
                     uint32_t references);

}  // namespace tabvex::xls
