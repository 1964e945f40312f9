#pragma once
// The texts velmar-cli shows, from the active language file at the moment of
// use, with the built-in English whenever the file or the key is missing, so a
// command-line user is never shown a bare "Not Found".

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

// One value put into a text: a string, or a number written in decimal.
struct CliArg
{
    CliArg(std::string_view text)
        : text(text)
    {
    }
    CliArg(const std::string& text)
        : text(text)
    {
    }
    CliArg(const char* text)
        : text(text)
    {
    }
    template <std::integral Number>
    CliArg(Number number)
        : text(std::to_string(number))
    {
    }
    std::string text;
};

// Replaces each %s or %d of pattern, in order, with the next value (nothing
// once the values run out); %% is one percent sign, any other % stays as it
// is. The values themselves are never scanned, and pattern never reaches a
// printf-style function: a language file is user-edited text.
std::string FormatCliText(std::string_view pattern, std::initializer_list<CliArg> args);

// [String] key of the language file, or english when the key (or the file) is
// missing; then formatted with args.
std::string CliText(std::string_view key, std::string_view english, std::initializer_list<CliArg> args = {});
