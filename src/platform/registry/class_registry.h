// The class registry: ProgID -> class id -> module, read from the file installed
// beside the program (tabvex-classes.cfg). Creating an object fails as COM does:
// CO_E_CLASSSTRING for an unknown ProgID, REGDB_E_CLASSNOTREG for an unknown
// class id, CO_E_DLLNOTFOUND when the class's module is not part of the program.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/oledb/com_object.h"
#include "platform/oledb/guid.h"
#include "platform/oledb/result_code.h"

namespace tabvex::registry {

using oledb::Guid;
using oledb::HRESULT;

// Makes a new object of one class the module serves.
using ClassFactory = std::function<std::shared_ptr<oledb::ComObject>(const Guid& classId)>;

class ClassRegistry {
public:
    // Reads a registry file; a missing or unreadable file gives an empty registry
    // (every creation then fails as for an unregistered class).
    static ClassRegistry FromFile(const std::filesystem::path& path);
    static ClassRegistry FromText(const std::string& text);

    // CLSIDFromProgID: the ProgID is matched without regard to case.
    HRESULT ClassIdFromProgId(const std::string& progId, Guid& classId) const;
    // The same lookups without leaving an error record, for reports on what is
    // installed: the class of a ProgID, and the module registered to serve a class.
    std::optional<Guid> FindClassId(const std::string& progId) const;
    std::optional<std::string> ModuleOfClass(const Guid& classId) const;
    // CoCreateInstance for an in-process server.
    HRESULT CreateInstance(const Guid& classId, std::shared_ptr<oledb::ComObject>& object) const;

private:
    std::map<std::string, Guid> classesByProgId_;  // keys in lower case
    std::map<Guid, std::string> modulesByClass_;
};

// The installed registry: $TABVEX_CLASS_REGISTRY when set, else tabvex-classes.cfg
// beside the executable, else the copy in the build tree.
const ClassRegistry& InstalledRegistry();

// Makes a module's classes creatable, e.g. RegisterModule("automation", factory).
// The provider modules built into the program ("jet") are registered already.
void RegisterModule(const std::string& module, ClassFactory factory);

// Whether a module of that name is part of the program, so its classes can be created.
bool ModuleIsAvailable(const std::string& module);

// CLSIDFromProgID followed by CoCreateInstance over the installed registry.
HRESULT CreateInstanceByProgId(const std::string& progId, std::shared_ptr<oledb::ComObject>& object);

}  // namespace tabvex::registry
