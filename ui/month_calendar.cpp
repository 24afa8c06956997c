#include "ui/month_calendar.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextCharFormat>

#include "core/calendar/year_calendar.h"
#include "ui/qt_date_time.h"
#include "ui/year_calendars.h"

namespace vantrel::ui {

namespace {

// Enough days before and after the month for every day a page shows (six weeks at most).
constexpr int kDaysShownBefore = 7;
constexpr int kDaysShownAfter = 14;

const QColor kLitMoon(250, 240, 200);
const QColor kDarkMoon(55, 55, 70);

QString joinedLines(const std::vector<std::string>& lines)
{
    QStringList joined;
    for (const std::string& line : lines)
        joined << QString::fromStdString(line);
    return joined.join('\n');
}

}  // namespace

void paintMoonPhase(QPainter& painter, const QRectF& box, int phase, const QColor& outline)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(phase == 0 ? kDarkMoon : kLitMoon);
    painter.drawEllipse(box);
    if (phase == 1 || phase == 3) {
        // The first quarter is lit on its right (as seen from the north), the last on its left:
        // the other half is dark.
        QPainterPath dark;
        dark.moveTo(box.center());
        dark.arcTo(box, phase == 1 ? 90 : -90, 180);
        dark.closeSubpath();
        painter.setBrush(kDarkMoon);
        painter.drawPath(dark);
    }
    painter.restore();
}

MonthCalendar::MonthCalendar(YearCalendars* years, QWidget* parent)
    : QCalendarWidget(parent), m_years(years)
{
    connect(this, &QCalendarWidget::currentPageChanged, this, &MonthCalendar::markDays);
    if (m_years)
        connect(m_years, &YearCalendars::changed, this, &MonthCalendar::markDays);
    markDays();
}

QColor MonthCalendar::feastColor() const
{
    const bool darkBackground = palette().color(QPalette::Base).lightness() < 128;
    return darkBackground ? QColor(255, 143, 184) : QColor(176, 18, 74);
}

void MonthCalendar::markDays()
{
    setDateTextFormat(QDate(), QTextCharFormat());
    m_phases.clear();
    if (!m_years)
        return;
    const QDate first = QDate(yearShown(), monthShown(), 1);
    const QDate last = first.addMonths(1).addDays(kDaysShownAfter);
    for (QDate day = first.addDays(-kDaysShownBefore); day < last; day = day.addDays(1)) {
        QTextCharFormat format;
        const core::Date date = dateFromQt(day);
        const core::YearCalendar* calendar = m_years->calendarFor(date.year());
        if (!calendar) {
            format.setToolTip(QString::fromStdString(m_years->problem()));
            setDateTextFormat(day, format);
            continue;
        }
        for (const core::CalendarEvent& event : calendar->eventsOn(date)) {
            if (event.category == core::CalendarEvent::Category::Feast) {
                format.setFontWeight(QFont::Bold);
                format.setForeground(feastColor());
            } else if (event.category == core::CalendarEvent::Category::Moon) {
                m_phases.insert(day, event.index);
            }
        }
        format.setToolTip(joinedLines(core::dayToolTipLines(*calendar, date, m_years->regional())));
        setDateTextFormat(day, format);
    }
}

void MonthCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    // The options change the settings in place; the marks follow at the next painting.
    if (m_years)
        m_years->followSettings();
    const int phase = moonPhaseOn(date);
    if (phase < 0)
        return;
    // Just right of the day's number, level with the top of its figures.
    const QFontMetrics metrics(font());
    const int numberWidth = metrics.horizontalAdvance(QString::number(date.day()));
    const qreal size = std::max(6, metrics.capHeight() * 4 / 5);
    const QRectF box(rect.center().x() + numberWidth / 2.0 + 2,
                     rect.center().y() - metrics.capHeight() / 2.0 - size / 3, size, size);
    paintMoonPhase(*painter, box, phase, palette().color(QPalette::Text));
}

void MonthCalendar::changeEvent(QEvent* event)
{
    QCalendarWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        markDays();
}

}  // namespace vantrel::ui
