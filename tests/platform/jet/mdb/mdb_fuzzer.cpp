// libFuzzer target for the engine's own parsing of untrusted bytes: the checks made
// on a file before libmdb sees it, and the decoding of stored values and of value
// text, whose reading must be a value the writer gives back the same.
// (libmdb itself is exercised by the damaged-file tests with fixed seeds.)
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/jet/mdb/file_check.h"
#include "platform/jet/mdb/jet_date.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/value_encoder.h"
#include "platform/jet/mdb/value_text.h"

using namespace tabvex::mdb;

namespace {

void CheckAsFile(const std::uint8_t* data, size_t size) {
    static const std::string path = "/tmp/tabvex-mdb-fuzz-" + std::to_string(getpid()) + ".mdb";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    try {
        CheckDatabaseFile(path);
    } catch (const MdbError&) {
    }
    std::remove(path.c_str());
}

// The reader's text of a value is one the writer takes, and for the same value.
void CheckWrittenBack(JetType type, const std::string& shown) {
    const auto encoded = EncodeValue(type, shown);
    std::string again;
    if (!encoded || !AppendFixedValueText(type, *encoded, 0, again) || again != shown) {
        std::fprintf(stderr, "type %d: \"%s\" is written back as \"%s\"\n", static_cast<int>(type), shown.c_str(),
                     encoded ? again.c_str() : "(refused)");
        std::abort();
    }
}

void DecodeValues(const std::uint8_t* data, size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (auto type : {JetType::Byte, JetType::Integer, JetType::Long, JetType::Currency, JetType::Single,
                      JetType::Double, JetType::DateTime, JetType::Guid, JetType::Numeric, JetType::BigInt,
                      JetType::Boolean, JetType::Text, JetType::Binary}) {
        std::string out;
        AppendFixedValueText(type, bytes, size > 0 ? data[0] % 29 : 0, out);
        if (auto encoded = EncodeValue(type, text); encoded && FixedSizeOf(type) > 0 && type != JetType::Boolean) {
            out.clear();
            AppendFixedValueText(type, *encoded, 0, out);
            // A Numeric's scale belongs to its column, not to its bytes.
            if (type != JetType::Numeric) CheckWrittenBack(type, out);
        }
    }
    JetDateFromText(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    CheckAsFile(data, size);
    // A stored value is at most a few hundred bytes (a Text column's 255 characters);
    // decoding a whole file as one value only slows every run down.
    DecodeValues(data, std::min<size_t>(size, 1024));
    return 0;
}
