#pragma once
// What the calculation writes into the main window.

#include <string>
#include <vector>

#include "core/common/date_time.h"

namespace vantrel::core {

class MainView {
public:
    virtual ~MainView() = default;
    // Replaces the display by a short status text and repaints at once ("- Please wait -").
    virtual void showStatusText(const std::string& text) = 0;
    virtual void setDisplayLines(const std::vector<std::string>& lines) = 0;
    virtual std::vector<std::string> displayLines() const = 0;
    virtual void setMonthCalendarDate(Date date) = 0;
    // The window caption and the application title.
    virtual void setCaption(const std::string& caption) = 0;
    virtual bool isDataWindowShown() const = 0;
    // Refills the data window from the listings; called only while it is shown.
    virtual void refreshDataWindow() = 0;
    virtual void moveCaretToStart() = 0;
};

// A view that ignores everything; for command-line modes and tests that do not look.
class NullMainView : public MainView {
public:
    void showStatusText(const std::string& text) override { m_lines = {text}; }
    void setDisplayLines(const std::vector<std::string>& lines) override { m_lines = lines; }
    std::vector<std::string> displayLines() const override { return m_lines; }
    void setMonthCalendarDate(Date) override {}
    void setCaption(const std::string&) override {}
    bool isDataWindowShown() const override { return false; }
    void refreshDataWindow() override {}
    void moveCaretToStart() override {}

private:
    std::vector<std::string> m_lines;
};

}  // namespace vantrel::core
