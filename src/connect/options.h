// The program's options, as migrator.cfg's [Public] section keeps them: the
// transfer's switches and the Tips page. The window changes them; a task takes a
// copy when it starts, so one task runs with one set of options throughout.
#pragma once

#include <mutex>

namespace tabvex::connect {

struct Options {
    bool autoBackup = false;
    // "Continue long tables on new sheets": rows past a worksheet's end go on to new sheets.
    bool splitLongTables = false;
    // "Verify after writing": each migrated table is read back from the saved workbook.
    bool verifyAfterWriting = false;
    // "Save long binary values as files": binary values a cell cannot hold go to files.
    bool binaryFiles = false;
    // "Overwrite the same-name table": a table's sheet that exists is replaced.
    bool overwriteTable = false;
    // Every statement a migration runs is copied to its table's file in data_cache.
    bool traceFiles = true;
    bool tipsPageShown = false;
    bool operator==(const Options&) const = default;
};

// The options both threads read, guarded.
class SharedOptions {
public:
    Options get() const {
        std::lock_guard lock(mutex_);
        return options_;
    }
    void Set(const Options& options) {
        std::lock_guard lock(mutex_);
        options_ = options;
    }
    // Changes some of them in one step: `change` gets the current options.
    template <typename Change>
    void Update(Change&& change) {
        std::lock_guard lock(mutex_);
        change(options_);
    }

private:
    mutable std::mutex mutex_;
    Options options_;
};

}  // namespace tabvex::connect
