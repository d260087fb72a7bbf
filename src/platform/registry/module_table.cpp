#include "platform/registry/module_table.h"

#include <map>
#include <mutex>

#include "platform/automation/application.h"
#include "platform/jet/jet_data_source.h"
#include "platform/odbc/odbc_data_source.h"

namespace tabvex::registry {
namespace {

struct ModuleTable {
    std::mutex mutex;
    std::map<std::string, ClassFactory> factories;
};

std::shared_ptr<oledb::ComObject> CreateJetObject(const Guid& classId) {
    if (classId != jet::CLSID_JETOLEDB_4_00) return nullptr;
    return std::make_shared<jet::JetDataSource>();
}

std::shared_ptr<oledb::ComObject> CreateOdbcObject(const Guid& classId) {
    if (classId != odbc::CLSID_MSDASQL) return nullptr;
    return std::make_shared<odbc::OdbcDataSource>();
}

std::shared_ptr<oledb::ComObject> CreateAutomationObject(const Guid& classId) {
    if (classId != automation::CLSID_Application) return nullptr;
    return std::make_shared<automation::Application>();
}

ModuleTable& Modules() {
    static ModuleTable table{{}, {{"jet", CreateJetObject}, {"msdasql", CreateOdbcObject}, {"automation", CreateAutomationObject}}};
    return table;
}

}  // namespace

void RegisterModule(const std::string& module, ClassFactory factory) {
    auto& table = Modules();
    std::lock_guard lock(table.mutex);
    table.factories[module] = std::move(factory);
}

bool ModuleIsAvailable(const std::string& module) {
    auto& table = Modules();
    std::lock_guard lock(table.mutex);
    return table.factories.contains(module);
}

std::shared_ptr<oledb::ComObject> CreateFromModule(const std::string& module, const Guid& classId) {
    auto& table = Modules();
    ClassFactory factory;
    {
        std::lock_guard lock(table.mutex);
        auto found = table.factories.find(module);
        if (found == table.factories.end()) return nullptr;
        factory = found->second;
    }
    return factory(classId);
}

}  // namespace tabvex::registry
