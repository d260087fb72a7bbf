// The configuration dialog's fields and options as plain data. The configuration
// file operations read and write this record; the dialog only binds its widgets to
// it (fields before Connect and Save Config, options from their click handlers).
#pragma once

#include <string>

namespace tabvex::connect {

// One side's fields, as typed.
struct SideFields {
    std::string providerName;  // display name
    std::string sourceName;
    std::string userId;
    std::string password;
    std::string catalogName;
    bool operator==(const SideFields&) const = default;
};

struct ConfigDialogOptions {
    bool configFile = false;         // "Properties from and to config file"
    bool autoBackup = false;         // "Auto Backup (need more time and disk space)"
    bool splitLongTables = false;    // "Continue long tables on new sheets"
    bool displayTips = false;        // "Display Tips"
    bool overwriteDatabase = false;  // "Overwrite the same-name database" (shown disabled)
    bool overwriteTable = false;     // "Overwrite the same-name table"
    bool verifyAfterWriting = false; // "Verify after writing"
    bool binaryFiles = false;        // "Save long binary values as files"
    bool operator==(const ConfigDialogOptions&) const = default;
};

struct ConfigDialogRecord {
    SideFields source;
    SideFields target;
    ConfigDialogOptions options;
};

}  // namespace tabvex::connect
