#include "platform/libreoffice_link.h"

#include "platform/libreoffice_document.h"

#ifdef VANTREL_LETTER_THROUGH_UNO
#include <filesystem>
#include <system_error>

#include <QLibrary>
#include <QString>
#include <QtGlobal>
#endif

namespace vantrel::platform {

namespace {

#ifdef VANTREL_LETTER_THROUGH_UNO
using MakeUnoLink = core::DocumentAutomation* (*)();

// The module where the installation puts it relative to the executable, or beside the
// executable in a portable copy; empty when there is none.
QString unoModulePath()
{
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (const std::filesystem::path& candidate :
         {folder / "vantrel_letter_uno.so",
          folder / VANTREL_MODULES_FROM_BIN / "vantrel_letter_uno.so"}) {
        if (std::filesystem::is_regular_file(candidate, error))
            return QString::fromStdString(candidate.lexically_normal().string());
    }
    return {};
}

// The UNO link lives in a module of its own. The office's UNO libraries find the private
// libraries they stand on only in the office's program folder, so a program linked with them
// must name that folder in its library search path, which would then serve every library it
// loads. Loaded here from that folder, they are found there, and the module that needs them
// takes them as loaded. The program itself starts without them.
MakeUnoLink loadUnoModule()
{
    const QString path = unoModulePath();
    if (path.isEmpty())
        return nullptr;
    QLibrary runtime(QStringLiteral(VANTREL_LIBREOFFICE_PROGRAM_DIR "/libuno_cppuhelpergcc3.so.3"));
    if (!runtime.load()) {
        qWarning("Letter through a flat document: %s", qPrintable(runtime.errorString()));
        return nullptr;
    }
    QLibrary module(path);
    const auto make = reinterpret_cast<MakeUnoLink>(module.resolve("vantrelMakeUnoLink"));
    if (!make)
        qWarning("Letter through a flat document: %s", qPrintable(module.errorString()));
    return make;
}

MakeUnoLink unoModule()
{
    static const MakeUnoLink make = loadUnoModule();
    return make;
}
#endif

}  // namespace

std::unique_ptr<core::DocumentAutomation> makeLibreOfficeLink()
{
#ifdef VANTREL_LETTER_THROUGH_UNO
    if (const MakeUnoLink make = unoModule())
        return std::unique_ptr<core::DocumentAutomation>(make());
#endif
    return std::make_unique<LibreOfficeDocument>();
}

const char* letterRoute()
{
#ifdef VANTREL_LETTER_THROUGH_UNO
    if (unoModule())
        return "UNO";
#endif
    return "flat document";
}

}  // namespace vantrel::platform
