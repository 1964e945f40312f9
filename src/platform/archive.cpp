#include "platform/archive.h"

#include <algorithm>
#include <cstring>

CArchive::CArchive(std::string& bytes, Mode mode) : m_bytes(bytes), m_mode(mode) {}

std::size_t CArchive::Read(void* data, std::size_t size)
{
    if (m_mode != load || m_position >= m_bytes.size())
        return 0;
    const std::size_t count = std::min(size, m_bytes.size() - m_position);
    std::memcpy(data, m_bytes.data() + m_position, count);
    m_position += count;
    return count;
}

void CArchive::Write(const void* data, std::size_t size)
{
    if (m_mode != store)
        return;
    m_bytes.append(static_cast<const char*>(data), size);
}
