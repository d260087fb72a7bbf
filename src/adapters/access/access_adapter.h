// The Access side: the initialization properties of a source data source, the
// Jet workgroup file (system database) created on demand, new empty .mdb files,
// and the version text shown when the provider names no DBMS.
#pragma once

#include <string>

#include "app/output.h"
#include "connect/connection_holder.h"
#include "connect/connection_settings.h"
#include "platform/oledb/guid.h"
#include "platform/oledb/property.h"

namespace tabvex::adapters {

// The Jet provider's class, created directly for administrative work.
inline const oledb::Guid kJetProviderClassId = oledb::GuidLiteral("{DEE35070-506B-11CF-B1AA-00AA00B8DE95}");


// Appends the source's initialization properties to an empty DBINIT set. For Jet
// it then recomputes the settings' catalog name from the source name: the name
// without its ".mdb" or ".accdb" ending (in any case), or the whole name. The set already holds the old catalog name; the new one counts from
// the next connection on. Always true.
bool BuildAccessInitProperties(connect::ConnectionSettings& settings, oledb::DBPROPSET& set);

// "%USERPROFILE%\Application Data\Microsoft\Access\System.MDW" with the variable
// expanded ($HOME when USERPROFILE is unset) and every backslash made a folder
// separator, so that it names a real file.
std::string SystemDatabasePath();
// The same followed by ";", as ODBC provider strings take it.
std::string SystemDatabasePathForOdbc();

// Creates the workgroup file at SystemDatabasePath (and its missing parent folders)
// through the Jet provider. A failing step writes its provider error line to the
// Log ("Database Init", "Bind Property", "Create SysDB") and gives false.
bool CreateSystemDatabase(app::Output& output);

// Makes sure a workgroup file exists: creates a missing one; a folder in its place
// is removed (only when empty) and a file created instead; an existing file stays.
void EnsureSystemDatabase(app::Output& output);

// Creates an empty .mdb at `path` (browser::Sides::PathBesideDatabase makes it of a
// bare name); ".mdb" is appended unless the path ends so (in any case). Writes
// "Create Access MDB File [path]"; failing steps write their provider error line
// ("Database Init", "Bind Property", "Create DB") and give false. On success the
// workgroup file is made sure of too.
bool CreateAccessDatabase(app::Output& output, std::string path);

// The version text used when the source provider names no DBMS: empty with a
// session; without one the "No Connection!" error line goes to the Log and the
// text is "No Connection!".
std::string QueryAccessVersion(app::Output& output, const connect::ConnectionHolder& holder);

}  // namespace tabvex::adapters
