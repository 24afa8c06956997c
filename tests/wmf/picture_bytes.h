#pragma once
// Metafiles built record by record, for the shapes the writer never makes: the most objects
// or drawing commands per byte (the reader's tests, its benchmark).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "wmf/wmf_records.h"

namespace vantrel::testing {

class PictureBytes {
public:
    PictureBytes()
    {
        put16(1);  // memory metafile
        put16(9);  // header words
        put16(0x0300);
        put32(0);  // size, not checked by the reader
        put16(0);  // objects
        put32(0);
        put16(0);
    }
    void record(std::uint16_t function, const std::vector<std::uint16_t>& words)
    {
        put32(static_cast<std::uint32_t>(3 + words.size()));
        put16(function);
        for (const std::uint16_t word : words)
            put16(word);
    }
    void pen(std::uint16_t red) { record(wmf::record::kCreatePenIndirect, {0, 1, 0, red, 0}); }
    std::size_t size() const { return m_bytes.size(); }
    std::vector<std::uint8_t> finished()
    {
        std::vector<std::uint8_t> bytes = m_bytes;
        const std::uint8_t eof[] = {3, 0, 0, 0, 0, 0};
        bytes.insert(bytes.end(), eof, eof + 6);
        return bytes;
    }

private:
    void put16(std::uint16_t v)
    {
        m_bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void put32(std::uint32_t v)
    {
        put16(static_cast<std::uint16_t>(v & 0xFFFF));
        put16(static_cast<std::uint16_t>(v >> 16));
    }
    std::vector<std::uint8_t> m_bytes;
};

// Pens created and never deleted, until the picture holds about `bytes` bytes: each creation
// looks for the lowest free slot of the object table.
inline std::vector<std::uint8_t> manyObjects(std::size_t bytes)
{
    PictureBytes picture;
    for (std::uint16_t i = 0; picture.size() < bytes; ++i)
        picture.pen(i);
    return picture.finished();
}

// A pen selected over and over, and lines drawn with it: the most drawing commands per byte
// that the picture can make.
inline std::vector<std::uint8_t> manyCommands(std::size_t bytes)
{
    PictureBytes picture;
    picture.pen(255);
    for (std::uint16_t i = 0; picture.size() < bytes; ++i) {
        picture.record(wmf::record::kSelectObject, {0});
        picture.record(wmf::record::kPolyline,
                       {2, 0, i, 7680, static_cast<std::uint16_t>(5760 - i)});
    }
    return picture.finished();
}

}  // namespace vantrel::testing
