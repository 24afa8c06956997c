#pragma once
// The message of an error a call is expected to raise, so that a test compares it in one line.

#include <string>
#include <utility>

#include "core/common/error.h"

namespace vantrel::testing {

// What `action` throws as an `Error`, or "(no error)" when it returns normally.
template <class Error = core::VantrelError, class Action> std::string errorText(Action&& action)
{
    try {
        std::forward<Action>(action)();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

}  // namespace vantrel::testing
