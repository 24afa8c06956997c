#pragma once
// One line of a batch conversion: its fields read, its calculation run on a copy of the
// settings with the line's own place, its output line built. Each worker of a conversion has
// one; nothing in it is shared with another.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/date_time.h"
#include "core/ports/clipboard.h"
#include "core/ports/main_view.h"
#include "core/ports/messages.h"
#include "core/settings/settings.h"
#include "core/thelemic/calculation.h"

namespace vantrel::core {

class PlaceLookup;

// The location texts of a line.
struct LinePlace {
    std::string zone;
    std::string longitude;
    std::string latitude;
};

// The messages a line's calculation told, each once.
class LineMessages : public Messages {
public:
    struct Message {
        bool error;
        std::string text;
    };
    void showError(const std::string& text) override { add(true, text); }
    void showMessage(const std::string& text) override { add(false, text); }
    std::vector<Message> take() { return std::exchange(m_messages, {}); }

private:
    void add(bool error, const std::string& text);
    std::vector<Message> m_messages;
};

class LineConversion {
public:
    // context: the regional settings, the zone rules and the engine of the conversion (its
    // settings, view, clipboard and messages are not used); settings: copied, the line's place
    // put into the copy; today: for dates without a year; places: the place of each line's
    // coordinates under "Place's Time Zone" (null: none is known).
    LineConversion(const CalculationContext& context, const Settings& settings, Date today,
                   const PlaceLookup* places);
    LineConversion(const LineConversion&) = delete;
    LineConversion& operator=(const LineConversion&) = delete;

    // Converts a line (as read, the file's first one without its byte-order mark) and appends
    // its output line. Throws VantrelError with the message the user sees (without the file's
    // name and the line's number) or EngineError; either way place() says what the line put.
    void convert(std::string_view bytes, bool firstLine, std::string& output);

    const LinePlace& place() const { return m_place; }
    const LocalDateTime& moment() const { return m_moment; }
    std::vector<LineMessages::Message> takeMessages() { return m_messages.take(); }

    // Under "Place's Time Zone" a line is read in the tz zone of the place nearest to its own
    // coordinates (zoneName), or, when none is near, in its zone text as standard time.
    static void useZoneNear(Settings& settings, const std::optional<std::string>& zoneName);

private:
    void putPlaceZone();

    Settings m_settings;
    const TimeMode m_timeMode;
    const Date m_today;
    const PlaceLookup* m_places;
    NullMainView m_view;
    NullClipboard m_clipboard;
    LineMessages m_messages;
    Calculator m_calculator;
    LinePlace m_place;
    LocalDateTime m_moment;
    // Zones of the places near the coordinates met so far, by longitude and latitude text.
    std::map<std::pair<std::string, std::string>, std::optional<std::string>> m_placeZones;
};

}  // namespace vantrel::core
