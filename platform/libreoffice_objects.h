#pragma once
// The references a word-processor link hands to the core: plain numbers, each standing for one
// object of one kind, kept until the connection is dropped.

#include <cstdint>
#include <map>
#include <utility>
#include <variant>

#include "core/ports/document_automation.h"

namespace vantrel::platform {

// `Object` is a std::variant of the kinds a link hands out.
template <class Object> class AutomationObjects {
public:
    template <class Kind> std::uint64_t hand(Kind object)
    {
        m_objects.emplace(++m_lastId, Object(std::move(object)));
        return m_lastId;
    }

    // The object behind `id`; throws AutomationError when it is unknown or of another kind.
    template <class Kind> const Kind& lookUp(std::uint64_t id) const
    {
        const auto found = m_objects.find(id);
        if (found == m_objects.end() || !std::holds_alternative<Kind>(found->second))
            throw core::AutomationError("The object is not connected to the word processor");
        return std::get<Kind>(found->second);
    }

    void clear() { m_objects.clear(); }

private:
    std::map<std::uint64_t, Object> m_objects;
    std::uint64_t m_lastId = 0;
};

}  // namespace vantrel::platform
