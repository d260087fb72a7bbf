// Both sides, and what they share: the program's folders (the program folder stands
// in for a side's folder while it has no database), the file of the source tables'
// migration conditions (Condition.cfg in the configuration folder), and the
// character-set name that connecting sets.
#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

#include "browser/side.h"
#include "com/program_folders.h"

namespace tabvex::browser {

// Reconnects a side from its settings and refills its tree. Connecting is built on
// the adapters, which themselves reconnect a side after working on its file as a
// whole; this port lets them do so without depending on the connecting code.
class SideConnector {
public:
    virtual ~SideConnector() = default;
    virtual void Reconnect(Side& side) = 0;
};

class Sides {
public:
    explicit Sides(com::ProgramFolders folders) : folders_(std::move(folders)) {}
    Sides(const Sides&) = delete;
    Sides& operator=(const Sides&) = delete;

    Side& source() { return source_; }
    Side& target() { return target_; }
    const Side& source() const { return source_; }
    const Side& target() const { return target_; }
    // kSourceSide or kTargetSide.
    Side& of(int side) { return side == kSourceSide ? source_ : target_; }
    const Side& of(int side) const { return side == kSourceSide ? source_ : target_; }

    const com::ProgramFolders& folders() const { return folders_; }
    const std::filesystem::path& programDirectory() const { return folders_.program; }
    std::filesystem::path conditionFile() const { return folders_.config / "Condition.cfg"; }

    // A file named `name` in the folder of the side's current database, or in the
    // program's folder while the side has none: where new databases, workbooks and
    // bare names given for them go.
    std::string PathBesideDatabase(int side, std::string_view name) const;

    // The character-set name connecting sets ("LATIN1").
    std::string charsetName() const;
    void SetCharsetName(std::string name);

    // Reconnects the side through the connector the program installed.
    void Reconnect(int side);
    void SetConnector(SideConnector* connector) { connector_ = connector; }

private:
    const com::ProgramFolders folders_;
    Side source_{kSourceSide};
    Side target_{kTargetSide};
    mutable std::mutex charsetMutex_;
    std::string charsetName_;
    SideConnector* connector_ = nullptr;
};

}  // namespace tabvex::browser
