#pragma once
// Reads back what a word processor made of a letter: the paragraphs of a flat OpenDocument
// text file with their text, alignment, font sizes, italics and bookmarks, every style
// resolved through its parents to the document defaults.

#include <optional>
#include <vector>

#include <QMap>
#include <QString>
#include <QStringList>

namespace vantrel::testing {

struct ReadRun {
    QString text;
    std::optional<double> sizePoints;
    std::optional<bool> italic;
};

struct ReadParagraph {
    QString text;
    QString alignment;                 // "start", "center", "end", ... ("" when unset)
    std::optional<double> sizePoints;  // the paragraph's own (its mark's)
    std::optional<bool> italic;
    std::vector<ReadRun> runs;
    QMap<QString, int> bookmarks;  // name -> offset in the text

    // Sizes of every run with text, and the paragraph's own when it has none.
    std::vector<std::optional<double>> sizes() const;
    std::vector<std::optional<bool>> italics() const;
};

// Throws std::runtime_error when the file cannot be read or is not well-formed.
std::vector<ReadParagraph> readFlatOpenDocument(const QString& path);

// Converts `input` with a headless LibreOffice into `format` (for example "fodt") in
// `outputFolder`, with its own profile folder; returns the new file's path. Throws
// std::runtime_error with LibreOffice's output when the conversion fails.
QString convertWithLibreOffice(const QString& soffice, const QString& input, const QString& format,
                               const QString& outputFolder, const QString& profileFolder);

}  // namespace vantrel::testing
