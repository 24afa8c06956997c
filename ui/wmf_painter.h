#pragma once
// A metafile picture as the wheel window holds it: the file's own bytes (saved again
// unchanged) and the drawing they decode to, replayed on a QPainter.

#include <memory>

#include <QByteArray>
#include <QRect>
#include <QString>

class QPainter;

namespace vantrel::wmf {
struct Picture;
}

namespace vantrel::ui {

class MetafilePicture {
public:
    MetafilePicture() = default;

    // Decodes a metafile held in memory. Throws core::VantrelError with the reader's text
    // when the bytes are not a metafile the reader accepts.
    static MetafilePicture fromBytes(const QByteArray& bytes);
    // Reads and decodes a file. Throws core::VantrelError: "Cannot open file %s" when the
    // file cannot be read, otherwise the reader's text.
    static MetafilePicture fromFile(const QString& path);

    bool isNull() const { return !m_picture; }
    const QByteArray& bytes() const { return m_bytes; }
    // The picture's own frame in logical units (placeable bounds, else the first window set by
    // the picture, else the extent of everything it draws).
    QRect frame() const { return m_frame; }

    // Draws the picture stretched onto target (device coordinates of the painter).
    void paint(QPainter& painter, const QRectF& target) const;
    // The largest rectangle of the picture's own shape (the aspect ratio of its frame) inside
    // `area`, centred in it; `area` itself when the picture has no frame.
    QRectF fittedInto(const QRectF& area) const;

private:
    QByteArray m_bytes;
    std::shared_ptr<const wmf::Picture> m_picture;
    QRect m_frame;
};

}  // namespace vantrel::ui
