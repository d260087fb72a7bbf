#include "cli/terminal.h"

#include <unistd.h>

#include <cstdlib>

namespace tabvex::cli {

bool IsTerminal(int fd) { return isatty(fd) == 1; }

bool ColoursOn(int fd) {
    const char* noColour = std::getenv("NO_COLOR");
    return IsTerminal(fd) && !(noColour && *noColour);
}

}  // namespace tabvex::cli
