#include "model/bcd_frequency.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// atol with saturation: a long digit string must not overflow.
std::int32_t LeadingNumber(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t ParseFreqText(std::string_view input)
{
    // Move the point five places to the right, so that the leading number is
    // the frequency in 10 Hz units.
    std::string text(input);
    text += text.find('.') == std::string::npos ? ".00000" : "00000";
    const std::size_t point = text.find('.');
    text.insert(point + 6, 1, '.');
    text.erase(point, 1);
    return LeadingNumber(text);
}

std::int32_t SnapToRaster(std::int32_t value)
{
    // Only eight digits can be stored; keeping v in range also keeps the
    // arithmetic below away from overflow.
    const std::int64_t v = std::clamp<std::int32_t>(value, 0, 99999999);
    // The 6.25 kHz point at or below v + 750 Hz.
    const std::int64_t d = ((v + 75) / 625) * 625;
    if (v / 100 == d / 100)
        return static_cast<std::int32_t>(d);
    // Otherwise the nearer of d and the nearest 5 kHz point; 2.5 kHz goes down,
    // and on equal distance the 5 kHz point wins.
    const std::int64_t r = v % 500;
    const std::int64_t f = r <= 250 ? v - r : v - r + 500;
    const std::int64_t toD = d > v ? d - v : v - d;
    const std::int64_t toF = f > v ? f - v : v - f;
    return static_cast<std::int32_t>(toD < toF ? d : f);
}

BcdFrequency PackBcdFrequency(std::int32_t value)
{
    if (value < 0)
        value = 0;
    if (value > 99999999)
        value = 99999999;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08d", value);
    auto pair = [&](int first) {
        return static_cast<std::uint8_t>(((digits[first] - '0') << 4) | (digits[first + 1] - '0'));
    };
    return {pair(6), pair(4), pair(2), pair(0)};
}

std::string FormatFreqText(const std::uint8_t* b)
{
    if (b[3] > 0x99)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%x%x.%x%02x%02x", unsigned{b[3]}, unsigned{b[2]} >> 4,
        unsigned{b[2]} & 0x0Fu, unsigned{b[1]}, unsigned{b[0]});
    return text;
}

std::string FormatBandLimit(std::int32_t limit)
{
    char text[32];
    std::snprintf(text, sizeof text, "%03d.%05d", limit / 100000, limit % 100000);
    return text;
}
