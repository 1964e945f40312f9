// Text layout flags stored per cell (CellEntry::format). Owners and stored
// formats use these numeric values; the painters turn them into Qt alignment,
// wrapping and clipping flags.
#pragma once

inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;  // only with DT_SINGLELINE
inline constexpr unsigned DT_BOTTOM = 0x0008;   // only with DT_SINGLELINE
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_EXPANDTABS = 0x0040;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_NOPREFIX = 0x0800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
