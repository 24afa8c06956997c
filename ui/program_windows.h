#pragma once
// All windows of the program and the commands that join them, created once in their fixed
// order: the main window, the data window, the planetary-hours window, the options dialog, the
// wheel-chart window and the Year window (the About box is made when it is asked for).

#include <memory>

#include "ui/main_window.h"

namespace vantrel::ui {

class AlarmController;
class BatchCommand;
class DialogWindows;
class LetterCommand;
class HoursWindow;
class YearWindow;

class ProgramWindows {
public:
    // The main window's services, whose references must outlive this object.
    explicit ProgramWindows(MainWindowServices services);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    MainWindow& main() { return *m_main; }
    DialogWindows& dialogs() { return *m_dialogs; }
    HoursWindow& hours() { return *m_hours; }
    YearWindow& year() { return *m_year; }

private:
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<DialogWindows> m_dialogs;
    std::unique_ptr<HoursWindow> m_hours;
    std::unique_ptr<YearWindow> m_year;
    std::unique_ptr<AlarmController> m_alarm;
    std::unique_ptr<BatchCommand> m_batch;
    std::unique_ptr<LetterCommand> m_letter;
};

}  // namespace vantrel::ui
