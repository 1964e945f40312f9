#include "platform/profile.h"

#include "platform/atomic_file.h"

#include <cerrno>
#include <climits>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

// One line of the file as the reader sees it.
struct Line {
    enum Kind { Other, Section, Entry };
    Kind kind = Other;
    std::string_view name; // section or key name, trimmed
    std::string_view value; // entry value, trimmed
    std::size_t begin = 0; // byte range of the line in the text, without its line end
    std::size_t end = 0;
    std::size_t next = 0; // start of the following line
};

std::vector<Line> SplitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t pos = text.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        const std::size_t lf = text.find('\n', pos);
        line.next = lf == std::string_view::npos ? text.size() : lf + 1;
        line.end = lf == std::string_view::npos ? text.size() : lf;
        if (line.end > line.begin && text[line.end - 1] == '\r')
            --line.end;
        const std::string_view body = Trim(text.substr(line.begin, line.end - line.begin));
        if (!body.empty() && body.front() == '[') {
            const std::size_t close = body.find(']');
            line.kind = Line::Section;
            line.name = Trim(body.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        } else if (!body.empty() && body.front() != ';') {
            const std::size_t eq = body.find('=');
            if (eq != std::string_view::npos && eq > 0) {
                line.kind = Line::Entry;
                line.name = Trim(body.substr(0, eq));
                line.value = Trim(body.substr(eq + 1));
            }
        }
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

// Index of the first [section] line, or lines.size().
std::size_t FindSection(const std::vector<Line>& lines, std::string_view section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Line::Section && SameName(lines[i].name, Trim(section)))
            return i;
    }
    return lines.size();
}

// Index of the first key line inside the section that opens at sectionLine, or lines.size().
std::size_t FindKey(const std::vector<Line>& lines, std::size_t sectionLine, std::string_view key)
{
    for (std::size_t i = sectionLine + 1; i < lines.size() && lines[i].kind != Line::Section; ++i) {
        if (lines[i].kind == Line::Entry && SameName(lines[i].name, Trim(key)))
            return i;
    }
    return lines.size();
}

std::optional<std::string> ReadValue(std::string_view section, std::string_view key, const std::string& file)
{
    std::string text;
    if (!ReadWholeFile(file, text))
        return std::nullopt;
    const std::vector<Line> lines = SplitLines(text);
    const std::size_t s = FindSection(lines, section);
    if (s == lines.size())
        return std::nullopt;
    const std::size_t k = FindKey(lines, s, key);
    if (k == lines.size())
        return std::nullopt;
    std::string_view value = lines[k].value;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// At most size - 1 bytes, cut back to the start of a UTF-8 character.
std::string Truncate(std::string_view text, std::size_t size)
{
    if (size == 0)
        return {};
    std::size_t cut = std::min(text.size(), size - 1);
    if (cut < text.size()) {
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
    }
    return std::string(text.substr(0, cut));
}

// Writes are read-modify-replace; two threads of this process writing at
// once (the transfer worker storing a found port, say) must not lose a key.
std::mutex& WriteMutex()
{
    static std::mutex mutex;
    return mutex;
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
    std::size_t size, const std::string& file)
{
    const std::optional<std::string> value = ReadValue(section, key, file);
    return Truncate(value ? std::string_view(*value) : def, size);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int def, const std::string& file)
{
    const std::optional<std::string> value = ReadValue(section, key, file);
    if (!value)
        return def;
    std::string_view s = *value;
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Accumulate as a negative number so INT_MIN fits; saturate instead of overflowing.
    long long n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 - (c - '0');
        if (n < static_cast<long long>(INT_MIN) - 1)
            n = static_cast<long long>(INT_MIN) - 1;
    }
    if (!negative)
        n = -n;
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return static_cast<int>(n);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
    const std::string& file, std::string* error)
{
    // A line break, a '=' in the key or a ']' in the section name would change
    // the meaning of the file for every later reader.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)
        || Trim(section).empty() || section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos
        || Trim(key).empty() || Trim(key).front() == '[' || Trim(key).front() == ';') {
        if (error)
            *error = "Cannot write " + file + ": invalid section, key or value";
        return false;
    }

    std::lock_guard<std::mutex> lock(WriteMutex());
    std::string text;
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 || errno != ENOENT) {
        if (!ReadWholeFile(file, text, error))
            return false;
    }

    const std::string_view eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string entry = std::string(Trim(key)) + "=" + std::string(value);
    const std::vector<Line> lines = SplitLines(text);
    const std::size_t s = FindSection(lines, section);

    std::string out;
    if (s == lines.size()) {
        out = text;
        if (!out.empty() && out.back() != '\n')
            out += eol;
        if (!lines.empty() && lines.back().end > lines.back().begin)
            out += eol;
        out += "[" + std::string(Trim(section)) + "]";
        out += eol;
        out += entry;
        out += eol;
    } else if (const std::size_t k = FindKey(lines, s, key); k != lines.size()) {
        out = text.substr(0, lines[k].begin) + entry + text.substr(lines[k].end);
    } else {
        // Append after the section's last non-blank line, so blank lines that
        // separate it from the next section stay where they are.
        std::size_t last = s;
        for (std::size_t i = s + 1; i < lines.size() && lines[i].kind != Line::Section; ++i) {
            if (!Trim(std::string_view(text).substr(lines[i].begin, lines[i].end - lines[i].begin)).empty())
                last = i;
        }
        const std::size_t at = lines[last].next;
        std::string insert = entry + std::string(eol);
        if (at == text.size() && text.back() != '\n') // the last line of the file has no line end
            insert = std::string(eol) + entry + std::string(eol);
        out = text.substr(0, at) + insert + text.substr(at);
    }
    return WriteFileAtomically(file, out, error);
}
