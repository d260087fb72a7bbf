// A database file's ending (".mdb", ".accdb", ".xls"): recognised without regard to
// ASCII case and only at the very end of a path, so that "SHOP.MDB" is an Access
// file and a folder "data.mdb.d" is no ending. A path's own spelling is never changed.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tabvex::files {

using Endings = std::span<const std::string_view>;

inline constexpr std::array<std::string_view, 2> kAccessEndings{".mdb", ".accdb"};
inline constexpr std::array<std::string_view, 1> kWorkbookEndings{".xls"};
inline constexpr std::array<std::string_view, 3> kDatabaseEndings{".mdb", ".accdb", ".xls"};

// Whether the path's last component is a name followed by `ending`, in any case.
bool HasFileEnding(std::string_view path, std::string_view ending);
bool HasAnyFileEnding(std::string_view path, Endings endings);

// The path without the first of `endings` it has; unchanged when it has none.
std::string WithoutFileEnding(std::string_view path, Endings endings);

// The existing file named `name` followed by one of `endings` in any letter case
// ("/d/Book" finds "/d/Book.XLS"); nullopt when there is none.
std::optional<std::string> ExistingFileWithEnding(std::string_view name, Endings endings);

// The file a database name stands for (the trees show a database as its path without
// the ending): the first of `known` (the files a side names) that is the name with
// an ending; the name itself when it has one of `endings`; an existing file found by
// ExistingFileWithEnding; otherwise the name with the first ending appended.
std::string DatabaseFileOf(std::string_view name, Endings endings,
                           std::initializer_list<std::string_view> known = {});

}  // namespace tabvex::files
