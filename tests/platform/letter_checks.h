#pragma once
// What every route to Writer must make of a letter, checked on the paragraphs read back.

#include <vector>

#include <QStringList>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest>

#include "tests/platform/odf_reading.h"

namespace vantrel::testing {

inline const QString kLaw = "Do what thou wilt shall be the whole of the Law.";
inline const QString kLove = "Love is the law, love under will.";

// The display as the main window fills it: one paragraph per line, in its own type.
inline void fillDisplay(QTextEdit& display, const QStringList& lines)
{
    display.clear();
    display.setReadOnly(true);
    QTextCursor cursor(display.document());
    QTextCharFormat format;
    format.setFontPointSize(12);
    format.setFontFamilies({"DejaVu Sans"});
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(lines[i], format);
    }
}

inline QStringList withGreetings(const QStringList& display)
{
    return display + QStringList{kLaw, kLove, QString()};
}

inline QStringList texts(const std::vector<ReadParagraph>& paragraphs)
{
    QStringList result;
    for (const ReadParagraph& paragraph : paragraphs)
        result << paragraph.text;
    return result;
}

// Rows: the display's lines, the index of the setting Lines, how many date lines it gives.
inline void addLayoutRows()
{
    QTest::addColumn<QStringList>("display");
    QTest::addColumn<int>("oLines");
    QTest::addColumn<int>("dateLines");

    const QString thelemic = "Anno IVviii Sol in Gemini, Luna in Leo";
    const QString civil = "Saturday, June 03, 2000 e.v. 8:03 PM";
    QTest::newRow("One Line") << QStringList{thelemic + " Dies Saturnii " + civil} << 0 << 1;
    QTest::newRow("Two Lines") << QStringList{thelemic + " Dies Saturnii", civil} << 1 << 2;
    QTest::newRow("Three Lines") << QStringList{thelemic, "Dies Saturnii", civil} << 2 << 3;
    // Blanks the date text may carry at its ends and the degree sign come through as they are.
    QTest::newRow("blanks and degrees") << QStringList{"An 4VIII Sol 13\u00b0 Gemini, Luna "
                                                       "5\u00b0 Leo Dies Saturnii 6/3/00 e.v. ",
                                                       " "}
                                        << 1 << 2;
}

// The date lines right-aligned at 8 points, the greetings centred at 10 points in italics,
// an empty paragraph last; the bookmarks at the document's start and at the second greeting.
inline void checkLayout(const std::vector<ReadParagraph>& paragraphs, const QStringList& display,
                        int dateLines)
{
    QCOMPARE(texts(paragraphs), withGreetings(display));
    for (int i = 0; i < dateLines; ++i) {
        const ReadParagraph& line = paragraphs[i];
        QCOMPARE(line.alignment, QString("end"));
        for (const auto& size : line.sizes())
            QCOMPARE(size, std::optional<double>(8));
        for (const auto& italic : line.italics())
            QVERIFY(!italic.value_or(false));
    }
    for (int i = dateLines; i < dateLines + 2; ++i) {
        const ReadParagraph& greeting = paragraphs[i];
        QCOMPARE(greeting.alignment, QString("center"));
        for (const auto& size : greeting.sizes())
            QCOMPARE(size, std::optional<double>(10));
        for (const auto& italic : greeting.italics())
            QCOMPARE(italic, std::optional<bool>(true));
    }
    const ReadParagraph& last = paragraphs.back();
    QVERIFY(last.alignment != "center" && last.alignment != "end");
    QVERIFY(!last.italic.value_or(false));
    QVERIFY(last.sizePoints != std::optional<double>(8) &&
            last.sizePoints != std::optional<double>(10));

    QCOMPARE(paragraphs.front().bookmarks.value("FirstRealPara", -1), 0);
    QCOMPARE(paragraphs[dateLines + 1].bookmarks.value("Bod", -1), 0);
}

}  // namespace vantrel::testing
