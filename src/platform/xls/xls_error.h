// The one error type of the workbook engine: names the file (when known) and the problem.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tabvex::xls {

class XlsError : public std::runtime_error {
public:
    // An error about a file: what() reads "FILE: PROBLEM".
    XlsError(const std::filesystem::path& file, const std::string& problem);
    // An error not tied to a file (a bad argument, a limit): what() is the problem.
    explicit XlsError(const std::string& problem);

    const std::filesystem::path& file() const { return file_; }
    const std::string& problem() const { return problem_; }

private:
    std::filesystem::path file_;
    std::string problem_;
};

// Raised while decoding bytes that break the format; the workbook turns it into an
// XlsError naming the file ("corrupt workbook: ...").
class CorruptData : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tabvex::xls
