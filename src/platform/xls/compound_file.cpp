#include "platform/xls/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/text/utf8.h"
#include "platform/xls/text_encoding.h"

namespace tabvex::xls {

namespace {

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

void InitGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        // libgsf reports damage it meets on stderr as well; the engine's error says it.
        g_log_set_handler("libgsf:msole", GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
                          [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    });
}

std::string TakeMessage(GError* error, const char* fallback) {
    std::string message = error && error->message ? error->message : fallback;
    if (error) g_error_free(error);
    return message;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return FoldCase(text::Utf8ToUtf16(a)) == FoldCase(text::Utf8ToUtf16(b));
}

// Files of BIFF2 to BIFF4 are bare record streams beginning with a BOF record.
bool LooksLikeBareBiff(GsfInput* input) {
    guint8 head[2] = {};
    if (gsf_input_size(input) < 2 || gsf_input_seek(input, 0, G_SEEK_SET) || !gsf_input_read(input, 2, head)) return false;
    return head[0] == 0x09 && (head[1] == 0x00 || head[1] == 0x02 || head[1] == 0x04 || head[1] == 0x08);
}

Bytes ReadStream(GsfInput* input) {
    gsf_off_t size = gsf_input_size(input);
    if (size < 0) throw CorruptData("a stream of the compound file has no size");
    Bytes data(static_cast<size_t>(size));
    size_t done = 0;
    while (done < data.size()) {
        size_t chunk = std::min<size_t>(data.size() - done, 1 << 20);
        if (!gsf_input_read(input, chunk, data.data() + done)) throw CorruptData("a stream of the compound file is truncated");
        done += chunk;
    }
    return data;
}

std::vector<CompoundEntry> ReadChildren(GsfInfile* storage, int depth);

CompoundEntry ReadEntry(GsfInfile* parent, int index, int depth) {
    GPtr<GsfInput> child(gsf_infile_child_by_index(parent, index));
    if (!child) throw CorruptData("an entry of the compound file cannot be opened");
    CompoundEntry entry;
    const char* name = gsf_input_name(child.get());
    entry.name = name ? name : "";
    if (GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0) {
        // Deep nesting only comes from damaged directories; it is refused, not followed.
        if (depth > 32) throw CorruptData("storages of the compound file nest too deeply");
        entry.isStorage = true;
        if (GSF_IS_INFILE_MSOLE(child.get())) gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(child.get()), entry.classId.data());
        entry.children = ReadChildren(GSF_INFILE(child.get()), depth + 1);
    } else {
        entry.data = ReadStream(child.get());
    }
    return entry;
}

std::vector<CompoundEntry> ReadChildren(GsfInfile* storage, int depth) {
    std::vector<CompoundEntry> entries;
    int count = gsf_infile_num_children(storage);
    for (int i = 0; i < count; ++i) entries.push_back(ReadEntry(storage, i, depth));
    return entries;
}

// libgsf reports a failed write without its cause; the system's error number still
// holds it (a full disk, a file too large), which is what the person needs to know.
[[noreturn]] void FailWriting(const std::string& stream) {
    const int cause = errno;
    std::string text = "cannot write the stream " + stream;
    if (cause != 0) text += std::string(": ") + std::strerror(cause);
    throw std::runtime_error(text);
}

// A stream of the compound file being written; libgsf seeks back within it to
// overwrite, then returns to its end.
class GsfStreamSink : public StreamSink {
public:
    GsfStreamSink(GsfOutput* out, const std::string& name) : out_(out), name_(name) {}

    void Append(std::span<const uint8_t> bytes) override {
        errno = 0;
        if (!bytes.empty() && !gsf_output_write(out_, bytes.size(), bytes.data())) FailWriting(name_);
    }
    void Overwrite(size_t position, std::span<const uint8_t> bytes) override {
        errno = 0;
        bool ok = gsf_output_seek(out_, gsf_off_t(position), G_SEEK_SET) && gsf_output_write(out_, bytes.size(), bytes.data());
        if (!ok || !gsf_output_seek(out_, 0, G_SEEK_END)) FailWriting(name_);
    }

private:

    GsfOutput* out_;
    const std::string& name_;
};

void WriteStream(GsfOutfile* parent, const std::string& name, const std::function<void(StreamSink&)>& write) {
    GPtr<GsfOutput> out(gsf_outfile_new_child(parent, name.c_str(), FALSE));
    if (!out) throw std::runtime_error("cannot create the stream " + name);
    GsfStreamSink sink(out.get(), name);
    try {
        write(sink);
    } catch (...) {
        gsf_output_close(out.get());  // the file is discarded; closing keeps libgsf quiet
        throw;
    }
    errno = 0;
    if (!gsf_output_close(out.get())) FailWriting(name);
}

void WriteStream(GsfOutfile* parent, const std::string& name, const Bytes& data) {
    WriteStream(parent, name, [&](StreamSink& sink) { sink.Append(data); });
}

void WriteEntry(GsfOutfile* parent, const CompoundEntry& entry) {
    if (!entry.isStorage) return WriteStream(parent, entry.name, entry.data);
    GPtr<GsfOutput> out(gsf_outfile_new_child(parent, entry.name.c_str(), TRUE));
    if (!out) throw std::runtime_error("cannot create the storage " + entry.name);
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(out.get()), entry.classId.data());
    for (const auto& child : entry.children) WriteEntry(GSF_OUTFILE(out.get()), child);
    if (!gsf_output_close(out.get())) throw std::runtime_error("cannot write the storage " + entry.name);
}

