#include "model/tone_code.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool IsOctal(char c)
{
    return c >= '0' && c <= '7';
}

ToneCode ParseCtcss(std::string_view input)
{
    // Move the point one place to the right: the leading number is then the
    // tone in 0.1 Hz, further decimals dropped.
    std::string text(input);
    text += text.find('.') == std::string::npos ? ".0" : "0";
    const std::size_t point = text.find('.');
    text.insert(point + 2, 1, '.');
    text.erase(point, 1);
    long long tenths = std::strtoll(text.c_str(), nullptr, 10);
    if (tenths < 670)
        tenths = 670;
    if (tenths > 2541)
        tenths = 2541;
    const int value = static_cast<int>(tenths);
    const int high = (value / 1000) << 4 | (value / 100 % 10);
    const int low = (value / 10 % 10) << 4 | (value % 10);
    return static_cast<ToneCode>(high << 8 | low);
}

ToneCode ParseDcs(std::string_view text)
{
    if (text.size() != 5 || !IsOctal(text[1]) || !IsOctal(text[2]) || !IsOctal(text[3]))
        return kToneD023N;
    const int high = ((text[4] == 'I' || text[4] == 'i') ? 0xC0 : 0x80) | (text[1] - '0');
    const int low = (text[2] - '0') << 4 | (text[3] - '0');
    return static_cast<ToneCode>(high << 8 | low);
}

} // namespace

ToneCode ParseToneText(std::string_view text)
{
    if (text.empty())
        return kToneOff;
    const char first = text[0];
    if (first >= '0' && first <= '9')
        return ParseCtcss(text);
    if (first == 'D' || first == 'd')
        return ParseDcs(text);
    return kToneOff;
}

std::string FormatToneText(ToneCode code, const std::string& offText)
{
    const unsigned high = code >> 8;
    const unsigned low = code & 0xFFu;
    if (high == 0xFF)
        return offText;
    char text[32];
    if (high & 0x80)
        std::snprintf(text, sizeof text, high >= 0xC0 ? "D%x%02xI" : "D%x%02xN", high & 0x0Fu, low);
    else
        std::snprintf(text, sizeof text, "%x%x.%x", high, low >> 4, low & 0x0Fu);
    return text;
}
