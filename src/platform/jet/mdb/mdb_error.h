// The one failure type of the Access engine: it names the file and what is wrong
// with it, so that a caller can show it to a person as it is.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tabvex::mdb {

class MdbError : public std::runtime_error {
public:
    MdbError(std::filesystem::path file, std::string problem);

    const std::filesystem::path& file() const { return file_; }
    const std::string& problem() const { return problem_; }

private:
    std::filesystem::path file_;
    std::string problem_;
};

}  // namespace tabvex::mdb
