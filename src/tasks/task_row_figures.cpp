#include "tasks/task_row_figures.h"

#include <algorithm>

namespace tabvex::tasks {

namespace {

// Rates and times left are shown once the task has run this long, so the first
// rows do not give a wild figure.
constexpr std::int64_t kSteadyAfterMs = 500;

std::string DurationText(std::int64_t seconds) {
    if (seconds < 60) return std::to_string(seconds) + " s";
    if (seconds < 3600) return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds % 3600 / 60) + " min";
}

std::string CountText(std::int64_t copied, std::int64_t expected) {
    std::string text = GroupedNumber(copied);
    if (expected >= 0) text += " of " + GroupedNumber(expected);
    return text + " rows";
}

// ", 8,000 rows/s, 7 s left" while the task runs.
std::string PaceText(std::int64_t copied, std::int64_t expected, std::int64_t elapsedMs) {
    if (elapsedMs < kSteadyAfterMs || copied == 0) return {};
    const std::int64_t perSecond = copied * 1000 / elapsedMs;
    std::string text = ", " + GroupedNumber(perSecond) + " rows/s";
    if (expected > copied && perSecond > 0) text += ", " + DurationText((expected - copied + perSecond - 1) / perSecond) + " left";
    return text;
}

// How far the rows got, in percent, short of the end: only the body says when it is done.
std::int32_t RowsShare(std::int64_t copied, std::int64_t expected) {
    if (expected <= 0) return 0;
    return static_cast<std::int32_t>(std::min<std::int64_t>(99, copied * 100 / expected));
}

}  // namespace

std::string GroupedNumber(std::int64_t number) {
    const std::string digits = std::to_string(number < 0 ? -number : number);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return number < 0 ? "-" + text : text;
}

TaskRowFigures TaskRowFiguresOf(const MigrationTask& task, std::int64_t nowMs) {
    TaskRowFigures figures;
    figures.barPosition = task.progress.load();
    const std::int64_t copied = task.rows.copied.load(std::memory_order_relaxed);
    const std::int64_t expected = task.rows.expected.load();
    // A task that failed (or was refused) shows an empty bar; its figures tell how far it got.
    if (task.stateText.load() == TaskStateText::Failure) figures.barPosition = 0;
    const bool running = task.stateText.load() == TaskStateText::Working;
    if (copied == 0 && (!running || expected < 0)) return figures;
    figures.text = CountText(copied, expected);
    if (!running) return figures;
    figures.text += PaceText(copied, expected, nowMs - task.rows.startedAtMs.load());
    // The body's own steps still count; the rows move the bar up to just short of the end.
    figures.barPosition = std::max(figures.barPosition, RowsShare(copied, expected));
    return figures;
}

}  // namespace tabvex::tasks
