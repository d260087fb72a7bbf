#include "connect/statement_runners.h"

#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>

#include "app/output_lines.h"
#include "com/error_record_text.h"
#include "com/provider_error_text.h"
#include "com/system_error_text.h"
#include "com/text_column_binding.h"
#include "platform/oledb/text_rows.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::connect {

using namespace tabvex::oledb;

namespace {

// What every statement command carries: a plain rowset that may change, delete
// and insert.
std::vector<DBPROPSET> StatementRowsetProperties() {
    DBPROPSET rowset{DBPROPSET_ROWSET, {}};
    AddProperty(rowset, DBPROP_IRowset, true);
    AddProperty(rowset, DBPROP_UPDATABILITY, std::int32_t{7});
    return {rowset};
}

std::string CommandErrorText(const std::shared_ptr<Command>& command) {
    return com::ErrorRecordText(command.get(), IID_ICommandPrepare);
}

// A value counts as taken when it reads as a decimal integer that is not negative
// (leading digits; text without them reads as 0).
bool NotNegative(std::string_view value) { return std::atoll(std::string(value).c_str()) >= 0; }

std::string FirstUsableValue(app::Output& output, Rowset& rowset, bool report) {
    // A Jet command rowset counts its bookmark among its columns, so binding "all but
    // the last" of its count, as Jet consumers do, is binding every data column.
    oledb::TextRowReader reader;
    if (auto failure = com::BindAllColumns(reader, rowset)) return *failure;
    const HRESULT result = reader.Next();
    if (Failed(result)) return com::ProviderErrorText(result, "Bind Entry");
    if (result != S_OK) return kOperationCompleted;
    for (std::size_t i = 0; i < reader.size(); ++i) {
        const std::optional<std::string_view> value = reader.value(i);
        if (!value) {
            app::WritePlainOutputLine(output, "(NULL)");
            continue;
        }
        if (report) app::WriteOutputLine(output, "%s", kOperationCompleted);
        if (NotNegative(*value)) return std::string(*value);
    }
    return kOperationCompleted;
}

}  // namespace

HRESULT CreateStatementCommand(Session& session, std::shared_ptr<Command>& command) {
    HRESULT result = session.CreateCommand(command);
    if (Failed(result)) return result;
    auto properties = StatementRowsetProperties();
    return command->SetProperties(properties);
}

HRESULT RunCommandText(Command& command, const Guid& dialect, std::string_view statement,
                       std::shared_ptr<Rowset>& rowset) {
    const HRESULT result = command.SetCommandText(dialect, std::string(statement));
    return Failed(result) ? result : command.Execute(rowset);
}

HRESULT RunStatementCommand(Session& session, const Guid& dialect, std::string_view statement,
                            std::shared_ptr<Command>& command, std::shared_ptr<Rowset>& rowset) {
    const HRESULT result = CreateStatementCommand(session, command);
    return Failed(result) ? result : RunCommandText(*command, dialect, statement, rowset);
}

bool ExecuteStatement(app::Output& output, connect::ConnectionHolder& holder, std::string_view statement,
                      bool report) {
    if (!holder.HasSession()) {
        app::WriteOutputLine(output, "E::No Connection!");
        return false;
    }
    try {
        std::shared_ptr<Command> command;
        std::shared_ptr<Rowset> rowset;
        if (Failed(RunStatementCommand(*holder.session, DBGUID_DBSQL, statement, command, rowset))) {
            if (report) app::WriteOutputLine(output, "T::%s", CommandErrorText(command).c_str());
            return false;
        }
        if (report && !rowset) app::WriteOutputLine(output, "%s", kOperationCompleted);
        return true;
    } catch (const std::exception& error) {
        // A provider that throws instead of reporting still never takes the caller down.
        app::WriteOutputLine(output, "T::%s", error.what());
        return false;
    }
}

std::string RunScalarQuery(app::Output& output, connect::ConnectionHolder& holder, std::string_view statement,
                           bool report) {
    if (!holder.HasSession()) {
        app::WritePlainOutputLine(output, com::SystemErrorText("No Connection!"));
        return {};
    }
    try {
        std::shared_ptr<Command> command;
        std::shared_ptr<Rowset> rowset;
        if (Failed(RunStatementCommand(*holder.session, DBGUID_DBSQL, statement, command, rowset))) {
            return CommandErrorText(command);
        }
        if (!rowset) {
            if (report) app::WriteOutputLine(output, "%s", kOperationCompleted);
            return kOperationCompleted;
        }
        return FirstUsableValue(output, *rowset, report);
    } catch (const std::exception& error) {
        return error.what();
    }
}

}  // namespace tabvex::connect
