#pragma once
// Cuts one fuzzer input into the pieces a target needs (bytes, small numbers,
// zero-terminated texts, the rest), never reading past its end. Shared by the
// libFuzzer builds and the corpus replay tests; one instance per input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_data(reinterpret_cast<const char*>(data), size)
    {
    }

    bool Empty() const { return m_data.empty(); }
    std::size_t Left() const { return m_data.size(); }

    // The next byte, or 0 when nothing is left.
    std::uint8_t Byte()
    {
        if (m_data.empty())
            return 0;
        const auto byte = static_cast<std::uint8_t>(m_data.front());
        m_data.remove_prefix(1);
        return byte;
    }

    // Up to count bytes.
    std::string_view Bytes(std::size_t count)
    {
        const std::string_view piece = m_data.substr(0, count);
        m_data.remove_prefix(piece.size());
        return piece;
    }

    // The bytes up to the next zero byte (which is consumed), or all that is left.
    std::string_view Text()
    {
        const std::size_t end = m_data.find('\0');
        const std::string_view piece = m_data.substr(0, end);
        m_data.remove_prefix(end == std::string_view::npos ? m_data.size() : end + 1);
        return piece;
    }

    std::string_view Rest()
    {
        const std::string_view piece = m_data;
        m_data = {};
        return piece;
    }

private:
    std::string_view m_data;
};

// A broken promise of the code under test: say which and stop, so that both
// libFuzzer and the replay test report the input as a failure.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)
