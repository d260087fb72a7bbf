// How a command that runs tasks reports: --quiet, --json and --log.
#pragma once

#include <string>
#include <vector>

namespace tabvex::cli {

struct ReportOptions {
    bool quiet = false;  // only the error lines and the summary line
    bool json = false;   // the result as one JSON document on stdout; Log lines go to stderr
    bool log = false;    // the row counts as Log lines even on a terminal, no progress line
};

// Takes the three flags out of `args`.
ReportOptions TakeReportOptions(std::vector<std::string>& args);

// The options' lines for a command's help.
extern const char* const kReportOptionsHelp;
extern const char* const kJsonOptionHelp;

}  // namespace tabvex::cli
