#pragma once
// The month calendar of the main window: each day with a feast in bold and in a colour of its
// own, the Moon's phase drawn on the days it falls on, and each day's events with their local
// times and its Thelemic date in the day's tool tip.

#include <QCalendarWidget>
#include <QColor>
#include <QMap>

namespace vantrel::ui {

class YearCalendars;

class MonthCalendar : public QCalendarWidget {
    Q_OBJECT

public:
    // `years` must outlive the calendar; null shows bare days.
    explicit MonthCalendar(YearCalendars* years, QWidget* parent = nullptr);

    // The feasts' colour: dark on a light background, light on a dark one.
    QColor feastColor() const;
    // The Moon's phase drawn on a day of the page shown, 0 New Moon .. 3 Last Quarter; -1 for
    // none.
    int moonPhaseOn(QDate date) const { return m_phases.value(date, -1); }

public slots:
    // Marks the days of the page shown (and the neighbouring months' days it shows) afresh.
    void markDays();

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    void changeEvent(QEvent* event) override;

private:
    YearCalendars* m_years;
    QMap<QDate, int> m_phases;
};

// Draws the Moon's phase 0 (New Moon) to 3 (Last Quarter) as a small disc in `box`: its lit part
// pale, its dark part dark, both outlined in `outline`, so that it reads on any background.
void paintMoonPhase(QPainter& painter, const QRectF& box, int phase, const QColor& outline);

}  // namespace vantrel::ui
