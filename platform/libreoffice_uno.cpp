#include "platform/libreoffice_uno.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>
#include <variant>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/awt/FontUnderline.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <cppuhelper/exc_hlp.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include "platform/libreoffice_objects.h"
#include "platform/libreoffice_uno_pipe.h"
#include "platform/libreoffice_uno_window.h"

namespace vantrel::platform {

using core::AutomationError;
using rtl::OString;
using rtl::OUString;
namespace uno = css::uno;
namespace text = css::text;
namespace beans = css::beans;

namespace {

OUString unoText(const std::string& value)
{
    return OUString(value.data(), static_cast<sal_Int32>(value.size()), RTL_TEXTENCODING_UTF8);
}

OUString unoText(const QString& value)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(value.utf16()),
                    static_cast<sal_Int32>(value.size()));
}

std::string utf8(const OUString& value)
{
    const OString bytes = OUStringToOString(value, RTL_TEXTENCODING_UTF8);
    return std::string(bytes.getStr(), static_cast<std::size_t>(bytes.getLength()));
}

// The office went away during a call, or was on its way out when it was reached.
class ConnectionLost : public AutomationError {
public:
    ConnectionLost() : AutomationError("The connection to the word processor was lost") {}
};

// Makes a UNO call; a failure becomes an AutomationError with the office's own text.
template <class Call> auto guarded(Call call) -> decltype(call())
{
    try {
        return call();
    } catch (const css::lang::DisposedException&) {
        throw ConnectionLost();
    } catch (const uno::Exception& error) {
        std::string message = utf8(error.Message);
        if (message.empty())
            message = "The word processor refused the call (" +
                      utf8(cppu::getCaughtException().getValueTypeName()) + ")";
        throw AutomationError(message);
    }
}

// While this program waits for the office, it goes on answering what the desktop asks of it
// without the user: above all the office's questions about the clipboard, which this program
// owns after a letter. A newly started office asks them while it opens its first document, and
// would wait for ever for a program that waits for it. The user's input, timers and sockets
// wait until the letter is done.
void serveDesktop()
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && QThread::currentThread() == application->thread())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::X11ExcludeTimers);
}

void pauseServingDesktop(std::chrono::milliseconds pause)
{
    const QDeadlineTimer deadline(pause);
    do {
        serveDesktop();
        QThread::msleep(10);
    } while (!deadline.hasExpired());
}

// Makes the call on a thread of its own and waits at most `seconds` for it. An office that
// does not answer (one stuck behind a dialog of its own, say) must not freeze this program:
// past the limit the connection is cut, which ends the waiting call with an error.
template <class Call>
auto callWithin(const uno::Reference<css::lang::XComponent>& bridge, int seconds, Call call)
    -> decltype(call())
{
    std::packaged_task<decltype(call())()> task([&call] { return guarded(call); });
    auto result = task.get_future();
    std::thread worker(std::move(task));
    const QDeadlineTimer deadline(std::chrono::seconds{seconds});
    while (result.wait_for(std::chrono::milliseconds(10)) == std::future_status::timeout) {
        if (deadline.hasExpired()) {
            try {
                bridge->dispose();
            } catch (...) {
                // The line is cut either way.
            }
            worker.join();
            throw AutomationError("The word processor did not answer within " +
                                  std::to_string(seconds) + " seconds");
        }
        serveDesktop();
    }
    worker.join();
    return result.get();
}

// Told by the office when its desktop ends, as when the user quits it: from then on the
// connection leads nowhere, even while the office still answers on its way out.
class EndOfOffice : public cppu::WeakImplHelper1<css::frame::XTerminateListener> {
public:
    bool ended() const { return m_ended; }

    void SAL_CALL queryTermination(const css::lang::EventObject&) override {}
    void SAL_CALL notifyTermination(const css::lang::EventObject&) override { m_ended = true; }
    void SAL_CALL disposing(const css::lang::EventObject&) override { m_ended = true; }

private:
    std::atomic<bool> m_ended{false};
};

