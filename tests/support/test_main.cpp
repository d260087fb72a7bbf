// The main of every test executable: GoogleTest's, run with a home folder inside the
// build tree, so that what the program keeps in the user's profile (the workgroup
// file) and what tools spawned by tests keep there never lands in the real one.
// unixODBC reads the build tree's driver list and the test home's data sources.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    const std::filesystem::path home = std::filesystem::path(TABVEX_BINARY_DIR) / "test-home";
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);  // where QSettings keeps its files
    unsetenv("USERPROFILE");  // the profile is then $HOME, as on any Linux desktop
    setenv("ODBCSYSINI", TABVEX_BINARY_DIR, 1);
    setenv("ODBCINI", (home / ".odbc.ini").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
