// What tabvex-cli may do on its output streams: colour and rewrite lines only on a
// terminal, and colour never when NO_COLOR is set (https://no-color.org).
#pragma once

namespace tabvex::cli {

bool IsTerminal(int fd);

bool ColoursOn(int fd);

}  // namespace tabvex::cli