template <class Interface>
uno::Reference<text::XTextRange> asRange(const uno::Reference<Interface>& r)
{
    return uno::Reference<text::XTextRange>(r.get());
}

uno::Reference<text::XTextViewCursor>
viewCursor(const uno::Reference<text::XTextDocument>& document)
{
    const uno::Reference<text::XTextViewCursorSupplier> supplier(document->getCurrentController(),
                                                                 uno::UNO_QUERY_THROW);
    return supplier->getViewCursor();
}

css::style::ParagraphAdjust unoAdjust(core::ParagraphAlignment alignment)
{
    switch (alignment) {
    case core::ParagraphAlignment::Center:
        return css::style::ParagraphAdjust_CENTER;
    case core::ParagraphAlignment::Right:
        return css::style::ParagraphAdjust_RIGHT;
    case core::ParagraphAlignment::Justify:
        return css::style::ParagraphAdjust_BLOCK;
    case core::ParagraphAlignment::Left:
        break;
    }
    return css::style::ParagraphAdjust_LEFT;
}

// A font property set alike for Western text and for Asian and complex scripts.
void setForEveryScript(const uno::Reference<beans::XPropertySet>& properties, const OUString& name,
                       const uno::Any& value)
{
    properties->setPropertyValue(name, value);
    properties->setPropertyValue(name + "Asian", value);
    properties->setPropertyValue(name + "Complex", value);
}

// The character properties a pasted format may set; reset before it is applied, so that
// pasted text does not take the format of the paragraph it was pasted into.
const char* const kPastedCharProperties[] = {
    "CharHeight",        "CharHeightAsian",    "CharHeightComplex", "CharPosture",
    "CharPostureAsian",  "CharPostureComplex", "CharWeight",        "CharWeightAsian",
    "CharWeightComplex", "CharUnderline",      "CharFontName",      "CharColor"};

void applyCharFormat(const uno::Reference<beans::XPropertySet>& properties,
                     const CharFormat& format)
{
    if (format.sizePoints)
        setForEveryScript(properties, "CharHeight",
                          uno::Any(static_cast<float>(*format.sizePoints)));
    if (format.italic)
        setForEveryScript(
            properties, "CharPosture",
            uno::Any(*format.italic ? css::awt::FontSlant_ITALIC : css::awt::FontSlant_NONE));
    if (format.bold)
        setForEveryScript(
            properties, "CharWeight",
            uno::Any(*format.bold ? css::awt::FontWeight::BOLD : css::awt::FontWeight::NORMAL));
    if (format.underline)
        properties->setPropertyValue("CharUnderline",
                                     uno::Any(*format.underline ? css::awt::FontUnderline::SINGLE
                                                                : css::awt::FontUnderline::NONE));
    if (format.family)
        properties->setPropertyValue("CharFontName", uno::Any(unoText(*format.family)));
    if (format.color)
        properties->setPropertyValue("CharColor",
                                     uno::Any(static_cast<sal_Int32>(
                                         QStringView(*format.color).mid(1).toUInt(nullptr, 16))));
}

// Characters as the office's cursors count them: code points.
sal_Int16 codePoints(const QString& value)
{
    sal_Int16 count = 0;
    for (const QChar c : value)
        if (!c.isLowSurrogate())
            ++count;
    return count;
}

// `cursor` spans one whole pasted paragraph.
void formatPastedParagraph(const uno::Reference<text::XTextCursor>& cursor,
                           const Paragraph& paragraph)
{
    const uno::Reference<beans::XPropertySet> properties(cursor, uno::UNO_QUERY_THROW);
    const uno::Reference<beans::XPropertyState> state(cursor, uno::UNO_QUERY_THROW);
    for (const char* name : kPastedCharProperties)
        state->setPropertyToDefault(OUString::createFromAscii(name));
    properties->setPropertyValue("ParaAdjust", uno::Any(unoAdjust(paragraph.alignment)));
    applyCharFormat(properties, paragraph.markFormat);
    cursor->collapseToStart();
    for (const TextRun& run : paragraph.runs) {
        cursor->goRight(codePoints(run.text), true);
        applyCharFormat(properties, run.format);
        cursor->collapseToEnd();
    }
}

