#include "core/batch/line_conversion.h"

#include <algorithm>

#include "core/batch/batch_date_time.h"
#include "core/batch/comma_text.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/places/place_texts.h"

namespace vantrel::core {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

const std::string& field(const std::vector<std::string>& fields, std::size_t index)
{
    if (index >= fields.size())
        throw VantrelError(formatMessage("List index out of bounds (%d)", std::to_string(index)));
    return fields[index];
}

void appendValue(std::string& out, std::string_view value)
{
    out += commaTextValue(value);
    out += ',';
}

}  // namespace

void LineMessages::add(bool error, const std::string& text)
{
    const bool told = std::any_of(m_messages.begin(), m_messages.end(), [&](const Message& m) {
        return m.error == error && m.text == text;
    });
    if (!told)
        m_messages.push_back({error, text});
}

LineConversion::LineConversion(const CalculationContext& context, const Settings& settings,
                               Date today, const PlaceLookup* places)
    : m_settings(settings), m_timeMode(settings.timeMode), m_today(today), m_places(places),
      m_calculator({m_settings, context.regional, context.zone, context.engine, m_view, m_clipboard,
                    m_messages}),
      m_place{settings.zone, settings.longitude, settings.latitude}
{
    m_calculator.setEngineFailures(EngineFailures::Throw);
}

void LineConversion::useZoneNear(Settings& settings, const std::optional<std::string>& zoneName)
{
    if (zoneName) {
        settings.timeMode = TimeMode::PlaceZone;
        settings.zoneName = *zoneName;
    } else {
        settings.timeMode = TimeMode::Standard;
    }
}

void LineConversion::putPlaceZone()
{
    if (m_timeMode != TimeMode::PlaceZone)
        return;
    std::optional<std::string> zoneName;
    if (m_places) {
        const auto key = std::make_pair(m_settings.longitude, m_settings.latitude);
        auto found = m_placeZones.find(key);
        if (found == m_placeZones.end())
            found = m_placeZones.emplace(key, zoneNameNear(*m_places, key.first, key.second)).first;
        zoneName = found->second;
    }
    useZoneNear(m_settings, zoneName);
}

void LineConversion::convert(std::string_view bytes, bool firstLine, std::string& output)
{
    if (firstLine && bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    const std::vector<std::string> fields = splitCommaText(utf8FromFileBytes(bytes));
    const std::string& dateText = field(fields, 2);
    const auto date = readBatchDate(dateText, m_calculator.context().regional, m_today);
    if (!date)
        throw VantrelError(formatMessage("'%s' is not a valid date", dateText));
    const std::string& timeText = field(fields, 3);
    const auto time = readBatchTime(timeText, m_calculator.context().regional);
    if (!time)
        throw VantrelError(formatMessage("'%s' is not a valid time", timeText));
    m_place = {field(fields, 4), field(fields, 5), field(fields, 6)};
    m_settings.zone = m_place.zone;
    m_settings.longitude = m_place.longitude;
    m_settings.latitude = m_place.latitude;
    putPlaceZone();
    m_moment = {*date, *time};
    m_calculator.calculateDate(m_moment);

    for (std::size_t i = 0; i < 7; ++i)
        appendValue(output, fields[i]);
    const ThelemicDate& result = m_calculator.thelemicDate();
    for (const std::string* piece :
         {&result.yearText, &result.sunText, &result.moonText, &result.dayName})
        appendValue(output, *piece);
    output += "\r\n";
}

}  // namespace vantrel::core
