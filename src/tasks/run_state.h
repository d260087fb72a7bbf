// The one switch between the window and the worker.
#pragma once

#include <cstdint>

namespace tabvex::tasks {

enum class RunState : std::uint8_t {
    Idle = 0,         // no worker; a new one may be started
    Processing = 2,   // a worker exists and is making passes
    Stopping = 99,    // 'c': the worker ends after its current pass
};

}  // namespace tabvex::tasks
