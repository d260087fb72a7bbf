#pragma once

namespace tabvex::mdb {

// Jet 3 (Access 97), Jet 4 (Access 2000–2003) or ACE (.accdb, Access 2007 on).
enum class JetVersion { Jet3, Jet4, Ace };

}  // namespace tabvex::mdb
