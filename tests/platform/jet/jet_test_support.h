// Opening the Jet provider's objects the way the system's connect code does, and
// reading rowsets back as text through DBTYPE_STR bindings.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/jet/jet_data_source.h"
#include "platform/oledb/session.h"

namespace tabvex::jet::test {

// A data source initialized over `file` with the given provider string (and the
// Jet set's workgroup file when not empty); fails the test when it cannot be.
std::shared_ptr<oledb::DataSource> OpenDataSource(const std::filesystem::path& file,
                                                  const std::string& providerString = ";COUNTRY=0;CP=1252;LANGID=0x0409",
                                                  const std::string& workgroupFile = "");
std::shared_ptr<oledb::Session> OpenSession(const std::filesystem::path& file,
                                            const std::string& providerString = ";COUNTRY=0;CP=1252;LANGID=0x0409");

// Every row of the rowset, each column read as text ("(NULL)" for NULL) through
// one 8200-byte DBTYPE_STR slot per column, bookmark column included when reported.
std::vector<std::vector<std::string>> ReadAll(oledb::Rowset& rowset);

// The column of the given name out of ReadAll's rows of a schema rowset.
std::vector<std::string> ColumnOf(oledb::Rowset& rowset, const std::string& name);

// The first record's description of the calling thread's error object ("" when none).
std::string LastErrorDescription();

std::filesystem::path NorthwindPath();  // empty when the corpus is absent

}  // namespace tabvex::jet::test
