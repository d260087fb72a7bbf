#include "cli/cli_connect.h"

#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "connecting/connecting.h"
#include "platform/files/file_ending.h"

namespace tabvex::cli {

bool IsWorkbook(const std::string& file) { return files::HasAnyFileEnding(file, files::kWorkbookEndings); }

namespace {

// False, saying why on stderr, when the workbook the name stands for cannot be found.
bool WorkbookExists(const std::string& file) {
    const std::string path = files::DatabaseFileOf(file, files::kWorkbookEndings);
    if (::access(path.c_str(), F_OK) == 0) return true;
    std::cerr << "tabvex-cli: the workbook " << path << " cannot be opened: " << std::strerror(errno) << '\n';
    return false;
}

}  // namespace

bool ConnectFile(shell::Program& program, const std::string& file, bool asTarget, const SideRoute& route) {
    // The workbook ISAM takes a workbook that is not there for a new, empty one, so a
    // mistyped name would show an empty tree or back up nothing as a success.
    if (asTarget && !WorkbookExists(file)) return false;
    ConfigureSide(asTarget ? program.sides().target().settings() : program.sides().source().settings(), route, file);
    if (asTarget) {
        connect::ConnectTarget(program.output(), program.sides());
    } else {
        connect::ConnectSource(program.output(), program.sides());
    }
    const auto& holder = asTarget ? program.sides().target().holder() : program.sides().source().holder();
    const auto& tree = asTarget ? program.sides().target().tree() : program.sides().source().tree();
    // A side that did not connect has said why in an error line.
    return holder.HasSession() && tree.sideMarker() == tree.fixedSide();
}

browser::NodeId FindObject(const browser::DbTree& tree, const std::string& name) {
    const auto nodes = tree.nodes();
    browser::NodeId caseless = browser::kNoNode;
    for (browser::NodeId id = 0; id < nodes.size(); ++id) {
        if (nodes[id].kind != browser::TreeNodeKind::Table && nodes[id].kind != browser::TreeNodeKind::View) continue;
        if (nodes[id].text == name) return id;
        if (caseless == browser::kNoNode && strcasecmp(nodes[id].text.c_str(), name.c_str()) == 0) caseless = id;
    }
    return caseless;
}

}  // namespace tabvex::cli
