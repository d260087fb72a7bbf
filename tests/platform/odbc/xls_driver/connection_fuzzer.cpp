// Arbitrary bytes as a connection string: parsing and connecting must end in a
// connection or a diagnostic, never a crash. Connections are read-only so that no
// input can create or change files (the first of repeated keywords counts).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/odbc/xls_driver/connection.h"
#include "platform/odbc/xls_driver/connection_string.h"

using namespace tabvex::odbc::xls;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        ConnectionString parsed = ConnectionString::Parse(text);
        ConnectionString::Parse(parsed.Text());
    } catch (const ConnectionStringError&) {
    }
    std::string forced = "ReadOnly=1;" + std::string(text);
    Connection connection;
    std::string completed;
    if (connection.ConnectWithString(forced, completed)) connection.Disconnect();
    return 0;
}
