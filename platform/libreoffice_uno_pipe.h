#pragma once
// Reaching an office over a UNO pipe. Needs the UNO SDK's headers (target vantrel_uno).

#include <QString>

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace vantrel::platform {

struct OfficeConnection {
    css::uno::Reference<css::uno::XComponentContext> context;  // the office's
    css::uno::Reference<css::lang::XComponent> bridge;         // disposing it cuts the line
};

// What an office is given to accept connections on the user's pipe `pipeName`.
QString unoAcceptString(const QString& pipeName);

// The office accepting connections on the user's pipe `pipeName`; an empty context when no
// office answers there. Throws css::uno::Exception on any other failure.
OfficeConnection officeOnPipe(const QString& pipeName);

}  // namespace vantrel::platform
