// A long table's rows past its worksheet's end go on to continuation sheets named
// after that worksheet with " (2)", " (3)", ..., each fitted as every sheet name is
// (so "Orders" continues on "Orders__2_") and unlike any sheet the target holds or
// another of the source's tables becomes. Each begins with the table's header row;
// the header formatting after the migration reaches every sheet alike.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/output.h"
#include "connect/connection_holder.h"

namespace tabvex::adapters {

// The sheet name numbered `number` of `sheet`'s continuations, at most 31 characters.
std::string ContinuationSheetName(const std::string& sheet, int number);

class ContinuationSheets {
public:
    // `takenSheets`: the sheets the source's tables become (FitSheetNames) and those
    // the target holds.
    ContinuationSheets(app::Output& output, const connect::ConnectionHolder& source,
                       connect::ConnectionHolder& target, std::string table, std::string sheet,
                       const std::vector<std::string>& takenSheets);

    // Creates the next continuation sheet and names it in the Log; its name, or
    // nullopt after an error line when it cannot be created.
    std::optional<std::string> Open();

private:
    std::string FreeName();

    app::Output& output_;
    const connect::ConnectionHolder& source_;
    connect::ConnectionHolder& target_;
    std::string table_;
    std::string sheet_;
    std::set<std::u16string> taken_;  // folded
    int number_ = 1;
};

}  // namespace tabvex::adapters
