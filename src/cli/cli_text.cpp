#include "cli/cli_text.h"

#include "shell/lang_string.h"

std::string FormatCliText(std::string_view pattern, std::initializer_list<CliArg> args)
{
    std::string text;
    const CliArg* next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char following = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c != '%' || (following != 's' && following != 'd' && following != '%')) {
            text += c;
            continue;
        }
        ++i;
        if (following == '%')
            text += '%';
        else if (next != args.end())
            text += (next++)->text;
    }
    return text;
}

std::string CliText(std::string_view key, std::string_view english, std::initializer_list<CliArg> args)
{
    // LoadLangString's answer for an absent key (or an absent file).
    std::string text = LoadLangString(key);
    if (text == "Not Found")
        text = english;
    return FormatCliText(text, args);
}
