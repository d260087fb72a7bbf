#include "com/system_error_text.h"

#include <cerrno>
#include <cstring>

#include "com/error_line.h"

namespace tabvex::com {

namespace {

// strerror_r comes in two shapes; these overloads take whichever the C library has.
[[maybe_unused]] const char* MessageFrom(const char* gnuResult, const char*) { return gnuResult; }
[[maybe_unused]] const char* MessageFrom(int posixResult, const char* buffer) {
    return posixResult == 0 ? buffer : "Unknown error";
}

}  // namespace

std::string SystemErrorText(std::string_view label) {
    const int error = errno;
    char buffer[256] = {};
    const char* message = MessageFrom(strerror_r(error, buffer, sizeof buffer), buffer);
    return FormatErrorLine(label, static_cast<std::uint32_t>(error), message);
}

}  // namespace tabvex::com
