#pragma once
// A word processor that logs every call as the object path it was made on, and can be told to
// fail at any call.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/ports/date_display.h"
#include "core/ports/document_automation.h"

namespace vantrel::testing {

class RecordingAutomation : public core::DocumentAutomation {
public:
    std::vector<std::string> log;
    // The call with this number (0 = the first call ever made) throws instead.
    int failAtCall = -1;
    // Every call whose log line this accepts throws instead.
    std::function<bool(const std::string&)> failWhen;
    // The word processor went away: every call but connect and disconnect throws.
    bool gone = false;
    std::string connectError;  // connect throws this text when not empty
    int connects = 0;
    int documentsAdded = 0;

    core::ApplicationRef connect() override
    {
        call("connect");
        if (!connectError.empty())
            throw core::AutomationError(connectError);
        ++connects;
        gone = false;
        m_connected = true;
        return {make("App")};
    }
    void disconnect(core::ApplicationRef application) override
    {
        log.push_back("disconnect " + path(application.id));
        m_connected = false;
    }
    void setVisible(core::ApplicationRef application, bool visible) override
    {
        call(path(application.id) + ".Visible = " + (visible ? "true" : "false"));
    }
    core::DocumentRef addDocument(core::ApplicationRef application) override
    {
        call(path(application.id) + ".Documents.Add");
        return {make("Doc" + std::to_string(++documentsAdded))};
    }
    void addBookmark(core::DocumentRef document, const std::string& name) override
    {
        call(path(document.id) + ".Bookmarks.Add(" + name + ")");
    }
    core::BookmarkRef bookmark(core::DocumentRef document, const std::string& name) override
    {
        call(path(document.id) + ".Bookmarks.Item(" + name + ")");
        return {make(path(document.id) + ".Bookmarks(" + name + ")")};
    }
    core::SelectionRef selection(core::ApplicationRef application) override
    {
        call(path(application.id) + ".Selection");
        return {make(path(application.id) + ".Selection")};
    }
    void typeText(core::SelectionRef selection, const std::string& text) override
    {
        call(path(selection.id) + ".TypeText(" + text + ")");
    }
    void typeParagraph(core::SelectionRef selection) override
    {
        call(path(selection.id) + ".TypeParagraph");
    }
    core::ParagraphRef paragraph(core::DocumentRef document, int index) override
    {
        const std::string n = std::to_string(index);
        call(path(document.id) + ".Paragraphs.Item(" + n + ")");
        return {make(path(document.id) + ".Paragraphs(" + n + ")")};
    }
    core::ParagraphFormatRef paragraphFormat(core::ParagraphRef paragraph) override
    {
        return {get(paragraph.id, ".Format")};
    }
    core::RangeRef range(core::ParagraphRef paragraph) override
    {
        return {get(paragraph.id, ".Range")};
    }
    core::RangeRef range(core::BookmarkRef bookmark) override
    {
        return {get(bookmark.id, ".Range")};
    }
    core::FontRef font(core::SelectionRef selection) override
    {
        return {get(selection.id, ".Font")};
    }
    core::FontRef font(core::RangeRef range) override { return {get(range.id, ".Font")}; }
    void setAlignment(core::ParagraphFormatRef format, core::ParagraphAlignment alignment) override
    {
        call(path(format.id) + ".Alignment = " + std::to_string(static_cast<int>(alignment)));
    }
    void setSize(core::FontRef font, double points) override
    {
        call(path(font.id) + ".Size = " + std::to_string(static_cast<int>(points)));
    }
    void setItalic(core::FontRef font, bool italic) override
    {
        call(path(font.id) + ".Italic = " + (italic ? "1" : "0"));
    }
    void pasteSpecial(core::RangeRef range, core::PasteDataType dataType) override
    {
        call(path(range.id) + ".PasteSpecial(" + std::to_string(static_cast<int>(dataType)) + ")");
    }
    void present(core::DocumentRef document) override { call("present " + path(document.id)); }

    // The log line of a call that was made; throws if the call is to fail. Calls on a dropped
    // connection are a fault of the caller and are logged as such.
    void call(const std::string& line)
    {
        const int number = m_calls++;
        const bool isConnect = line == "connect";
        log.push_back(!isConnect && !m_connected ? "NOT CONNECTED: " + line : line);
        if (number == failAtCall || (failWhen && failWhen(line)) || (gone && !isConnect))
            throw core::AutomationError("call failed: " + line);
    }
    int callsMade() const { return m_calls; }

private:
    std::uint64_t make(const std::string& objectPath)
    {
        m_paths[++m_lastId] = objectPath;
        return m_lastId;
    }
    std::string path(std::uint64_t id) const
    {
        const auto found = m_paths.find(id);
        return found == m_paths.end() ? "<unknown " + std::to_string(id) + ">" : found->second;
    }
    std::uint64_t get(std::uint64_t id, const std::string& property)
    {
        call(path(id) + property);
        return make(path(id) + property);
    }

    std::map<std::uint64_t, std::string> m_paths;
    std::uint64_t m_lastId = 0;
    int m_calls = 0;
    bool m_connected = false;
};

// A date display that logs its copy into the same log as the word processor.
class RecordingDateDisplay : public core::DateDisplay {
public:
    explicit RecordingDateDisplay(RecordingAutomation& automation) : m_automation(automation) {}
    int copyAllAsRichText() override
    {
        m_automation.call("display: copy all as rich text");
        return lines;
    }
    int lines = 3;  // lines in the display

private:
    RecordingAutomation& m_automation;
};

}  // namespace vantrel::testing
