// Shared by the adapter and connecting suites: a profile folder of their own, so
// that workgroup files land in a scratch folder and never in the real $HOME.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace tabvex::test {

class ScratchProfile {
public:
    ScratchProfile() {
        std::filesystem::create_directories(home());
        for (const char* name : {"HOME", "USERPROFILE"}) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old != nullptr, old ? old : ""});
            setenv(name, home().c_str(), 1);
        }
    }
    ~ScratchProfile() {
        for (const auto& [name, wasSet, value] : saved_) wasSet ? setenv(name, value.c_str(), 1) : unsetenv(name);
    }

    std::filesystem::path home() const { return scratch_ / "home"; }
    std::filesystem::path workgroupFile() const { return home() / "Application Data/Microsoft/Access/System.MDW"; }

private:
    struct Saved {
        const char* name;
        bool wasSet;
        std::string value;
    };
    ScratchDir scratch_;
    std::vector<Saved> saved_;
};

}  // namespace tabvex::test
