#include "adapters/excel/excel_connection.h"

#include <strings.h>

#include <exception>
#include <memory>
#include <vector>

#include "app/output_lines.h"
#include "com/error_record_text.h"
#include "com/system_error_text.h"
#include "com/text_column_binding.h"
#include "platform/oledb/text_rows.h"
#include "platform/files/file_ending.h"
#include "platform/oledb/command.h"
#include "platform/oledb/interface_ids.h"
#include "connect/statement_runners.h"

namespace tabvex::adapters {

using namespace tabvex::oledb;

namespace {

constexpr const char* kNoConnection = "No Connection!";

// Whether connecting should name the catalog: a catalog that is just the workbook's
// name without ".xls" says nothing the data source does not.
bool CatalogAddsSomething(const connect::ConnectionSettings& settings) {
    const std::string workbookName = settings.catalogName + ".xls";
    return strcasecmp(settings.sourceName.c_str(), workbookName.c_str()) != 0;
}

// The text of the first column of the last row, read as the row transfer reads
// columns; an error text when the columns cannot be read or bound.
std::string LastRowFirstColumn(Rowset& rowset) {
    oledb::TextRowReader reader;
    if (auto failure = com::BindAllColumns(reader, rowset)) return *failure;
    std::string last;
    while (reader.Next() == S_OK) {
        if (reader.size() > 0) last = reader.text(0);
    }
    return last;
}

}  // namespace

bool BuildExcelInitProperties(connect::ConnectionSettings& settings, DBPROPSET& set, bool forTest) {
    const bool jet = connect::IsJetProvider(settings.providerProgId);
    AddProperty(set, DBPROP_AUTH_ENCRYPT_PASSWORD, false);
    AddProperty(set, DBPROP_AUTH_MASK_PASSWORD, false);
    AddProperty(set, DBPROP_AUTH_PASSWORD, settings.password);
    AddProperty(set, DBPROP_AUTH_USERID, settings.userId);
    if (!settings.sourceName.empty()) AddProperty(set, DBPROP_INIT_DATASOURCE, settings.sourceName);
    if (!settings.catalogName.empty() && (forTest || CatalogAddsSomething(settings))) {
        AddProperty(set, DBPROP_INIT_CATALOG, settings.catalogName);
    }
    AddProperty(set, DBPROP_INIT_MODE, std::int32_t{16});
    AddProperty(set, DBPROP_INIT_PROMPT, std::int16_t{4});
    const char* providerString = jet ? kExcelJetProviderString
                                 : forTest ? kExcelOdbcTestProviderString
                                           : kExcelOdbcProviderString;
    AddProperty(set, DBPROP_INIT_PROVIDERSTRING, std::string(providerString));
    if (jet) {
        // The tree shows a workbook by its path without the ending.
        settings.catalogName = files::WithoutFileEnding(settings.sourceName, files::kWorkbookEndings);
    }
    return true;
}

std::string QueryExcelVersion(app::Output& output, const connect::ConnectionHolder& holder) {
    if (!holder.HasSession()) {
        app::WritePlainOutputLine(output, com::SystemErrorText(kNoConnection));
        return kNoConnection;
    }
    try {
        std::shared_ptr<Command> command;
        std::shared_ptr<Rowset> rowset;
        if (Failed(connect::RunStatementCommand(*holder.session, DBGUID_DEFAULT, "select @@Version", command, rowset))) {
            return com::ErrorRecordText(command.get(), IID_ICommandPrepare);
        }
        if (!rowset) {
            app::WritePlainOutputLine(output, connect::kOperationCompleted);
            return connect::kOperationCompleted;
        }
        return LastRowFirstColumn(*rowset);
    } catch (const std::exception& error) {
        // A provider that throws instead of reporting never takes the caller down.
        return error.what();
    }
}

}  // namespace tabvex::adapters
