#include "platform/xls/kept_workbook.h"

#include <mutex>

#include "platform/xls/file_stamp.h"

namespace tabvex::xls {

namespace {

std::mutex keptMutex;
std::optional<Workbook> kept;

}  // namespace

void KeepSavedWorkbook(Workbook workbook) {
    std::lock_guard lock(keptMutex);
    const std::optional<FileStamp> saved = workbook.SavedStamp();
    if (saved && saved == StampOf(workbook.Path())) kept.emplace(std::move(workbook));
}

std::optional<Workbook> TakeKeptWorkbook(const std::filesystem::path& path) {
    std::lock_guard lock(keptMutex);
    if (!kept) return std::nullopt;
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

}  // namespace tabvex::xls
