#include "app/save_log.h"

#include "platform/profile/atomic_file.h"

namespace tabvex::app {

std::filesystem::path SaveLogAs(const OutputLog& log, std::filesystem::path chosen) {
    if (!chosen.has_extension()) chosen += ".txt";
    profile::ReplaceFileAtomically(chosen, LogText(log.Lines()));
    return chosen;
}

}  // namespace tabvex::app
