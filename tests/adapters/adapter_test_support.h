// What the adapter and connecting suites share: a profile folder of their own, so
// that workgroup files land in a scratch folder and never in the real $HOME, and
// property sets as (id, value) lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/oledb/property.h"
#include "support/test_support.h"

namespace tabvex::test {

class ScratchProfile {
public:
    ScratchProfile() : home_(scratch_ / "home") {
        std::filesystem::create_directories(home_);
        Override("HOME", home_.string());
        Override("USERPROFILE", home_.string());
    }
    ~ScratchProfile() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                unsetenv(it->first.c_str());
            }
        }
    }
    ScratchProfile(const ScratchProfile&) = delete;
    ScratchProfile& operator=(const ScratchProfile&) = delete;

    const std::filesystem::path& home() const { return home_; }
    std::filesystem::path workgroupFile() const { return home_ / "Application Data/Microsoft/Access/System.MDW"; }
    // Leaves only $HOME to name the profile.
    void DropUserProfile() {
        unsetenv("USERPROFILE");
    }

private:
    void Override(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name.c_str(), value.c_str(), 1);
    }

    ScratchDir scratch_;
    std::filesystem::path home_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

using PropertyList = std::vector<std::pair<oledb::DBPROPID, oledb::PropertyValue>>;

inline PropertyList Properties(const oledb::DBPROPSET& set) {
    PropertyList list;
    for (const auto& property : set.properties) {
        EXPECT_EQ(property.options, oledb::DBPROPOPTIONS_REQUIRED) << "property " << property.id;
        list.emplace_back(property.id, property.value);
    }
    return list;
}

inline std::vector<oledb::DBPROPID> Ids(const oledb::DBPROPSET& set) {
    std::vector<oledb::DBPROPID> ids;
    for (const auto& property : set.properties) ids.push_back(property.id);
    return ids;
}

}  // namespace tabvex::test
