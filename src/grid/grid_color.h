// Cell colours as the owner stores them: 0x00BBGGRR, with CLR_DEFAULT meaning
// "use the grid's own colour". Kept as a plain number so owners can compare and
// store it without Qt; the painters convert at the last moment.
#pragma once

#include <cstdint>

using COLORREF = std::uint32_t;

inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

constexpr COLORREF MakeColorRef(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned ColorRefRed(COLORREF c) { return c & 0xFFu; }
constexpr unsigned ColorRefGreen(COLORREF c) { return (c >> 8) & 0xFFu; }
constexpr unsigned ColorRefBlue(COLORREF c) { return (c >> 16) & 0xFFu; }
