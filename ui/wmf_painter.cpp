#include "ui/wmf_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

#include "core/common/error.h"
#include "core/common/text_file.h"
#include "wmf/wmf_reader.h"

namespace vantrel::ui {
namespace {

// The text of a metafile's string, whose bytes are Windows-1252.
QString stringFromCp1252(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        // Every Windows-1252 character lies in the Basic Multilingual Plane.
        const char32_t cp = core::codePointFromWindows1252(static_cast<unsigned char>(c));
        text.append(QChar(static_cast<char16_t>(cp)));
    }
    return text;
}

QColor qColor(const wmf::Color& color)
{
    return QColor(color.red, color.green, color.blue);
}

QPen qPen(const wmf::Pen& pen)
{
    if (pen.style == wmf::PenStyle::Null)
        return QPen(Qt::NoPen);
    QPen result(qColor(pen.color));
    // Width 0 is one device pixel whatever the scale.
    result.setCosmetic(pen.width == 0);
    result.setWidth(pen.width == 0 ? 1 : pen.width);
    switch (pen.style) {
    case wmf::PenStyle::Dash:
        result.setStyle(Qt::DashLine);
        break;
    case wmf::PenStyle::Dot:
        result.setStyle(Qt::DotLine);
        break;
    case wmf::PenStyle::DashDot:
        result.setStyle(Qt::DashDotLine);
        break;
    case wmf::PenStyle::DashDotDot:
        result.setStyle(Qt::DashDotDotLine);
        break;
    default:
        result.setStyle(Qt::SolidLine);
        break;
    }
    return result;
}

QBrush qBrush(const wmf::Brush& brush)
{
    switch (brush.style) {
    case wmf::BrushStyle::Null:
        return QBrush(Qt::NoBrush);
    case wmf::BrushStyle::Hatched:
        return QBrush(qColor(brush.color), Qt::DiagCrossPattern);
    default:
        return QBrush(qColor(brush.color));
    }
}

QPolygon qPolygon(const std::vector<wmf::Point>& points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const wmf::Point& p : points)
        polygon.append(QPoint(p.x, p.y));
    return polygon;
}

QRect boxOf(const wmf::Point& a, const wmf::Point& b)
{
    return QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                 QPoint(std::max(a.x, b.x) - 1, std::max(a.y, b.y) - 1));
}

QRect pictureFrame(const wmf::Picture& picture)
{
    if (picture.boundsRight != picture.boundsLeft && picture.boundsBottom != picture.boundsTop)
        return QRect(QPoint(picture.boundsLeft, picture.boundsTop),
                     QPoint(picture.boundsRight - 1, picture.boundsBottom - 1));
    QPoint origin;
    for (const wmf::DrawCommand& command : picture.commands) {
        if (command.kind == wmf::CommandKind::SetWindowOrigin)
            origin = QPoint(command.point.x, command.point.y);
        if (command.kind == wmf::CommandKind::SetWindowExtent && command.point.x != 0 &&
            command.point.y != 0)
            return QRect(origin.x(), origin.y(), command.point.x, command.point.y);
    }
    QRect extent;
    for (const wmf::DrawCommand& command : picture.commands) {
        extent |= QRect(QPoint(command.point.x, command.point.y), QSize(1, 1));
        for (const wmf::Point& p : command.points)
            extent |= QRect(QPoint(p.x, p.y), QSize(1, 1));
    }
    return extent.isValid() ? extent : QRect(0, 0, 1, 1);
}

// The drawing state a metafile changes; SaveState and RestoreState push and pop all of it.
struct ReplayState {
    QRect window;
    QPen pen{QBrush(Qt::black), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin};
    QBrush brush{QColor(Qt::white)};
    wmf::Font font;
    QColor textColor{Qt::black};
    int textAlign = 0;
    bool opaqueText = true;
};

void drawText(QPainter& painter, const ReplayState& state, const wmf::DrawCommand& command)
{
    const QTransform toDevice = painter.combinedTransform();
    const QPointF anchor = toDevice.map(QPointF(command.point.x, command.point.y));
    const double scale = std::hypot(toDevice.m12(), toDevice.m22());
    // A negative height is the character height; a positive one the whole cell, of which
    // the character takes about four fifths.
    const double logicalHeight =
        state.font.height < 0 ? -state.font.height : state.font.height * 0.8;
    const int pixelSize = std::max(
        1, static_cast<int>(std::lround((logicalHeight > 0 ? logicalHeight : 12) * scale)));

    QFont font(state.font.face.empty() ? QString("Sans Serif")
                                       : QString::fromStdString(state.font.face));
    font.setPixelSize(pixelSize);
    font.setBold(state.font.weight >= 600);
    font.setItalic(state.font.italic);
    const QString text = stringFromCp1252(command.text);
    const QFontMetricsF metrics(font);

    double dx = 0;
    switch (state.textAlign & wmf::text_align::kHorizontalMask) {
    case wmf::text_align::kRight:
        dx = -metrics.horizontalAdvance(text);
        break;
    case wmf::text_align::kCenter:
        dx = -metrics.horizontalAdvance(text) / 2;
        break;
    default:
        break;
    }
    double dy = metrics.ascent();  // top alignment: the reference point is the cell's top
    switch (state.textAlign & wmf::text_align::kVerticalMask) {
    case wmf::text_align::kBaseline:
        dy = 0;
        break;
    case wmf::text_align::kBottom:
        dy = -metrics.descent();
        break;
    default:
        break;
    }

    painter.save();
    painter.resetTransform();
    painter.setViewTransformEnabled(false);
    painter.translate(anchor);
    if (state.font.escapementTenths != 0)
        painter.rotate(-state.font.escapementTenths / 10.0);
    painter.setFont(font);
    if (state.opaqueText) {
        const QRectF cell(dx, dy - metrics.ascent(), metrics.horizontalAdvance(text),
                          metrics.height());
        painter.fillRect(cell, painter.background());
    }
    painter.setPen(state.textColor);
    painter.drawText(QPointF(dx, dy), text);
    painter.restore();
}

}  // namespace

