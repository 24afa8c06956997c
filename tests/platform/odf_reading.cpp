#include "tests/platform/odf_reading.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <QXmlStreamReader>

namespace vantrel::testing {

namespace {

const QString kStyleNs = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
const QString kTextNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
const QString kFoNs = "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";

struct Style {
    QString parent;
    QString alignment;
    std::optional<double> sizePoints;
    std::optional<bool> italic;
};

struct Styles {
    QMap<QString, Style> paragraph;  // named paragraph styles, common and automatic
    QMap<QString, Style> text;
    Style paragraphDefault;

    template <class Field>
    auto resolve(const QMap<QString, Style>& family, QString name, Field field) const
    {
        for (int depth = 0; depth < 20 && family.contains(name); ++depth) {
            const Style& style = family[name];
            if (const auto value = field(style); value != decltype(value){})
                return value;
            name = style.parent;
        }
        return field(paragraphDefault);
    }
};

std::optional<double> pointsOf(const QString& value)
{
    if (!value.endsWith("pt"))
        return std::nullopt;
    bool ok = false;
    const double points = value.chopped(2).toDouble(&ok);
    return ok ? std::optional<double>(points) : std::nullopt;
}

void readProperties(const QXmlStreamReader& xml, Style& style)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (xml.name() == QLatin1String("paragraph-properties") &&
        attributes.hasAttribute(kFoNs, "text-align"))
        style.alignment = attributes.value(kFoNs, "text-align").toString();
    if (xml.name() == QLatin1String("text-properties")) {
        if (attributes.hasAttribute(kFoNs, "font-size"))
            style.sizePoints = pointsOf(attributes.value(kFoNs, "font-size").toString());
        if (attributes.hasAttribute(kFoNs, "font-style"))
            style.italic = attributes.value(kFoNs, "font-style") == QLatin1String("italic");
    }
}

struct Reader {
    QXmlStreamReader& xml;
    Styles styles;
    std::vector<ReadParagraph> paragraphs;

    void readStyle(bool isDefault)
    {
        const QString family = xml.attributes().value(kStyleNs, "family").toString();
        const QString name = xml.attributes().value(kStyleNs, "name").toString();
        Style style;
        style.parent = xml.attributes().value(kStyleNs, "parent-style-name").toString();
        const QString element = xml.name().toString();
        while (!(xml.isEndElement() && xml.name() == element) && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement())
                readProperties(xml, style);
        }
        if (isDefault && family == "paragraph")
            styles.paragraphDefault = style;
        else if (family == "paragraph")
            styles.paragraph[name] = style;
        else if (family == "text")
            styles.text[name] = style;
    }

    void readParagraph()
    {
        ReadParagraph paragraph;
        const QString styleName = xml.attributes().value(kTextNs, "style-name").toString();
        auto paragraphValue = [&](auto field) {
            return styles.resolve(styles.paragraph, styleName, field);
        };
        paragraph.alignment = paragraphValue([](const Style& s) { return s.alignment; });
        paragraph.sizePoints = paragraphValue([](const Style& s) { return s.sizePoints; });
        paragraph.italic = paragraphValue([](const Style& s) { return s.italic; });

        QStringList spanStyles;
        auto addText = [&](const QString& text) {
            if (text.isEmpty())
                return;
            ReadRun run{text, paragraph.sizePoints, paragraph.italic};
            for (const QString& span : spanStyles) {
                const Style& style = styles.text.value(span);
                if (style.sizePoints)
                    run.sizePoints = style.sizePoints;
                if (style.italic)
                    run.italic = style.italic;
            }
            paragraph.text += text;
            paragraph.runs.push_back(run);
        };
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isCharacters()) {
                // Blanks in character data collapse: one at the start of the paragraph or
                // after another blank is dropped, as a word processor reads them.
                QString collapsed;
                for (const QChar c : xml.text()) {
                    const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
                    const QString before = paragraph.text + collapsed;
                    if (blank && (before.isEmpty() || before.back() == ' '))
                        continue;
                    collapsed += blank ? QChar(' ') : c;
                }
                addText(collapsed);
            } else if (xml.isStartElement()) {
                ++depth;
                const QString name = xml.name().toString();
                if (name == "span")
                    spanStyles << xml.attributes().value(kTextNs, "style-name").toString();
                else if (name == "s")
                    addText(QString(xml.attributes().value(kTextNs, "c").isEmpty()
                                        ? 1
                                        : xml.attributes().value(kTextNs, "c").toInt(),
                                    ' '));
                else if (name == "tab")
                    addText("\t");
                else if (name == "line-break")
                    addText("\n");
                else if (name == "bookmark" || name == "bookmark-start")
                    paragraph.bookmarks[xml.attributes().value(kTextNs, "name").toString()] =
                        static_cast<int>(paragraph.text.size());
            } else if (xml.isEndElement()) {
                --depth;
                if (xml.name() == QLatin1String("span") && !spanStyles.isEmpty())
                    spanStyles.removeLast();
            }
        }
        paragraphs.push_back(paragraph);
    }
};

}  // namespace

std::vector<std::optional<double>> ReadParagraph::sizes() const
{
    std::vector<std::optional<double>> result;
    for (const ReadRun& run : runs)
        result.push_back(run.sizePoints);
    if (result.empty())
        result.push_back(sizePoints);
    return result;
}

std::vector<std::optional<bool>> ReadParagraph::italics() const
{
    std::vector<std::optional<bool>> result;
    for (const ReadRun& run : runs)
        result.push_back(run.italic);
    if (result.empty())
        result.push_back(italic);
    return result;
}

std::vector<ReadParagraph> readFlatOpenDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot open " + path.toStdString());
    QXmlStreamReader xml(&file);
    Reader reader{xml, {}, {}};
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.namespaceUri() == kStyleNs && xml.name() == QLatin1String("default-style"))
            reader.readStyle(true);
        else if (xml.namespaceUri() == kStyleNs && xml.name() == QLatin1String("style"))
            reader.readStyle(false);
        else if (xml.namespaceUri() == kTextNs &&
                 (xml.name() == QLatin1String("p") || xml.name() == QLatin1String("h")))
            reader.readParagraph();
    }
    if (xml.hasError())
        throw std::runtime_error("Not well-formed: " + path.toStdString() + ": " +
                                 xml.errorString().toStdString());
    return reader.paragraphs;
}

QString convertWithLibreOffice(const QString& soffice, const QString& input, const QString& format,
                               const QString& outputFolder, const QString& profileFolder)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(soffice,
                  {"-env:UserInstallation=" + QUrl::fromLocalFile(profileFolder).toString(),
                   "--headless", "--norestore", "--convert-to", format, "--outdir", outputFolder,
                   input});
    const bool finished = process.waitForFinished(180000);
    const QString output = QString::fromLocal8Bit(process.readAll());
    const QString converted =
        QDir(outputFolder).filePath(QFileInfo(input).completeBaseName() + "." + format);
    if (!finished || process.exitCode() != 0 || !QFileInfo::exists(converted))
        throw std::runtime_error("LibreOffice could not convert " + input.toStdString() + ": " +
                                 output.toStdString());
    return converted;
}

}  // namespace vantrel::testing
