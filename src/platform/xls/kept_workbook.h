// The workbook saved last in this process, kept as it is in memory for whoever opens
// that file next. A migration saves the workbook through the Jet provider, the
// automation server opens it to format the headers and saves it, and the provider
// opens it again: without this each of them would read back the file the one before
// had just written. A kept workbook is handed out once, and only while the file is
// still exactly what it saved there.
//
// A save hold goes one step further: while it lasts, saves to its file on its thread
// stay in memory, and the workbook so saved is kept whatever its file says, so that
// the provider's commit and the formatting that follows reach the file in one write.
#pragma once

#include <filesystem>
#include <optional>
#include <thread>

#include "platform/xls/workbook.h"

namespace tabvex::xls {

// Keeps `workbook`, which must be unchanged since it was last saved, in place of
// whatever was kept before; one whose file is not what it saved is dropped. A
// workbook whose save is held is never replaced by one that is not.
void KeepSavedWorkbook(Workbook workbook);

// The kept workbook when the file at `path` is the one it saved; Workbook::Open asks
// here before it reads. A kept workbook whose own file has changed since is dropped.
// A held workbook goes only to the thread of the hold.
std::optional<Workbook> TakeKeptWorkbook(const std::filesystem::path& path);

// Holds the saves of the workbook at `path` made on this thread while it lives.
// Release writes what was held; a hold ended otherwise (by an exception) writes it
// too and keeps quiet about a failure, since a failure is already on its way.
class SaveHold {
public:
    explicit SaveHold(const std::filesystem::path& path);
    ~SaveHold();
    SaveHold(const SaveHold&) = delete;
    SaveHold& operator=(const SaveHold&) = delete;

    // Ends the hold and writes the held workbook, if a save was held. Throws XlsError
    // when the write fails (the file stays as it was) or when the workbook holding
    // the changes was dropped before it was kept.
    void Release();

    // Ends the hold and drops what was held: the file stays as it was.
    void Abandon();

private:
    bool released_ = false;
};

// Holds a save to `path` when a hold of this thread is on that file, and then says
// so: Workbook::Save asks here and leaves the file alone when it is held.
bool HoldSave(const std::filesystem::path& path);

}  // namespace tabvex::xls
