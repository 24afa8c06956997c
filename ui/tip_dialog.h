#pragma once
// The start-up dialog with a tip or a verse of the day. It stays on top, does not block the
// other windows and is discarded when closed. Its parts are found by their objectNames
// ("TipLabel", "ShowTips", "NextButton").

#include <string>
#include <vector>

#include <QDialog>

#include "core/texts/daily_tips.h"

class QLabel;
class QPushButton;

namespace vantrel::ui {

class TipDialog : public QDialog {
    Q_OBJECT

public:
    // showOnStartup: the main window's flag, changed at once by the check box.
    TipDialog(core::DailyTips tips, bool& showOnStartup, QWidget* parent = nullptr);

    const std::vector<std::string>& tipList() const { return m_tips.tipList(); }
    int currentTip() const { return m_tips.currentTip(); }
    // A value past the last entry stores 0; -1 means none. The label follows at once.
    void setCurrentTip(int index);
    // The main window's step: one entry on, wrapping to the first.
    void advance();

    // "&Next Tip": one entry on (wrapping to the first), then the main window's own step.
    void showNextTip();

signals:
    // Asks the main window for its next-tip step.
    void nextTipRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCurrent();

    core::DailyTips m_tips;
    bool& m_showOnStartup;
    QLabel* m_tipLabel = nullptr;         // TipLabel
    QPushButton* m_nextButton = nullptr;  // NextButton
};

}  // namespace vantrel::ui
