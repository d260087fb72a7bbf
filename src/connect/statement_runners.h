// The two ways the program runs one SQL statement on a side's session: for its
// outcome only (Create Table, INSERT, SET statements), or for its first usable value
// as text (the condition's count test). Both report through the Log and never throw;
// they run on whichever thread calls them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/output.h"
#include "connect/connection_holder.h"

namespace tabvex::connect {

inline constexpr const char* kOperationCompleted = "RESULT: The operation completed SUCCESSFULLY";

// Runs one statement as every statement command of the program runs: asking for a
// plain rowset that may change, delete and insert (rowset properties 126 and 117).
// On failure `command` is the object whose error information tells why (empty when
// the session could not make one).
oledb::HRESULT RunStatementCommand(oledb::Session& session, const oledb::Guid& dialect, std::string_view statement,
                                   std::shared_ptr<oledb::Command>& command, std::shared_ptr<oledb::Rowset>& rowset);

// The two halves of RunStatementCommand, for running statement after statement on one
// command: making the command with those properties, and running one text on it.
oledb::HRESULT CreateStatementCommand(oledb::Session& session, std::shared_ptr<oledb::Command>& command);
oledb::HRESULT RunCommandText(oledb::Command& command, const oledb::Guid& dialect, std::string_view statement,
                              std::shared_ptr<oledb::Rowset>& rowset);

// True when the statement ran. With `report` on, a failure writes "T::" and the
// provider's description, and a statement without rows writes the completion line.
// Without a session it writes "E::No Connection!" whatever `report` says.
bool ExecuteStatement(app::Output& output, connect::ConnectionHolder& holder, std::string_view statement,
                      bool report);

// The first value of the first row that is not NULL and does not read as a negative
// number; every NULL on the way writes the plain Log line "(NULL)". A statement
// that fails gives the provider's description; one without rows, or without such a
// value, the completion text. Without a session: the "No Connection!" error line in
// the Log and an empty result.
std::string RunScalarQuery(app::Output& output, connect::ConnectionHolder& holder, std::string_view statement,
                           bool report);

}  // namespace tabvex::connect
