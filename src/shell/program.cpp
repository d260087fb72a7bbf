#include "shell/program.h"

namespace tabvex::shell {

Program::Program(app::UserInterface& ui, com::ProgramFolders folders)
    : output_(ui),
      sides_(std::move(folders)),
      connecting_(output_, sides_),
      engine_(output_, sides_, options_) {
    sides_.SetConnector(&connecting_);
}

}  // namespace tabvex::shell
