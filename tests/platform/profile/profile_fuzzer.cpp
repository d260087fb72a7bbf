// Any bytes parse as an INI text; after a write, the value reads back through the
// text the edit produced, whatever surrounded it.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "platform/profile/profile_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tabvex::profile::ProfileDocument;
    ProfileDocument document = ProfileDocument::Parse({reinterpret_cast<const char*>(data), size});
    (void)document.Find("SourceDB", "PassWord");
    document.Set("Public", "Config", "true");
    document.Set("sourcedb", "PASSWORD", " 'x y' ");
    const ProfileDocument reread = ProfileDocument::Parse(document.Text());
    if (reread.Find("PUBLIC", "config") != "true" || reread.Find("SourceDB", "PassWord") != " 'x y' ") std::abort();
    return 0;
}
