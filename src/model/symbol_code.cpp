#include "model/symbol_code.h"

namespace {

int PttCodeOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'D')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'd')
        return c - 'a' + 10;
    return -1;
}

int PasswordCodeOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 36;
    return -1;
}

template <std::size_t N>
std::array<std::uint8_t, N> Encode(std::string_view text, int (*codeOf)(char))
{
    std::array<std::uint8_t, N> bytes;
    bytes.fill(0xFF);
    for (std::size_t i = 0; i < N && i < text.size(); ++i) {
        const int code = codeOf(text[i]);
        if (code < 0)
            break;
        bytes[i] = static_cast<std::uint8_t>(code);
    }
    return bytes;
}

} // namespace

PttCodeBytes PttCodeFromText(std::string_view text)
{
    return Encode<15>(text, PttCodeOf);
}

std::string PttCodeToText(const std::uint8_t* codes, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count && codes[i] <= 13; ++i)
        text += codes[i] < 10 ? static_cast<char>('0' + codes[i]) : static_cast<char>('A' + codes[i] - 10);
    return text;
}

PasswordBytes PasswordFromText(std::string_view text)
{
    return Encode<6>(text, PasswordCodeOf);
}

std::string PasswordToText(const std::uint8_t* codes, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count && codes[i] <= 61; ++i) {
        const int code = codes[i];
        if (code < 10)
            text += static_cast<char>('0' + code);
        else if (code < 36)
            text += static_cast<char>('A' + code - 10);
        else
            text += static_cast<char>('a' + code - 36);
    }
    return text;
}
