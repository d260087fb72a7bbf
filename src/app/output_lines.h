// Writing to the output pane: time-stamped Log lines and tips on the help page.
// Callable from the window's thread and from the worker.
#pragma once

#include <string_view>

#include "app/output.h"

namespace tabvex::app {

// Formats the message like printf and appends it as one Log line. A leading "E::",
// "S::" or "T::" is dropped and colours the line. The message is never cut, however
// long it is.
void WriteOutputLine(Output& output, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The same, for a line of another kind than an event.
void WriteOutputLineOf(Output& output, LineKind kind, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Appends the text as it is: no formatting, no marker, the Log's own colours.
void WritePlainOutputLine(Output& output, std::string_view text);

// Inserts the tip right after the help page's heading, newest first, and brings the
// page to front.
void ShowTip(Output& output, std::string_view tip);

}  // namespace tabvex::app
