// The two questions every destructive target command asks before it goes on. Each
// defaults to keeping: Enter or Escape answers Cancel or No.
#pragma once

#include <string>

#include "app/output.h"

namespace tabvex::maintenance {

// The usual second question, naming what goes.
std::string CannotRestoreQuestion(const std::string& name);

// An OK/Cancel box with the first question, then a Yes/No box with the second
// (with a warning icon when `warnOnSecond`); true only for OK, then Yes.
bool ConfirmRemoval(app::Output& output, const std::string& first, const std::string& second,
                    bool warnOnSecond = true);

// One Yes/No box with a warning icon; true only for Yes.
bool ConfirmOnce(app::Output& output, const std::string& question);

// A refusal: one OK box.
void ShowRefusal(app::Output& output, const std::string& text, const std::string& caption = app::kProgramTitle);

}  // namespace tabvex::maintenance