// The pasted paragraphs replace `range`, each ending with its own mark.
void insertParagraphs(const uno::Reference<text::XTextRange>& range,
                      const std::vector<Paragraph>& pasted)
{
    const uno::Reference<text::XText> text = range->getText();
    const uno::Reference<text::XTextCursor> cursor = text->createTextCursorByRange(range);
    const uno::Reference<text::XParagraphCursor> paragraphs(cursor, uno::UNO_QUERY_THROW);
    cursor->setString(OUString());
    for (const Paragraph& paragraph : pasted) {
        text->insertString(asRange(cursor), unoText(paragraph.text()), false);
        text->insertControlCharacter(asRange(cursor), text::ControlCharacter::PARAGRAPH_BREAK,
                                     false);
        cursor->goLeft(1, false);
        paragraphs->gotoStartOfParagraph(true);
        formatPastedParagraph(cursor, paragraph);
        paragraphs->gotoEndOfParagraph(false);
        cursor->goRight(1, false);
    }
}

}  // namespace

// What a reference stands for: an object of the office, kept under the kind of reference that
// was handed out for it.
template <class Ref, class Interface> struct Held {
    uno::Reference<Interface> object;
};
struct ApplicationObject {};
using DocumentObject = Held<core::DocumentRef, text::XTextDocument>;
using SelectionObject = Held<core::SelectionRef, text::XTextDocument>;
using ParagraphObject = Held<core::ParagraphRef, text::XTextRange>;
using FormatObject = Held<core::ParagraphFormatRef, beans::XPropertySet>;
using RangeObject = Held<core::RangeRef, text::XTextRange>;
using FontObject = Held<core::FontRef, beans::XPropertySet>;
using BookmarkObject = Held<core::BookmarkRef, text::XTextContent>;

struct LibreOfficeUno::Office {
    // Letting go cuts the line: the office keeps no object of this program alive through it.
    ~Office()
    {
        try {
            if (bridge.is())
                bridge->dispose();
        } catch (...) {
            // A line that is down already.
        }
    }

    uno::Reference<css::lang::XComponent> bridge;
    int callSeconds = 30;
    uno::Reference<css::frame::XDesktop2> desktop;
    rtl::Reference<EndOfOffice> end = new EndOfOffice;
    // The document added last: the active one, whose view cursor is the selection.
    uno::Reference<text::XTextDocument> active;
    bool visible = false;
    AutomationObjects<
        std::variant<ApplicationObject, DocumentObject, SelectionObject, ParagraphObject,
                     FormatObject, RangeObject, FontObject, BookmarkObject>>
        objects;

    template <class Call> auto call(Call c) const { return callWithin(bridge, callSeconds, c); }
    template <class Kind> const Kind& lookUp(std::uint64_t id) const
    {
        return objects.template lookUp<Kind>(id);
    }
    const uno::Reference<text::XTextDocument>& activeDocument() const
    {
        if (!active.is())
            throw AutomationError("This command is not available because no document is open");
        return active;
    }
};

LibreOfficeUno::LibreOfficeUno(LibreOfficeOptions options) : m_options(std::move(options))
{
    if (!m_options.clipboard)
        m_options.clipboard = systemClipboardContent;
}

LibreOfficeUno::~LibreOfficeUno() = default;

LibreOfficeUno::Office& LibreOfficeUno::office() const
{
    if (!m_office)
        throw AutomationError("The word processor is not connected");
    return *m_office;
}

