// Opening the ODBC provider over mdbtools' Access driver (loaded by its path, so
// no ini file is needed), and reading rowsets as the program does: every value as
// text through DBTYPE_STR bindings, with slots large enough for long memos.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/oledb/data_source.h"
#include "platform/oledb/session.h"

namespace tabvex::odbc::test {

// mdbtools' ODBC driver; empty when it is not installed (tests skip then).
std::filesystem::path AccessDriverPath();

// "Driver=<mdbtools driver>;" as a provider string.
std::string AccessDriverProviderString();

// A data source over the given init properties; Initialize's result in `result`.
std::shared_ptr<oledb::DataSource> InitializeWith(const std::vector<oledb::DBPROPSET>& sets, oledb::HRESULT& result);
// DBINIT with a provider string and, when not empty, a data source name and a catalog.
std::vector<oledb::DBPROPSET> InitProperties(const std::string& providerString, const std::string& dataSourceName = "",
                                             const std::string& catalog = "");

// A session over an Access file through mdbtools' driver; fails the test when none.
std::shared_ptr<oledb::Session> OpenAccessSession(const std::filesystem::path& file);

// Runs a statement; the rowset (or nullptr) it gives.
std::shared_ptr<oledb::Rowset> Query(oledb::Session& session, const std::string& text);

// Every row as text ("(NULL)" for NULL), read through one DBTYPE_STR binding per column.
std::vector<std::vector<std::string>> ReadTexts(oledb::Rowset& rowset);

// The descriptions of every record of the calling thread's error object.
std::vector<std::string> ErrorRecords();

}  // namespace tabvex::odbc::test
