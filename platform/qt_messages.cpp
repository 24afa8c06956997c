#include "platform/qt_messages.h"

#include <iostream>

#include <QMessageBox>

#include "core/common/error.h"

namespace vantrel::platform {

namespace {
const QString kTitle = QStringLiteral("Vantrel");
}

void QtMessages::showError(const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, kTitle,
                    QString::fromStdString(core::withFinalStop(text)), QMessageBox::Ok, m_parent);
    box.exec();
}

void QtMessages::showMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, QString::fromStdString(text), QMessageBox::Ok,
                    m_parent);
    box.exec();
}

ConsoleMessages::ConsoleMessages() : m_out(std::cerr) {}

void ConsoleMessages::showError(const std::string& text)
{
    m_out << core::withFinalStop(text) << '\n' << std::flush;
}

void ConsoleMessages::showMessage(const std::string& text)
{
    m_out << text << '\n' << std::flush;
}

}  // namespace vantrel::platform
