#include "cli/report_options.h"

#include "cli/command_line.h"

namespace tabvex::cli {

ReportOptions TakeReportOptions(std::vector<std::string>& args) {
    ReportOptions options;
    options.quiet = TakeFlag(args, "--quiet");
    options.log = TakeFlag(args, "--log");
    options.json = TakeFlag(args, "--json");
    return options;
}

const char* const kReportOptionsHelp =
    "                       --quiet: only error lines and the summary line; --log: the row counts\n"
    "                       every 1,000 rows as Log lines even on a terminal (otherwise a terminal\n"
    "                       shows one progress line, rewritten in place); error lines go to stderr,\n"
    "                       the others to stdout; colours only on a terminal and without NO_COLOR;\n";

const char* const kJsonOptionHelp =
    "                       --json: the result as one JSON document on stdout (the Log on stderr);\n";

}  // namespace tabvex::cli
