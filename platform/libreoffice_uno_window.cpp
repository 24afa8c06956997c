#include "platform/libreoffice_uno_window.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <QGuiApplication>

#include <com/sun/star/awt/SystemDependentXWindow.hpp>
#include <com/sun/star/awt/XSystemDependentWindowPeer.hpp>
#include <com/sun/star/lang/SystemDependent.hpp>
#ifdef VANTREL_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace vantrel::platform {

namespace uno = css::uno;

namespace {

#ifdef VANTREL_WITH_XCB
// The X11 window of an office window; 0 when it has none.
std::uint32_t x11WindowOf(const uno::Reference<css::awt::XWindow>& window)
{
    const uno::Reference<css::awt::XSystemDependentWindowPeer> peer(window, uno::UNO_QUERY);
    if (!peer.is())
        return 0;
    const uno::Any handle = peer->getWindowHandle(uno::Sequence<sal_Int8>(),
                                                  css::lang::SystemDependent::SYSTEM_XWINDOW);
    css::awt::SystemDependentXWindow xWindow;
    sal_Int64 number = 0;
    if (handle >>= xWindow)
        return static_cast<std::uint32_t>(xWindow.WindowHandle);
    if (handle >>= number)
        return static_cast<std::uint32_t>(number);
    return 0;
}

template <class Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t xcbAtom(xcb_connection_t* connection, const char* name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Asks the X window manager to give the window the keyboard focus, on behalf of the user who
// asked for the letter a moment ago. The office's own request carries the time of its own last
// input, older than the user's click here, and a window manager that prevents focus stealing
// refuses it: the letter came up in front but the keys went on to this program.
void focusWindow(std::uint32_t windowId)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Qt's offscreen platform answers for X11 when a display is set, but without a connection.
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || windowId == 0)
        return;
    const xcb_atom_t wmState = xcbAtom(connection, "WM_STATE");
    const xcb_atom_t activeWindow = xcbAtom(connection, "_NET_ACTIVE_WINDOW");
    // The manager knows the window that carries WM_STATE: the office's own or an ancestor.
    xcb_window_t window = windowId;
    xcb_window_t root = XCB_NONE;
    for (int depth = 0; depth < 8; ++depth) {
        const XcbReply<xcb_get_property_reply_t> state(
            xcb_get_property_reply(
                connection, xcb_get_property(connection, 0, window, wmState, XCB_ATOM_ANY, 0, 0),
                nullptr),
            &std::free);
        const XcbReply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr),
            &std::free);
        if (!tree)
            return;
        root = tree->root;
        if ((state && state->type != XCB_ATOM_NONE) || tree->parent == root)
            break;
        window = tree->parent;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = activeWindow;
    event.data.data32[0] = 2;  // on the user's behalf, as a task bar asks
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}
#endif

}  // namespace

void focusOnX11([[maybe_unused]] const uno::Reference<css::awt::XWindow>& window)
{
#ifdef VANTREL_WITH_XCB
    focusWindow(x11WindowOf(window));
#endif
}

}  // namespace vantrel::platform
