#include "app/output_lines.h"

#include <cstdarg>
#include <cstdio>
#include <optional>
#include <string>

#include "app/time_stamp.h"

namespace tabvex::app {

namespace {

std::string FormatMessage(const char* format, va_list arguments) {
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    return text;
}

void AppendLine(Output& output, std::string_view text, std::optional<LineColours> colours, LineKind kind) {
    OutputLine line{FormatTimeStamp(std::chrono::system_clock::now()) + std::string(text), colours, kind};
    output.log().Append(line);
    output.ui().ShowOutputLine(line);
}

void AppendMarkedLine(Output& output, LineKind kind, const char* format, va_list arguments) {
    const std::string message = FormatMessage(format, arguments);
    const MarkedMessage marked = SplitMarker(message);
    AppendLine(output, marked.text, marked.colours, kind);
}

}  // namespace

void WriteOutputLine(Output& output, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    AppendMarkedLine(output, LineKind::Event, format, arguments);
    va_end(arguments);
}

void WriteOutputLineOf(Output& output, LineKind kind, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    AppendMarkedLine(output, kind, format, arguments);
    va_end(arguments);
}

void WritePlainOutputLine(Output& output, std::string_view text) {
    AppendLine(output, text, std::nullopt, LineKind::Event);
}

void ShowTip(Output& output, std::string_view tip) {
    const std::string page = output.helpPage().InsertTip(tip);
    output.ui().ShowTip(std::string(tip), page);
}

}  // namespace tabvex::app
