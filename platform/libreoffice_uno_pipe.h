#pragma once
// Reaching an office over a UNO pipe. Needs the UNO SDK's headers (target vantrel_uno).

#include <QString>

#include <com/sun/star/uno/XComponentContext.hpp>

namespace vantrel::platform {

// The component context of the office accepting connections on the user's pipe `pipeName`;
// null when no office answers there. Throws css::uno::Exception on any other failure.
css::uno::Reference<css::uno::XComponentContext> officeOnPipe(const QString& pipeName);

}  // namespace vantrel::platform
