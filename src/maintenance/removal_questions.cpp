#include "maintenance/removal_questions.h"

namespace tabvex::maintenance {

std::string CannotRestoreQuestion(const std::string& name) {
    return "After remove, you can not restore [" + name + "] again! Continue?\nPress YES to Continue Removing!";
}

bool ConfirmRemoval(app::Output& output, const std::string& first, const std::string& second,
                    bool warnOnSecond) {
    app::UserInterface& ui = output.ui();
    if (ui.ShowMessageBox({first, app::kProgramTitle, app::MessageButtons::OkCancel, app::MessageIcon::Question,
                           app::DefaultButton::Refuse}) != app::MessageAnswer::Ok)
        return false;
    const app::MessageIcon icon = warnOnSecond ? app::MessageIcon::Warning : app::MessageIcon::Question;
    return ui.ShowMessageBox({second, app::kProgramTitle, app::MessageButtons::YesNo, icon, app::DefaultButton::Refuse}) ==
           app::MessageAnswer::Yes;
}

bool ConfirmOnce(app::Output& output, const std::string& question) {
    return output.ui().ShowMessageBox({question, app::kProgramTitle, app::MessageButtons::YesNo,
                                         app::MessageIcon::Warning, app::DefaultButton::Refuse}) ==
           app::MessageAnswer::Yes;
}

void ShowRefusal(app::Output& output, const std::string& text, const std::string& caption) {
    output.ui().ShowMessageBox({text, caption, app::MessageButtons::Ok, app::MessageIcon::Warning});
}

}  // namespace tabvex::maintenance
