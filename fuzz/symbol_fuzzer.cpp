// SymbolCode conversions: a PTT-ID code or password text converts to bytes
// and back to the same characters up to its first invalid one, and any
// stored bytes convert to text without reading past the count given.
// Input: one byte of a count, then up to that many stored bytes, then the text.

#include "fuzz_input.h"
#include "model/symbol_code.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

namespace {

bool IsPttChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd');
}

bool IsPasswordChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The text a conversion keeps: the valid characters before the first other one, at most max.
template <typename Valid>
std::string Kept(std::string_view text, std::size_t max, Valid valid)
{
    const auto end = std::find_if_not(text.begin(), text.end(), valid);
    return std::string(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(end - text.begin(), max)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::size_t count = input.Byte();
    const std::string_view stored = input.Bytes(count);
    const std::string_view text = input.Rest();

    // An exact-size heap copy, so that a read past count is caught.
    const std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[stored.size() + 1]);
    std::copy(stored.begin(), stored.end(), bytes.get());
    FUZZ_CHECK(PttCodeToText(bytes.get(), stored.size()).size() <= stored.size());
    FUZZ_CHECK(PasswordToText(bytes.get(), stored.size()).size() <= stored.size());

    const PttCodeBytes code = PttCodeFromText(text);
    std::string expected = Kept(text, code.size(), IsPttChar);
    std::transform(expected.begin(), expected.end(), expected.begin(),
        [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    FUZZ_CHECK(PttCodeToText(code.data(), code.size()) == expected);
    for (std::size_t i = expected.size(); i < code.size(); ++i)
        FUZZ_CHECK(code[i] == 0xFF);

    const PasswordBytes password = PasswordFromText(text);
    const std::string kept = Kept(text, password.size(), IsPasswordChar);
    FUZZ_CHECK(PasswordToText(password.data(), password.size()) == kept);
    for (std::size_t i = kept.size(); i < password.size(); ++i)
        FUZZ_CHECK(password[i] == 0xFF);
    return 0;
}
