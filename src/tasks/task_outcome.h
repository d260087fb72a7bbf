// What a finished migration or backup task told in its summary line, kept with the
// task so that a host can report it in another form (tabvex-cli --json).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tabvex::tasks {

struct TaskOutcome {
    std::string arrivedWord;              // what became of a table that is done: "arrived", "backed up"
    std::vector<std::string> arrived;     // in the order they were done
    std::vector<std::string> notArrived;  // failed or left out
    std::int64_t rows = 0;
    double seconds = 0;

    bool whole() const { return notArrived.empty(); }
};

}  // namespace tabvex::tasks
