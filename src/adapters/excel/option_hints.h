// What a person can do about a table that does not arrive whole: the option that
// would have carried it, by its caption in the configuration dialog and its
// tabvex-cli flag. The Log and the check say them alike.
#pragma once

namespace tabvex::adapters {

inline constexpr const char* kBinaryFilesHint =
    "binary values can be saved as files with \"Save long binary values as files\" (--binary-files)";
inline constexpr const char* kSplitLongTablesHint =
    "the rows past it can go on new sheets with \"Continue long tables on new sheets\" (--split-long-tables)";
inline constexpr const char* kOverwriteTableHint =
    "the table can replace it with \"Overwrite the same-name table\" (--replace)";

}  // namespace tabvex::adapters
