#include "gui/window/message_boxes.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace tabvex::gui {

namespace {

QMessageBox::Icon IconOf(app::MessageIcon icon) {
    switch (icon) {
        case app::MessageIcon::Information: return QMessageBox::Information;
        case app::MessageIcon::Question: return QMessageBox::Question;
        case app::MessageIcon::Warning: return QMessageBox::Warning;
        case app::MessageIcon::Error: return QMessageBox::Critical;
        case app::MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(app::MessageButtons buttons) {
    switch (buttons) {
        case app::MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case app::MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case app::MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

// The button that keeps everything: No of a Yes/No question, else Cancel.
QMessageBox::StandardButton RefusingButton(app::MessageButtons buttons) {
    return buttons == app::MessageButtons::YesNo ? QMessageBox::No : QMessageBox::Cancel;
}

app::MessageAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Ok: return app::MessageAnswer::Ok;
        case QMessageBox::Yes: return app::MessageAnswer::Yes;
        case QMessageBox::No: return app::MessageAnswer::No;
        default: return app::MessageAnswer::Cancel;
    }
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::optional<std::filesystem::path> PathOf(const QString& chosen) {
    if (chosen.isEmpty()) return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const app::MessageBoxRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(IconOf(request.icon), Text(request.caption), Text(request.text),
                                             ButtonsOf(request.buttons), parent);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);  // a name or an address can be copied
    if (request.buttons != app::MessageButtons::Ok && request.defaultButton == app::DefaultButton::Refuse) {
        box->setDefaultButton(RefusingButton(request.buttons));
        box->setEscapeButton(RefusingButton(request.buttons));
    }
    return box;
}

app::MessageAnswer AnswerOf(const QMessageBox& box) {
    return box.clickedButton() ? AnswerOf(box.standardButton(box.clickedButton())) : app::MessageAnswer::Cancel;
}

app::MessageAnswer MessageBoxes::Show(const app::MessageBoxRequest& request) {
    if (boxScript_) return boxScript_(request);
    const auto box = MakeMessageBox(request, parent_);
    box->exec();
    return AnswerOf(*box);
}

std::filesystem::path MessageBoxes::StartFolder(const std::filesystem::path& requested) const {
    if (!lastFolder_.empty()) return lastFolder_;
    if (!requested.empty()) return requested;
    return QDir::homePath().toStdString();
}

std::optional<std::filesystem::path> MessageBoxes::ChooseFolder(const std::string& title,
                                                                const std::filesystem::path& startFolder) {
    const auto chosen = pathScript_ ? pathScript_(title)
                                    : PathOf(QFileDialog::getExistingDirectory(parent_, Text(title),
                                                                               Text(StartFolder(startFolder).string())));
    if (chosen) lastFolder_ = *chosen;
    return chosen;
}

std::optional<std::filesystem::path> MessageBoxes::ChooseFile(const app::FileChooserRequest& request) {
    const auto chosen = pathScript_ ? pathScript_(request.title) : PathOf(RunFileChooser(request));
    if (chosen) lastFolder_ = chosen->parent_path();
    return chosen;
}

QString MessageBoxes::RunFileChooser(const app::FileChooserRequest& request) const {
    const QString title = Text(request.title);
    const QString start = Text(StartFolder(request.startFolder).string());
    const QString filter = Text(request.filter);
    if (request.forSaving) return QFileDialog::getSaveFileName(parent_, title, start, filter);
    if (!request.newFileAllowed) return QFileDialog::getOpenFileName(parent_, title, start, filter);
    QFileDialog dialog(parent_, title, start, filter);
    dialog.setFileMode(QFileDialog::AnyFile);  // a name not there yet is taken too
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace tabvex::gui
