// Identifiers of the OLE DB interfaces whose calls can fail. A failing call records
// the identifier in its error record, and an object answers whether it supports
// error information for a given identifier.
#pragma once

#include "platform/oledb/guid.h"

namespace tabvex::oledb {

inline const Guid IID_IDBInitialize = GuidLiteral("{0C733A8B-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IDBProperties = GuidLiteral("{0C733A8A-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IDBCreateSession = GuidLiteral("{0C733A5D-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IDBDataSourceAdmin = GuidLiteral("{0C733A7A-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IOpenRowset = GuidLiteral("{0C733A69-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IDBSchemaRowset = GuidLiteral("{0C733A7B-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_ITransactionLocal = GuidLiteral("{0C733A5F-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IDBCreateCommand = GuidLiteral("{0C733A1D-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_ICommandText = GuidLiteral("{0C733A27-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_ICommandPrepare = GuidLiteral("{0C733A26-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_ICommandProperties = GuidLiteral("{0C733A79-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IColumnsInfo = GuidLiteral("{0C733A11-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IAccessor = GuidLiteral("{0C733A8C-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_IRowset = GuidLiteral("{0C733A7C-2A1C-11CE-ADE5-00AA0044773D}");
inline const Guid IID_ISupportErrorInfo = GuidLiteral("{DF0B3D60-548F-101B-8E65-08002B2BD119}");
inline const Guid IID_IErrorRecords = GuidLiteral("{0C733A67-2A1C-11CE-ADE5-00AA0044773D}");

}  // namespace tabvex::oledb
