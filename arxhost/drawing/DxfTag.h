#pragma once

#include <cstdint>

// One (group code, value) pair of a DXF file, as offsets into the file's text
// so that two million of them cost no more than the file itself. A tag read
// from the file remembers where its code line began: written back unchanged,
// it gives the file's own bytes (the code's padding, a value's blanks).
struct DxfTag {
    static constexpr std::uint32_t kMadeHere = 0xFFFFFFFFu;

    std::int32_t code = 0;
    std::uint32_t line = kMadeHere;   // the code line's offset in the file, or kMadeHere
    std::uint32_t value = 0;          // the value's offset in the text
    std::uint32_t length = 0;         // the value's length in bytes
};
