#include "shell/program.h"

namespace tabvex::shell {

Program::Program(app::UserInterface& ui, std::filesystem::path programDirectory)
    : output_(ui),
      sides_(std::move(programDirectory)),
      connecting_(output_, sides_),
      engine_(output_, sides_, options_) {
    sides_.SetConnector(&connecting_);
}

}  // namespace tabvex::shell
