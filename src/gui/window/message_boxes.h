// Message boxes and the folder and file choosers, as Qt dialogs. A chooser opens in the
// folder used last this session, else where its request says, else the home folder.
// Tests script the answers instead of a person: a script, when set, answers every box
// and chooser.
#pragma once

#include <QMessageBox>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "app/user_interface.h"

namespace tabvex::gui {

// The Qt box for the request: its buttons, icon, and, for a question that defaults to
// refusing, No or Cancel as the button of Enter and of Escape.
std::unique_ptr<QMessageBox> MakeMessageBox(const app::MessageBoxRequest& request, QWidget* parent);
// The answer of a box that was closed: the button clicked (Enter and Escape click one).
app::MessageAnswer AnswerOf(const QMessageBox& box);

class MessageBoxes {
public:
    using BoxScript = std::function<app::MessageAnswer(const app::MessageBoxRequest&)>;
    using PathScript = std::function<std::optional<std::filesystem::path>(const std::string& title)>;

    explicit MessageBoxes(QWidget* parent) : parent_(parent) {}

    void SetBoxScript(BoxScript script) { boxScript_ = std::move(script); }
    void SetPathScript(PathScript script) { pathScript_ = std::move(script); }

    app::MessageAnswer Show(const app::MessageBoxRequest& request);
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title,
                                                      const std::filesystem::path& startFolder);
    std::optional<std::filesystem::path> ChooseFile(const app::FileChooserRequest& request);
    // Where the next chooser opens, given the folder its request names (may be empty).
    std::filesystem::path StartFolder(const std::filesystem::path& requested) const;

private:
    QString RunFileChooser(const app::FileChooserRequest& request) const;

    QWidget* parent_;
    std::filesystem::path lastFolder_;
    BoxScript boxScript_;
    PathScript pathScript_;
};

}  // namespace tabvex::gui
