#include "check/table_check.h"

#include <exception>
#include <memory>

#include "adapters/excel/cell_text.h"
#include "com/error_record_text.h"
#include "com/text_column_binding.h"
#include "platform/oledb/text_rows.h"
#include "platform/oledb/interface_ids.h"
#include "connect/statement_runners.h"

namespace tabvex::check {

namespace {

using namespace tabvex::oledb;

// Counts, per column, the values a cell would receive cut.
class LongValueCount {
public:
    explicit LongValueCount(std::size_t columns) : counts_(columns, 0) {}

    void Add(const oledb::TextRowReader& reader) {
        for (std::size_t i = 0; i < reader.size(); ++i)
            if (adapters::CellTextOf(reader, i).cut) ++counts_[i];
    }

    // The cut values by column into `check`; with `binaryFiles` binary ones are saved
    // as files instead.
    void Judge(const Rowset& rowset, bool binaryFiles, TableCheck& check) const {
        std::vector<DBCOLUMNINFO> columns;
        oledb::TextRowReader::DataColumns(rowset, columns);
        for (std::size_t i = 0; i < counts_.size(); ++i) {
            if (counts_[i] == 0) continue;
            const bool binary = i < columns.size() && columns[i].type == DBTYPE_BYTES;
            if (binary && binaryFiles) {
                check.valuesSavedAsFiles += counts_[i];
                continue;
            }
            check.longValues.push_back({i < columns.size() ? columns[i].name : std::to_string(i + 1), counts_[i], binary});
        }
    }

private:
    std::vector<std::int64_t> counts_;
};

void ReadRows(Session& source, const std::string& query, bool binaryFiles, TableCheck& check) {
    std::shared_ptr<Command> command;
    std::shared_ptr<Rowset> rowset;
    if (Failed(connect::RunStatementCommand(source, DBGUID_DEFAULT, query, command, rowset))) {
        check.readError = com::ErrorRecordText(command.get(), IID_ICommandPrepare);
        return;
    }
    if (!rowset) return;
    oledb::TextRowReader reader(adapters::kCellValueSlotCapacity);
    if (auto failure = com::BindAllColumns(reader, *rowset)) {
        check.readError = *failure;
        return;
    }
    LongValueCount longValues(reader.size());
    HRESULT fetched;
    while ((fetched = reader.Next()) == S_OK) {
        ++check.rows;
        longValues.Add(reader);
    }
    if (Failed(fetched)) check.readError = com::ErrorRecordText(rowset.get(), IID_IRowset);
    longValues.Judge(*rowset, binaryFiles, check);
}

}  // namespace

void ReadTableRows(Session& source, const std::string& query, bool binaryFiles, TableCheck& check) {
    try {
        ReadRows(source, query, binaryFiles, check);
    } catch (const std::exception& error) {
        check.readError = error.what();
    }
}

}  // namespace tabvex::check
