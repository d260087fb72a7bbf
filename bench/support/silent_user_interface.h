// A window that draws nothing and agrees to every question, so that benchmarks
// measure only the program's own work.
#pragma once

#include "app/user_interface.h"

namespace tabvex::bench {

class SilentUserInterface : public app::UserInterface {
public:
    void ShowOutputLine(const app::OutputLine&) override {}
    void ShowTip(const std::string&, const std::string&) override {}
    void ShowTipsPage(bool) override {}
    void SetStatusText(app::StatusPane, const std::string&) override {}
    app::MessageAnswer ShowMessageBox(const app::MessageBoxRequest&) override { return app::MessageAnswer::Ok; }
    std::optional<std::filesystem::path> ChooseFolder(const std::string&, const std::filesystem::path&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseFile(const app::FileChooserRequest&) override { return std::nullopt; }
    void RedrawTree(app::TreeSide) override {}
    void RebuildTaskList() override {}
    void ShowStartStopButton(const app::StartStopButton&) override {}
    void PostCommand(int) override {}
};

}  // namespace tabvex::bench
