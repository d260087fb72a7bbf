// The workbook saved last in this process, kept as it is in memory for whoever opens
// that file next. A migration saves the workbook through the Jet provider, the
// automation server opens it to format the headers and saves it, and the provider
// opens it again: without this each of them would read back the file the one before
// had just written. A kept workbook is handed out once, and only while the file is
// still exactly what it saved there.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/xls/workbook.h"

namespace tabvex::xls {

// Keeps `workbook`, which must be unchanged since it was last saved, in place of
// whatever was kept before; one whose file is not what it saved is dropped.
void KeepSavedWorkbook(Workbook workbook);

// The kept workbook when the file at `path` is the one it saved; Workbook::Open asks
// here before it reads. A kept workbook whose own file has changed since is dropped.
std::optional<Workbook> TakeKeptWorkbook(const std::filesystem::path& path);

}  // namespace tabvex::xls