MetafilePicture MetafilePicture::fromBytes(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    wmf::ReadResult result = wmf::readPicture(
        std::span<const std::uint8_t>(data, static_cast<std::size_t>(bytes.size())));
    if (!result.ok)
        throw core::VantrelError(result.error);
    MetafilePicture picture;
    picture.m_bytes = bytes;
    picture.m_picture = std::make_shared<const wmf::Picture>(std::move(result.picture));
    picture.m_frame = pictureFrame(*picture.m_picture);
    return picture;
}

MetafilePicture MetafilePicture::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw core::VantrelError(core::formatMessage("Cannot open file %s", path.toStdString()));
    // One byte past the limit is enough for the reader to refuse an oversized file.
    const QByteArray bytes = file.read(static_cast<qint64>(wmf::kMaxPictureBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        throw core::VantrelError(core::formatMessage("Cannot open file %s", path.toStdString()));
    return fromBytes(bytes);
}

QRectF MetafilePicture::fittedInto(const QRectF& area) const
{
    if (m_frame.isEmpty() || area.isEmpty())
        return area;
    QSizeF size(m_frame.size());
    size.scale(area.size(), Qt::KeepAspectRatio);
    QRectF fitted(QPointF(), size);
    fitted.moveCenter(area.center());
    return fitted;
}

void MetafilePicture::paint(QPainter& painter, const QRectF& target) const
{
    if (!m_picture || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target);
    painter.setViewport(target.toAlignedRect());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setBackground(QColor(Qt::white));

    ReplayState state;
    state.window = m_frame;
    state.pen.setCosmetic(true);  // the default pen is one device pixel wide
    std::vector<ReplayState> saved;
    const auto applyState = [&painter](const ReplayState& s) {
        painter.setWindow(s.window);
        painter.setPen(s.pen);
        painter.setBrush(s.brush);
    };
    applyState(state);

    for (const wmf::DrawCommand& command : m_picture->commands) {
        switch (command.kind) {
        case wmf::CommandKind::SaveState:
            saved.push_back(state);
            break;
        case wmf::CommandKind::RestoreState:
            if (!saved.empty()) {
                state = saved.back();
                saved.pop_back();
                applyState(state);
            }
            break;
        case wmf::CommandKind::SetWindowOrigin:
            state.window.moveTopLeft(QPoint(command.point.x, command.point.y));
            painter.setWindow(state.window);
            break;
        case wmf::CommandKind::SetWindowExtent:
            if (command.point.x != 0 && command.point.y != 0) {
                state.window.setSize(QSize(command.point.x, command.point.y));
                painter.setWindow(state.window);
            }
            break;
        case wmf::CommandKind::SetBackgroundMode:
            state.opaqueText = command.value == 2;
            break;
        case wmf::CommandKind::SetTextColor:
            state.textColor = qColor(command.color);
            break;
        case wmf::CommandKind::SetTextAlign:
            state.textAlign = command.value;
            break;
        case wmf::CommandKind::SelectPen:
            state.pen = qPen(command.pen);
            painter.setPen(state.pen);
            break;
        case wmf::CommandKind::SelectBrush:
            state.brush = qBrush(command.brush);
            painter.setBrush(state.brush);
            break;
        case wmf::CommandKind::SelectFont:
            state.font = command.font;
            break;
        case wmf::CommandKind::Polyline:
            painter.drawPolyline(qPolygon(command.points));
            break;
        case wmf::CommandKind::Polygon:
            painter.drawPolygon(qPolygon(command.points));
            break;
        case wmf::CommandKind::Ellipse:
            painter.drawEllipse(boxOf(command.point, command.point2));
            break;
        case wmf::CommandKind::Rectangle:
            painter.drawRect(boxOf(command.point, command.point2));
            break;
        case wmf::CommandKind::Text:
            drawText(painter, state, command);
            break;
        }
    }
    painter.restore();
}

}  // namespace vantrel::ui
