// Values cross between the ISAMs' row values and the SQL evaluator's values.
// Binary data reaches the evaluator as its hexadecimal text.
#pragma once

#include "platform/jet/sql/value.h"
#include "platform/oledb/value.h"

namespace tabvex::jet {

sql::Value ToSqlValue(const oledb::Value& value);
// Takes the value over, so that text moves rather than being copied.
oledb::Value ToRowValue(sql::Value value);

}  // namespace tabvex::jet
