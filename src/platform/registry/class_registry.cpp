#include "platform/registry/class_registry.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/oledb/error_info.h"
#include "platform/registry/module_table.h"
#include "platform/registry/program_file.h"

namespace tabvex::registry {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trim(const std::string& text) {
    auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::filesystem::path InstalledRegistryPath() {
    if (const char* overridden = std::getenv("TABVEX_CLASS_REGISTRY")) return overridden;
    return ProgramFile("tabvex-classes.cfg", TABVEX_BUILD_CLASS_REGISTRY);
}

}  // namespace

ClassRegistry ClassRegistry::FromFile(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return FromText(text.str());
}

ClassRegistry ClassRegistry::FromText(const std::string& text) {
    ClassRegistry registry;
    std::istringstream lines(text);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            section = Lower(line);
            continue;
        }
        auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = Trim(line.substr(0, equals));
        std::string value = Trim(line.substr(equals + 1));
        if (section == "[progid]") {
            if (auto classId = Guid::Parse(value)) registry.classesByProgId_[Lower(key)] = *classId;
        } else if (section == "[inprocserver]") {
            if (auto classId = Guid::Parse(key)) registry.modulesByClass_[*classId] = value;
        }
    }
    return registry;
}

HRESULT ClassRegistry::ClassIdFromProgId(const std::string& progId, Guid& classId) const {
    const auto found = FindClassId(progId);
    if (!found) {
        return oledb::ReportError(oledb::CO_E_CLASSSTRING, Guid{},
                                  "No class is registered for the ProgID '" + progId + "'.", "Class registry");
    }
    classId = *found;
    return oledb::S_OK;
}

std::optional<Guid> ClassRegistry::FindClassId(const std::string& progId) const {
    auto found = classesByProgId_.find(Lower(progId));
    if (found == classesByProgId_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> ClassRegistry::ModuleOfClass(const Guid& classId) const {
    auto found = modulesByClass_.find(classId);
    if (found == modulesByClass_.end()) return std::nullopt;
    return found->second;
}

HRESULT ClassRegistry::CreateInstance(const Guid& classId, std::shared_ptr<oledb::ComObject>& object) const {
    object.reset();
    auto found = modulesByClass_.find(classId);
    if (found == modulesByClass_.end()) {
        return oledb::ReportError(oledb::REGDB_E_CLASSNOTREG, Guid{},
                                  "The class " + classId.ToString() + " is not registered.", "Class registry");
    }
    object = CreateFromModule(found->second, classId);
    if (!object) {
        return oledb::ReportError(oledb::CO_E_DLLNOTFOUND, Guid{},
                                  "The class " + classId.ToString() + " is registered to the module '" +
                                      found->second + "', which is not available: that provider is not part of " +
                                      "this program.",
                                  "Class registry");
    }
    return oledb::S_OK;
}

const ClassRegistry& InstalledRegistry() {
    static const ClassRegistry installed = ClassRegistry::FromFile(InstalledRegistryPath());
    return installed;
}

HRESULT CreateInstanceByProgId(const std::string& progId, std::shared_ptr<oledb::ComObject>& object) {
    object.reset();
    Guid classId;
    HRESULT result = InstalledRegistry().ClassIdFromProgId(progId, classId);
    if (oledb::Failed(result)) return result;
    return InstalledRegistry().CreateInstance(classId, object);
}

}  // namespace tabvex::registry