std::filesystem::path MakeTemporaryBeside(const std::filesystem::path& target) {
    std::string pattern = (target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path()) /
                          ("." + target.filename().string() + ".XXXXXX");
    int fd = mkstemp(pattern.data());
    if (fd < 0) throw XlsError(target, std::string("cannot create a temporary file in its folder: ") + std::strerror(errno));
    close(fd);
    return pattern;
}

// The temporary file is private to its owner; the saved workbook keeps the old file's
// permissions, or gets the usual ones of a new document.
void KeepPermissions(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::perms perms = fs::status(target, ec).permissions();
    if (ec || perms == fs::perms::unknown) {
        perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
    }
    fs::permissions(temporary, perms, fs::perm_options::replace, ec);
}

void WriteTo(const std::filesystem::path& path, const CompoundFile& file,
             const std::function<void(StreamSink&)>& writeWorkbook) {
    GError* error = nullptr;
    GPtr<GsfOutput> sink(gsf_output_stdio_new(path.c_str(), &error));
    if (!sink) throw std::runtime_error(TakeMessage(error, "cannot open the file for writing"));
    GPtr<GsfOutfile> root(gsf_outfile_msole_new(sink.get()));
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), file.rootClassId.data());
    WriteStream(root.get(), file.workbookStreamName, writeWorkbook);
    for (const auto& entry : file.others) WriteEntry(root.get(), entry);
    bool ok = gsf_output_close(GSF_OUTPUT(root.get()));
    ok = (gsf_output_is_closed(sink.get()) || gsf_output_close(sink.get())) && ok;
    if (!ok) {
        const GError* sinkError = gsf_output_error(sink.get());
        throw std::runtime_error(sinkError && sinkError->message ? sinkError->message : "the file could not be written");
    }
}

}  // namespace

namespace {

CompoundFile ReadFrom(GsfInput* input, const std::filesystem::path& path) {
    GError* error = nullptr;
    GPtr<GsfInfile> ole(gsf_infile_msole_new(input, &error));
    if (!ole) {
        std::string why = TakeMessage(error, "unknown error");
        if (LooksLikeBareBiff(input)) throw XlsError(path, "an older Excel format (BIFF2 to BIFF4), not BIFF8");
        throw XlsError(path, "not an Excel 97-2003 workbook: not a readable compound file (" + why + ")");
    }
    try {
        CompoundFile file;
        gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(ole.get()), file.rootClassId.data());
        bool haveWorkbook = false, haveBook = false;
        for (auto& entry : ReadChildren(ole.get(), 0)) {
            if (!entry.isStorage && !haveWorkbook && EqualsIgnoringCase(entry.name, "Workbook")) {
                file.workbookStreamName = entry.name;
                file.workbook = std::move(entry.data);
                haveWorkbook = true;
            } else {
                haveBook = haveBook || (!entry.isStorage && EqualsIgnoringCase(entry.name, "Book"));
                file.others.push_back(std::move(entry));
            }
        }
        if (!haveWorkbook && haveBook) throw XlsError(path, "an older Excel format (BIFF5, Excel 5/95), not BIFF8");
        if (!haveWorkbook) throw XlsError(path, "not an Excel workbook: the compound file has no Workbook stream");
        return file;
    } catch (const CorruptData& e) {
        throw XlsError(path, std::string("corrupt compound file: ") + e.what());
    }
}

}  // namespace

CompoundFile ReadCompoundFile(const std::filesystem::path& path) {
    InitGsf();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) throw XlsError(path, "no such file");
    GError* error = nullptr;
    GPtr<GsfInput> input(gsf_input_stdio_new(path.c_str(), &error));
    if (!input) throw XlsError(path, "cannot open the file: " + TakeMessage(error, "unknown error"));
    return ReadFrom(input.get(), path);
}

CompoundFile ReadCompoundFile(std::span<const uint8_t> bytes, const std::filesystem::path& label) {
    InitGsf();
    GPtr<GsfInput> input(gsf_input_memory_new(bytes.data(), gsf_off_t(bytes.size()), FALSE));
    if (!input) throw XlsError(label, "cannot read the workbook from memory");
    return ReadFrom(input.get(), label);
}

void WriteCompoundFile(const std::filesystem::path& path, const CompoundFile& file) {
    WriteCompoundFile(path, file, [&](StreamSink& sink) { sink.Append(file.workbook); });
}

void WriteCompoundFile(const std::filesystem::path& path, const CompoundFile& file,
                       const std::function<void(StreamSink&)>& writeWorkbook) {
    InitGsf();
    std::filesystem::path temporary = MakeTemporaryBeside(path);
    try {
        WriteTo(temporary, file, writeWorkbook);
        KeepPermissions(temporary, path);
        std::filesystem::rename(temporary, path);
    } catch (const std::exception& e) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        if (dynamic_cast<const XlsError*>(&e)) throw;
        throw XlsError(path, std::string("cannot save the workbook: ") + e.what());
    }
}

}  // namespace tabvex::xls
