// One side of the program, source or target: its connection settings, its live
// connection and its tree, and the copy of the settings its last connect published.
//
// While tasks run the worker owns the settings, the holder and the tree (it
// reconnects sides within a task); the window's commands read the published copy,
// which is written only when a connect ends, so they never see settings half-changed.
#pragma once

#include <mutex>
#include <string>

#include "browser/db_tree.h"
#include "connect/connection_holder.h"
#include "connect/connection_settings.h"

namespace tabvex::browser {

// A side as its last connect left it.
struct PublishedSide {
    bool connected = false;
    connect::ConnectionSettings settings;
};

class Side {
public:
    explicit Side(int id) : tree_(id) {}
    Side(const Side&) = delete;
    Side& operator=(const Side&) = delete;

    int id() const { return tree_.fixedSide(); }
    bool isSource() const { return id() == kSourceSide; }

    connect::ConnectionSettings& settings() { return settings_; }
    const connect::ConnectionSettings& settings() const { return settings_; }
    connect::ConnectionHolder& holder() { return holder_; }
    const connect::ConnectionHolder& holder() const { return holder_; }
    DbTree& tree() { return tree_; }
    const DbTree& tree() const { return tree_; }

    PublishedSide published() const;
    void Publish(PublishedSide state);

    // Releases the session and data source and marks the tree not connected.
    void Disconnect();

private:
    connect::ConnectionSettings settings_;
    connect::ConnectionHolder holder_;
    DbTree tree_;
    mutable std::mutex publishedMutex_;
    PublishedSide published_;
};

}  // namespace tabvex::browser
