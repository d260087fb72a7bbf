// A command line a command cannot take. The command throws it with what was wrong in
// one line ("unknown option \"--x\""); main() prints that line and the command's
// usage line on stderr and exits with 2.
#pragma once

#include <stdexcept>

namespace tabvex::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tabvex::cli
