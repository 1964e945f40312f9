#pragma once
// Byte stream for document serialization: either stores into a growing byte
// buffer or loads from a fixed one. Loading past the end reads what is left,
// so a short file fills a document as far as it goes.

#include <cstddef>
#include <string>

class CArchive {
public:
    enum Mode { load, store };

    // Loading reads from bytes; storing appends to bytes. The buffer must
    // outlive the archive.
    CArchive(std::string& bytes, Mode mode);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // Copies up to size bytes into data and returns how many were copied
    // (fewer at the end of the buffer). Returns 0 when storing.
    std::size_t Read(void* data, std::size_t size);

    // Appends size bytes; does nothing when loading.
    void Write(const void* data, std::size_t size);

private:
    std::string& m_bytes;
    Mode m_mode;
    std::size_t m_position = 0;
};
