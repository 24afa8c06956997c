#pragma once
#include "core/ports/main_view.h"

namespace vantrel::ui {

class TVantrel;

// What the calculation writes, put into the main window's controls.
class MainViewAdapter : public core::MainView {
public:
    explicit MainViewAdapter(TVantrel& window) : m_window(window) {}

    void showStatusText(const std::string& text) override;
    void setDisplayLines(const std::vector<std::string>& lines) override;
    std::vector<std::string> displayLines() const override;
    void setMonthCalendarDate(core::DateTime date) override;
    void setCaption(const std::string& caption) override;
    bool isDataWindowShown() const override;
    void refreshDataWindow() override;
    void moveCaretToStart() override;

private:
    TVantrel& m_window;
};

}  // namespace vantrel::ui
