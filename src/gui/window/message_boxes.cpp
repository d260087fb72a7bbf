#include "gui/window/message_boxes.h"

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

std::optional<std::filesystem::path> MessageBoxes::ChooseFolder(const std::string& title,
                                                                const std::filesystem::path& startFolder) {
    if (pathScript_) return pathScript_(title);
    return PathOf(QFileDialog::getExistingDirectory(parent_, Text(title), Text(startFolder.string())));
}

std::optional<std::filesystem::path> MessageBoxes::ChooseFile(const app::FileChooserRequest& request) {
    if (pathScript_) return pathScript_(request.title);
    const QString start = Text(request.startFolder.string());
    const QString filter = Text(request.filter);
    return PathOf(request.forSaving ? QFileDialog::getSaveFileName(parent_, Text(request.title), start, filter)
                                    : QFileDialog::getOpenFileName(parent_, Text(request.title), start, filter));
}

}  // namespace tabvex::gui
