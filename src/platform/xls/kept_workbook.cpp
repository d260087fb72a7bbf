#include "platform/xls/kept_workbook.h"

#include <mutex>

#include "platform/xls/file_stamp.h"
#include "platform/xls/process_wide.h"
#include "platform/xls/xls_error.h"

namespace tabvex::xls {

namespace {

struct Hold {
    std::filesystem::path path;  // absolute and normal, as HeldPath makes it
    std::thread::id thread;
    bool saveHeld = false;
};

}  // namespace

// The kept workbook, the save hold and the mutex guarding them, one set for the whole
// process.
struct KeptWorkbookSlot {
    std::mutex keptMutex;
    std::optional<Workbook> kept;
    std::optional<Hold> hold;
};

}  // namespace tabvex::xls

// Every copy of the engine defines the slot; the program exports its own under this
// name, which the build makes unique to its build tree. The workbook driver loaded into
// the program therefore keeps its workbooks in the program's slot, takes the program's,
// and sees the program's save hold; and only when both come from one build: the same
// sources and flags, so the same layout of the slot and of every workbook in it.
extern "C" {
tabvex::xls::KeptWorkbookSlot TABVEX_KEPT_WORKBOOK_SLOT;
}

namespace tabvex::xls {

namespace {

#define TABVEX_TEXT_OF(name) #name
#define TABVEX_NAME_TEXT(name) TABVEX_TEXT_OF(name)

KeptWorkbookSlot& Slot() {
    static KeptWorkbookSlot& slot = *static_cast<KeptWorkbookSlot*>(
        ProcessWideObject(TABVEX_NAME_TEXT(TABVEX_KEPT_WORKBOOK_SLOT), &TABVEX_KEPT_WORKBOOK_SLOT));
    return slot;
}

std::filesystem::path HeldPath(const std::filesystem::path& path) {
    return std::filesystem::absolute(path).lexically_normal();
}

// Whether the held workbook may go to a caller opening `path`.
bool IsHoldersOwn(const std::filesystem::path& path) {
    auto& [keptMutex, kept, hold] = Slot();
    return hold && hold->thread == std::this_thread::get_id() && hold->path == HeldPath(path);
}

std::optional<Workbook> TakeHeldWorkbook() {
    auto& [keptMutex, kept, hold] = Slot();
    std::lock_guard lock(keptMutex);
    if (!hold) return std::nullopt;
    const Hold ended = std::move(*hold);
    hold.reset();
    if (!ended.saveHeld) return std::nullopt;
    std::optional<Workbook> taken = std::move(kept);
    kept.reset();
    if (!taken || !taken->SaveHeld())
        throw XlsError(ended.path, "the changes held for saving were dropped before reaching the file");
    return taken;
}

}  // namespace

void KeepSavedWorkbook(Workbook workbook) {
    auto& [keptMutex, kept, hold] = Slot();
    std::lock_guard lock(keptMutex);
    if (workbook.SaveHeld()) {
        kept.emplace(std::move(workbook));
        return;
    }
    if (kept && kept->SaveHeld()) return;
    const std::optional<FileStamp> saved = workbook.SavedStamp();
    if (saved && saved == StampOf(workbook.Path())) kept.emplace(std::move(workbook));
}

std::optional<Workbook> TakeKeptWorkbook(const std::filesystem::path& path) {
    auto& [keptMutex, kept, hold] = Slot();
    std::lock_guard lock(keptMutex);
    if (!kept) return std::nullopt;
    if (kept->SaveHeld()) {
        if (!IsHoldersOwn(path)) return std::nullopt;
        std::optional<Workbook> taken = std::move(kept);
        kept.reset();
        return taken;
    }
    // Once its file was written by someone else the kept workbook can never be handed
    // out; it goes now rather than stay in memory beside whatever is read next.
    if (kept->SavedStamp() != StampOf(kept->Path())) {
        kept.reset();
        return std::nullopt;
    }
    if (kept->SavedStamp() != StampOf(path)) return std::nullopt;
    std::optional<Workbook> taken = std::move(kept);
    kept.reset();
    return taken;
}

SaveHold::SaveHold(const std::filesystem::path& path) {
    auto& [keptMutex, kept, hold] = Slot();
    std::lock_guard lock(keptMutex);
    hold = Hold{HeldPath(path), std::this_thread::get_id(), false};
}

SaveHold::~SaveHold() {
    if (released_) return;
    try {
        Release();
    } catch (const XlsError&) {
    }
}

void SaveHold::Release() {
    released_ = true;
    std::optional<Workbook> held = TakeHeldWorkbook();
    if (!held) return;
    held->Save();
    KeepSavedWorkbook(std::move(*held));
}

void SaveHold::Abandon() {
    released_ = true;
    auto& [keptMutex, kept, hold] = Slot();
    std::lock_guard lock(keptMutex);
    hold.reset();
    if (kept && kept->SaveHeld()) kept.reset();
}

bool HoldSave(const std::filesystem::path& path) {
    auto& [keptMutex, kept, hold] = Slot();
    std::lock_guard lock(keptMutex);
    if (!IsHoldersOwn(path)) return false;
    hold->saveHeld = true;
    return true;
}

}  // namespace tabvex::xls
