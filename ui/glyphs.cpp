#include "ui/glyphs.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include "ui/resources.h"

namespace vantrel::ui {

namespace {

// Outlines on a 16 by 16 grid.
const char* outline(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Calculate:  // an equals sign on a key
        return R"(<rect x="1.5" y="1.5" width="13" height="13" rx="2" fill="#e8eef8" stroke="#3a5a8c"/>
                  <rect x="4" y="5" width="8" height="1.8" fill="#1d3557"/>
                  <rect x="4" y="9.2" width="8" height="1.8" fill="#1d3557"/>)";
    case Glyph::Now:  // a clock face
        return R"(<circle cx="8" cy="8" r="6.5" fill="#fff7e0" stroke="#8c6a1d"/>
                  <path d="M8 3.5V8l3 2" fill="none" stroke="#1d1d1d" stroke-width="1.4" stroke-linecap="round"/>)";
    case Glyph::Clipboard:
        return R"(<rect x="2.5" y="2.5" width="11" height="12.5" rx="1" fill="#d9b47a" stroke="#6b4a1d"/>
                  <rect x="4.5" y="4.5" width="7" height="8.5" fill="#ffffff" stroke="#8a8a8a" stroke-width="0.6"/>
                  <rect x="5.5" y="1" width="5" height="3" rx="0.8" fill="#9aa4ad" stroke="#4a4f55" stroke-width="0.6"/>
                  <path d="M6 7h4M6 9h4M6 11h3" stroke="#555" stroke-width="0.8"/>)";
    case Glyph::EngineOutput:  // a page of listing lines
        return R"(<path d="M3 1.5h7l3 3v10h-10z" fill="#ffffff" stroke="#4a4f55"/>
                  <path d="M10 1.5v3h3" fill="none" stroke="#4a4f55"/>
                  <path d="M5 6.5h6M5 8.5h6M5 10.5h6M5 12.5h4" stroke="#2b6cb0" stroke-width="0.9"/>)";
    case Glyph::PlanetaryHours:  // a day and night dial
        return R"(<circle cx="8" cy="8" r="6.5" fill="#1d3557" stroke="#0d1b2a"/>
                  <path d="M8 1.5a6.5 6.5 0 0 1 0 13z" fill="#ffd166"/>
                  <path d="M8 1.5V14.5M1.5 8H14.5M3.4 3.4l9.2 9.2M12.6 3.4l-9.2 9.2" stroke="#ffffff" stroke-width="0.5" opacity="0.8"/>)";
    case Glyph::Options:  // a gear
        return R"(<path d="M8 1l1.2 2 2.2-.7.3 2.3 2.1 1-1 2.1 1.3 1.9-2.1 1 .1 2.3-2.3-.2L8 15l-1.2-2-2.2.7-.3-2.3-2.1-1 1-2.1L1.9 6.4l2.1-1-.1-2.3 2.3.2z" fill="#aab4be" stroke="#3d464f" stroke-width="0.8"/>
                  <circle cx="8" cy="8" r="2.3" fill="#f4f6f8" stroke="#3d464f" stroke-width="0.8"/>)";
    case Glyph::Alarm:  // a bell
        return R"(<path d="M8 2c-2.6 0-4 2-4 4.5V10l-1.5 2h11L12 10V6.5C12 4 10.6 2 8 2z" fill="#f2c14e" stroke="#7a5a10"/>
                  <circle cx="8" cy="13.6" r="1.4" fill="#7a5a10"/>)";
    case Glyph::Verse:  // an open book
        return R"(<path d="M1 3.5c2.5-1 5-1 7 .8v10c-2-1.5-4.5-1.5-7-.6z" fill="#fdfaf0" stroke="#6b3a1d"/>
                  <path d="M15 3.5c-2.5-1-5-1-7 .8v10c2-1.5 4.5-1.5 7-.6z" fill="#fdfaf0" stroke="#6b3a1d"/>
                  <path d="M3 6h3.5M3 8h3.5M9.5 6H13M9.5 8H13" stroke="#8a6a4a" stroke-width="0.7"/>)";
    case Glyph::Program:  // the Sun with a crescent Moon before it
    case Glyph::Tray:
        return R"(<circle cx="8" cy="8" r="7" fill="#ffd166" stroke="#b7791f"/>
                  <path d="M8 1.2v2M8 12.8v2M1.2 8h2M12.8 8h2" stroke="#b7791f" stroke-width="0.8"/>
                  <path d="M10.6 4.2a4.4 4.4 0 1 0 0 7.6a3.6 3.6 0 1 1 0-7.6z" fill="#1d3557"/>)";
    case Glyph::LightBulb:
        return R"(<path d="M8 1.2a4.6 4.6 0 0 0-2.7 8.3c.5.4.9 1 .9 1.6v.8h3.6v-.8c0-.6.4-1.2.9-1.6A4.6 4.6 0 0 0 8 1.2z" fill="#fff3a0" stroke="#8c7a10" stroke-width="0.8"/>
                  <rect x="6" y="12.4" width="4" height="1.2" fill="#9aa4ad" stroke="#4a4f55" stroke-width="0.5"/>
                  <rect x="6.5" y="13.8" width="3" height="1.2" rx="0.5" fill="#9aa4ad" stroke="#4a4f55" stroke-width="0.5"/>)";
    }
    return "";
}

// The program's installed icon set, where it has the picture.
QString resourceFor(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Calculate:
        return QStringLiteral(":/vantrel/icons/calculate.svg");
    case Glyph::Now:
        return QStringLiteral(":/vantrel/icons/now.svg");
    case Glyph::Clipboard:
        return QStringLiteral(":/vantrel/icons/copy.svg");
    case Glyph::EngineOutput:
        return QStringLiteral(":/vantrel/icons/output.svg");
    case Glyph::PlanetaryHours:
        return QStringLiteral(":/vantrel/icons/hours.svg");
    case Glyph::Options:
        return QStringLiteral(":/vantrel/icons/options.svg");
    case Glyph::Alarm:
        return QStringLiteral(":/vantrel/icons/alarm.svg");
    case Glyph::Verse:
        return QStringLiteral(":/vantrel/icons/verse.svg");
    case Glyph::Program:
        return QStringLiteral(":/vantrel/icons/vantrel.svg");
    case Glyph::Tray:
        return QStringLiteral(":/vantrel/icons/vantrel-tray.svg");
    case Glyph::LightBulb:
        return {};
    }
    return {};
}

QByteArray svgFor(Glyph glyph)
{
    loadResources();
    const QString resource = resourceFor(glyph);
    if (!resource.isEmpty()) {
        QFile file(resource);
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return QByteArray(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 16 16">)") +
           outline(glyph) + "</svg>";
}

}  // namespace

QPixmap glyphPixmap(Glyph glyph, int sizePx)
{
    QSvgRenderer renderer(svgFor(glyph));
    QPixmap pixmap(sizePx, sizePx);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon glyphIcon(Glyph glyph)
{
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64})
        icon.addPixmap(glyphPixmap(glyph, size));
    return icon;
}

}  // namespace vantrel::ui
