#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace vantrel::platform {

void QtClipboard::setText(const std::string& plainText)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(plainText));
}

void QtClipboard::setRichText(const std::string& html, const std::string& plainText)
{
    auto* data = new QMimeData;  // the clipboard takes ownership
    data->setHtml(QString::fromStdString(html));
    data->setText(QString::fromStdString(plainText));
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace vantrel::platform
