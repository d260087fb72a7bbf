#include "platform/odbc/connection_string.h"

#include <strings.h>

#include <filesystem>

#include "platform/files/file_ending.h"

namespace tabvex::odbc {
namespace {

bool NeedsBraces(const std::string& value) {
    if (value.empty()) return false;
    return value.find_first_of(";{}") != std::string::npos || value.front() == ' ' || value.back() == ' ';
}

std::string Trimmed(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The file a catalog names: itself, or with the ending (in any case) that makes it
// an existing file.
std::string CatalogFile(const std::string& catalog) {
    std::error_code error;
    if (std::filesystem::is_regular_file(catalog, error)) return catalog;
    return files::ExistingFileWithEnding(catalog, files::kDatabaseEndings).value_or(catalog);
}

}  // namespace

std::string Attribute(const std::string& keyword, const std::string& value) {
    if (!NeedsBraces(value)) return keyword + "=" + value + ";";
    std::string quoted;
    for (char c : value) {
        quoted += c;
        if (c == '}') quoted += '}';  // a closing brace inside braces is doubled
    }
    return keyword + "={" + quoted + "};";
}

bool HasKeyword(const std::string& connectionString, const std::string& keyword) {
    std::size_t position = 0;
    while (position < connectionString.size()) {
        auto equals = connectionString.find('=', position);
        if (equals == std::string::npos) return false;
        if (strcasecmp(Trimmed(connectionString.substr(position, equals - position)).c_str(), keyword.c_str()) == 0) {
            return true;
        }
        // Skip the value: up to the next ';', or past its closing brace when braced.
        std::size_t valueStart = connectionString.find_first_not_of(' ', equals + 1);
        std::size_t end = equals + 1;
        if (valueStart != std::string::npos && connectionString[valueStart] == '{') {
            end = valueStart + 1;
            while (end < connectionString.size()) {
                if (connectionString[end] == '}') {
                    if (end + 1 < connectionString.size() && connectionString[end + 1] == '}') {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
        }
        auto semicolon = connectionString.find(';', end);
        if (semicolon == std::string::npos) return false;
        position = semicolon + 1;
    }
    return false;
}

bool CatalogIsDatabaseFile(const ConnectionRequest& request) {
    if (request.catalog.empty() || HasKeyword(request.providerString, "DBQ")) return false;
    const bool namesDataSource = !request.dataSourceName.empty() || HasKeyword(request.providerString, "DSN");
    std::error_code error;
    return !namesDataSource || std::filesystem::is_regular_file(CatalogFile(request.catalog), error);
}

std::string ConnectionString(const ConnectionRequest& request) {
    std::string text = request.providerString;
    if (!text.empty() && text.back() != ';') text += ';';
    if (!request.dataSourceName.empty()) text += Attribute("DSN", request.dataSourceName);
    if (!request.userId.empty()) text += Attribute("UID", request.userId);
    if (!request.password.empty()) text += Attribute("PWD", request.password);
    if (CatalogIsDatabaseFile(request)) text += Attribute("DBQ", CatalogFile(request.catalog));
    return text;
}

}  // namespace tabvex::odbc
