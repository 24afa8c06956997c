#include "platform/libreoffice_uno_pipe.h"

#include <csignal>

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

namespace vantrel::platform {

namespace uno = css::uno;

namespace {

uno::Reference<uno::XComponentContext> localContext()
{
    static const uno::Reference<uno::XComponentContext> context = [] {
        // The office's end closes the pipe under a write: that must fail the call, not end
        // this program.
        std::signal(SIGPIPE, SIG_IGN);
        // The proxies of the office's objects need the office's interface types besides the
        // runtime's own.
        rtl::Bootstrap::set("URE_MORE_TYPES",
                            "file://" VANTREL_LIBREOFFICE_PROGRAM_DIR "/types/offapi.rdb");
        return cppu::defaultBootstrap_InitialComponentContext(
            "file://" VANTREL_LIBREOFFICE_PROGRAM_DIR "/unorc");
    }();
    return context;
}

}  // namespace

QString unoAcceptString(const QString& pipeName)
{
    return "pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext";
}

OfficeConnection officeOnPipe(const QString& pipeName)
{
    const uno::Reference<uno::XComponentContext> local = localContext();
    uno::Reference<css::connection::XConnection> line;
    try {
        line = css::connection::Connector::create(local)->connect(
            rtl::OUString(reinterpret_cast<const sal_Unicode*>(("pipe,name=" + pipeName).utf16())));
    } catch (const css::connection::NoConnectException&) {
        return {};
    }
    const uno::Reference<css::bridge::XBridge> bridge =
        css::bridge::BridgeFactory::create(local)->createBridge(rtl::OUString(), "urp", line,
                                                                nullptr);
    return {uno::Reference<uno::XComponentContext>(
                bridge->getInstance("StarOffice.ComponentContext"), uno::UNO_QUERY_THROW),
            uno::Reference<css::lang::XComponent>(bridge, uno::UNO_QUERY_THROW)};
}

}  // namespace vantrel::platform