void LibreOfficeUno::startOffice()
{
    const QString program = findLibreOffice(m_options);
    if (program.isEmpty())
        throw AutomationError(libreOfficeNotFoundMessage(m_options));
    // An office that already runs for the user takes these arguments over and opens the pipe;
    // otherwise this one becomes the office. It outlives this program, and its chatter stays
    // off the terminal.
    QProcess process;
    process.setProgram(program);
    process.setArguments(
        QStringList{"--accept=" + unoAcceptString(m_options.pipeName), "--nologo", "--nodefault"} +
        m_options.officeArguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        throw AutomationError(
            ("Cannot start the word processor " + program + ": " + process.errorString())
                .toStdString());
    m_startedProgram = program;
    m_startedOffice = pid;
}

void LibreOfficeUno::reachOffice(Office& office)
{
    const QDeadlineTimer deadline(std::chrono::seconds(m_options.startSeconds));
    bool started = false;
    for (;;) {
        try {
            const OfficeConnection line =
                guarded([this] { return officeOnPipe(m_options.pipeName); });
            if (line.context.is()) {
                office.bridge = line.bridge;
                office.desktop =
                    office.call([&line] { return css::frame::Desktop::create(line.context); });
                office.call([&office] { office.desktop->addTerminateListener(office.end.get()); });
                return;
            }
            if (!started) {
                startOffice();
                started = true;
            }
        } catch (const ConnectionLost&) {
            // An office on its way out, one the user has just quit, still took the call: it is
            // let go, and an office started once it has gone.
        }
        if (deadline.hasExpired())
            throw AutomationError(
                (started ? "The word processor " + m_startedProgram + " did not answer"
                         : QString("The word processor that was closed did not end"))
                    .toStdString() +
                " within " + std::to_string(m_options.startSeconds) + " seconds");
        pauseServingDesktop(std::chrono::milliseconds(100));
    }
}

core::ApplicationRef LibreOfficeUno::connect()
{
    auto connected = std::make_unique<Office>();
    connected->callSeconds = m_options.callSeconds;
    reachOffice(*connected);
    m_office = std::move(connected);
    return {m_office->objects.hand(ApplicationObject{})};
}

void LibreOfficeUno::disconnect(core::ApplicationRef)
{
    try {
        m_office.reset();
    } catch (...) {
        // Letting go of a dead connection's objects must not fail the caller.
    }
}

void LibreOfficeUno::setVisible(core::ApplicationRef application, bool visible)
{
    Office& connected = office();
    connected.lookUp<ApplicationObject>(application.id);
    // The first call of each letter: the user may have quit the office since the last one.
    if (connected.end->ended())
        throw AutomationError("The word processor has been closed");
    connected.call([&connected] { return connected.desktop->getCurrentComponent(); });
    connected.visible = visible;
}

core::DocumentRef LibreOfficeUno::addDocument(core::ApplicationRef application)
{
    Office& connected = office();
    connected.lookUp<ApplicationObject>(application.id);
    // The document is made hidden, and shown by present() when it is complete: an office opening
    // a visible document from this call builds its menus there, asking the desktop's clipboard
    // for what could be pasted, and a newly started office has been seen to hang in that.
    const uno::Reference<text::XTextDocument> document = office().call([&connected] {
        beans::PropertyValue hidden;
        hidden.Name = "Hidden";
        hidden.Value <<= true;
        const uno::Reference<css::lang::XComponent> component =
            connected.desktop->loadComponentFromURL(
                "private:factory/swriter", "_blank", 0,
                uno::Sequence<beans::PropertyValue>(&hidden, 1));
        return uno::Reference<text::XTextDocument>(component, uno::UNO_QUERY);
    });
    if (!document.is())
        throw AutomationError("The word processor did not create a text document. " +
                              writerMissingAdvice());
    connected.active = document;
    return {connected.objects.hand(DocumentObject{document})};
}

void LibreOfficeUno::addBookmark(core::DocumentRef document, const std::string& name)
{
    Office& connected = office();
    const uno::Reference<text::XTextDocument> target =
        connected.lookUp<DocumentObject>(document.id).object;
    if (target != connected.activeDocument())
        throw AutomationError("A bookmark without a range goes into the active document only");
    office().call([&] {
        const uno::Reference<css::lang::XMultiServiceFactory> factory(target, uno::UNO_QUERY_THROW);
        const uno::Reference<text::XTextContent> mark(
            factory->createInstance("com.sun.star.text.Bookmark"), uno::UNO_QUERY_THROW);
        uno::Reference<css::container::XNamed>(mark, uno::UNO_QUERY_THROW)->setName(unoText(name));
        target->getText()->insertTextContent(asRange(viewCursor(target)), mark, false);
    });
}

core::BookmarkRef LibreOfficeUno::bookmark(core::DocumentRef document, const std::string& name)
{
    Office& connected = office();
    const uno::Reference<text::XTextDocument> target =
        connected.lookUp<DocumentObject>(document.id).object;
    const uno::Reference<text::XTextContent> mark = office().call([&] {
        const uno::Reference<css::container::XNameAccess> marks =
            uno::Reference<text::XBookmarksSupplier>(target, uno::UNO_QUERY_THROW)->getBookmarks();
        if (!marks->hasByName(unoText(name)))
            return uno::Reference<text::XTextContent>();
        return uno::Reference<text::XTextContent>(marks->getByName(unoText(name)),
                                                  uno::UNO_QUERY_THROW);
    });
    if (!mark.is())
        throw AutomationError("The requested member of the collection does not exist: bookmark \"" +
                              name + "\"");
    return {connected.objects.hand(BookmarkObject{mark})};
}

core::SelectionRef LibreOfficeUno::selection(core::ApplicationRef application)
{
    Office& connected = office();
    connected.lookUp<ApplicationObject>(application.id);
    return {connected.objects.hand(SelectionObject{connected.activeDocument()})};
}

void LibreOfficeUno::typeText(core::SelectionRef selection, const std::string& typed)
{
    const uno::Reference<text::XTextDocument> document =
        office().lookUp<SelectionObject>(selection.id).object;
    office().call([&] {
        document->getText()->insertString(asRange(viewCursor(document)), unoText(typed), false);
    });
}

void LibreOfficeUno::typeParagraph(core::SelectionRef selection)
{
    const uno::Reference<text::XTextDocument> document =
        office().lookUp<SelectionObject>(selection.id).object;
    office().call([&] {
        document->getText()->insertControlCharacter(asRange(viewCursor(document)),
                                                    text::ControlCharacter::PARAGRAPH_BREAK, false);
    });
}

core::ParagraphRef LibreOfficeUno::paragraph(core::DocumentRef document, int index)
{
    Office& connected = office();
    const uno::Reference<text::XTextDocument> target =
        connected.lookUp<DocumentObject>(document.id).object;
    int count = 0;
    const uno::Reference<text::XTextRange> found = office().call([&] {
        uno::Reference<text::XTextRange> result;
        const uno::Reference<css::container::XEnumerationAccess> paragraphs(target->getText(),
                                                                            uno::UNO_QUERY_THROW);
        const uno::Reference<css::container::XEnumeration> each = paragraphs->createEnumeration();
        while (each->hasMoreElements()) {
            const uno::Reference<text::XTextRange> next(each->nextElement(), uno::UNO_QUERY);
            if (++count == index)
                result = next;
        }
        return result;
    });
    if (!found.is())
        throw AutomationError("The requested member of the collection does not exist: paragraph " +
                              std::to_string(index) + " of " + std::to_string(count));
    return {connected.objects.hand(ParagraphObject{found})};
}

core::ParagraphFormatRef LibreOfficeUno::paragraphFormat(core::ParagraphRef paragraph)
{
    Office& connected = office();
    const uno::Reference<text::XTextRange> target =
        connected.lookUp<ParagraphObject>(paragraph.id).object;
    return {connected.objects.hand(FormatObject{office().call(
        [&] { return uno::Reference<beans::XPropertySet>(target, uno::UNO_QUERY_THROW); })})};
}

core::RangeRef LibreOfficeUno::range(core::ParagraphRef paragraph)
{
    Office& connected = office();
    return {connected.objects.hand(
        RangeObject{connected.lookUp<ParagraphObject>(paragraph.id).object})};
}

core::RangeRef LibreOfficeUno::range(core::BookmarkRef bookmark)
{
    Office& connected = office();
    const uno::Reference<text::XTextContent> mark =
        connected.lookUp<BookmarkObject>(bookmark.id).object;
    return {
        connected.objects.hand(RangeObject{office().call([&mark] { return mark->getAnchor(); })})};
}

core::FontRef LibreOfficeUno::font(core::SelectionRef selection)
{
    Office& connected = office();
    const uno::Reference<text::XTextDocument> document =
        connected.lookUp<SelectionObject>(selection.id).object;
    return {connected.objects.hand(FontObject{office().call([&document] {
        return uno::Reference<beans::XPropertySet>(viewCursor(document), uno::UNO_QUERY_THROW);
    })})};
}

core::FontRef LibreOfficeUno::font(core::RangeRef range)
{
    Office& connected = office();
    const uno::Reference<text::XTextRange> target = connected.lookUp<RangeObject>(range.id).object;
    return {connected.objects.hand(FontObject{office().call([&target] {
        return uno::Reference<beans::XPropertySet>(
            target->getText()->createTextCursorByRange(target), uno::UNO_QUERY_THROW);
    })})};
}

void LibreOfficeUno::setAlignment(core::ParagraphFormatRef format,
                                  core::ParagraphAlignment alignment)
{
    const uno::Reference<beans::XPropertySet> properties =
        office().lookUp<FormatObject>(format.id).object;
    office().call(
        [&] { properties->setPropertyValue("ParaAdjust", uno::Any(unoAdjust(alignment))); });
}

void LibreOfficeUno::applyFont(core::FontRef font, const CharFormat& format)
{
    const uno::Reference<beans::XPropertySet> properties =
        office().lookUp<FontObject>(font.id).object;
    office().call([&] { applyCharFormat(properties, format); });
}

void LibreOfficeUno::setSize(core::FontRef font, double points)
{
    CharFormat format;
    format.sizePoints = points;
    applyFont(font, format);
}

void LibreOfficeUno::setItalic(core::FontRef font, bool italic)
{
    CharFormat format;
    format.italic = italic;
    applyFont(font, format);
}

void LibreOfficeUno::pasteSpecial(core::RangeRef range, core::PasteDataType dataType)
{
    const uno::Reference<text::XTextRange> target = office().lookUp<RangeObject>(range.id).object;
    // Read here and inserted through the link: the office's own paste would ask this program
    // for the clipboard while it waits for the office, and wait for ever.
    const std::vector<Paragraph> pasted = pastedParagraphs(m_options.clipboard(), dataType);
    office().call([&] { insertParagraphs(target, pasted); });
}

void LibreOfficeUno::present(core::DocumentRef document)
{
    Office& connected = office();
    const uno::Reference<text::XTextDocument> target =
        connected.lookUp<DocumentObject>(document.id).object;
    office().call([&] {
        // The user goes on typing in the empty last paragraph.
        viewCursor(target)->gotoEnd(false);
        if (!connected.visible)
            return;
        const uno::Reference<css::frame::XFrame> frame = target->getCurrentController()->getFrame();
        const uno::Reference<css::awt::XWindow> window = frame->getContainerWindow();
        window->setVisible(true);
        if (const uno::Reference<css::awt::XTopWindow> top{window, uno::UNO_QUERY}; top.is())
            top->toFront();
        frame->activate();
        window->setFocus();
        focusOnX11(window);
    });
}

}  // namespace vantrel::platform
