// Property sets and properties (DBPROPSET, DBPROP) with the set identifiers and
// property ids the system uses, and the VARIANT kinds their values take.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/oledb/guid.h"

namespace tabvex::oledb {

// VT_EMPTY, VT_BOOL, VT_I2, VT_I4, VT_BSTR (UTF-8 here).
using PropertyValue = std::variant<std::monostate, bool, std::int16_t, std::int32_t, std::string>;

using DBPROPID = std::uint32_t;

using DBPROPOPTIONS = std::uint32_t;
inline constexpr DBPROPOPTIONS DBPROPOPTIONS_REQUIRED = 0;
inline constexpr DBPROPOPTIONS DBPROPOPTIONS_OPTIONAL = 1;

using DBPROPSTATUS = std::uint32_t;
inline constexpr DBPROPSTATUS DBPROPSTATUS_OK = 0;
inline constexpr DBPROPSTATUS DBPROPSTATUS_NOTSUPPORTED = 1;
inline constexpr DBPROPSTATUS DBPROPSTATUS_BADVALUE = 2;
inline constexpr DBPROPSTATUS DBPROPSTATUS_NOTSETTABLE = 6;
inline constexpr DBPROPSTATUS DBPROPSTATUS_NOTSET = 7;

struct DBPROP {
    DBPROPID id = 0;
    DBPROPOPTIONS options = DBPROPOPTIONS_REQUIRED;
    DBPROPSTATUS status = DBPROPSTATUS_OK;  // set by the provider
    PropertyValue value;
};

struct DBPROPSET {
    Guid setId;
    std::vector<DBPROP> properties;
};

// Adds a required property to a set (what the system's property builders do).
inline void AddProperty(DBPROPSET& set, DBPROPID id, PropertyValue value) {
    set.properties.push_back(DBPROP{id, DBPROPOPTIONS_REQUIRED, DBPROPSTATUS_OK, std::move(value)});
}

inline const Guid DBPROPSET_DBINIT = GuidLiteral("{C8B522BC-5CF3-11CE-ADE5-00AA0044773D}");
inline const Guid DBPROPSET_DATASOURCEINFO = GuidLiteral("{C8B522BB-5CF3-11CE-ADE5-00AA0044773D}");
inline const Guid DBPROPSET_DATASOURCE = GuidLiteral("{C8B522BA-5CF3-11CE-ADE5-00AA0044773D}");
inline const Guid DBPROPSET_ROWSET = GuidLiteral("{C8B522BE-5CF3-11CE-ADE5-00AA0044773D}");
// The Jet provider's own initialization set.
inline const Guid DBPROPSET_JETOLEDB_DBINIT = GuidLiteral("{82CF8156-9B40-11D0-9EBD-00C04FC2C2E0}");

// DBPROPSET_DBINIT
inline constexpr DBPROPID DBPROP_AUTH_CACHE_AUTHINFO = 5;
inline constexpr DBPROPID DBPROP_AUTH_ENCRYPT_PASSWORD = 6;
inline constexpr DBPROPID DBPROP_AUTH_MASK_PASSWORD = 8;
inline constexpr DBPROPID DBPROP_AUTH_PASSWORD = 9;
inline constexpr DBPROPID DBPROP_AUTH_USERID = 12;
inline constexpr DBPROPID DBPROP_INIT_DATASOURCE = 59;
inline constexpr DBPROPID DBPROP_INIT_MODE = 63;
inline constexpr DBPROPID DBPROP_INIT_PROMPT = 64;
inline constexpr DBPROPID DBPROP_INIT_PROVIDERSTRING = 160;
inline constexpr DBPROPID DBPROP_INIT_LCID = 186;
inline constexpr DBPROPID DBPROP_INIT_CATALOG = 233;
// DBPROPSET_DATASOURCE and DBPROPSET_DATASOURCEINFO
inline constexpr DBPROPID DBPROP_CURRENTCATALOG = 37;
inline constexpr DBPROPID DBPROP_DATASOURCENAME = 38;
inline constexpr DBPROPID DBPROP_DBMSNAME = 40;
inline constexpr DBPROPID DBPROP_DBMSVER = 41;
// DBPROPSET_ROWSET
inline constexpr DBPROPID DBPROP_UPDATABILITY = 117;
inline constexpr DBPROPID DBPROP_IRowset = 126;
inline constexpr DBPROPID DBPROP_IRowsetChange = 127;
// DBPROPSET_JETOLEDB_DBINIT
inline constexpr DBPROPID DBPROP_JETOLEDB_SYSDBPATH = 250;
inline constexpr DBPROPID DBPROP_JETOLEDB_CREATE_SYSDB = 270;

}  // namespace tabvex::oledb
