#pragma once
// The one error type that carries a user-visible message to the place that reports it
// (a message box in the window, standard error on the command line).

#include <stdexcept>
#include <string>
#include <string_view>

namespace vantrel::core {

class VantrelError : public std::runtime_error {
public:
    explicit VantrelError(const std::string& message) : std::runtime_error(message) {}
};

// The text as it may safely stand in a message: control characters spelled out ("\t", "\r",
// "\n", "\x00"), so that none cuts the message short or breaks its lines.
std::string visibleText(std::string_view text);

// Replaces the first %s or %d in a message template by the given text, made visible.
std::string formatMessage(const std::string& messageTemplate, const std::string& value);

// The general error report's text: a full stop is added when the last character sorts after
// the full stop (letters and digits do).
std::string withFinalStop(const std::string& message);

}  // namespace vantrel::core
