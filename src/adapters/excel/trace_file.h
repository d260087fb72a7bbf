// The trace of a table's transfer: every INSERT statement, appended to the table's
// ".data" file in the migration's cache folder. Written through a large buffer, so
// tracing costs no system call per row. Without a file (tracing turned off) the
// statements go nowhere.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tabvex::adapters {

class TraceFile {
public:
    // Creates or empties the file; not open when the folder refuses it. An empty
    // path traces nothing.
    explicit TraceFile(const std::filesystem::path& file);

    bool isOpen() const { return file_ != nullptr; }
    void Append(std::string_view statement) {
        if (file_) std::fwrite(statement.data(), 1, statement.size(), file_.get());
    }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<char[]> buffer_;
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace tabvex::adapters
