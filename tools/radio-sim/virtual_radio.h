#pragma once
// A radio on a pseudo-terminal, seen from the radio's side: it answers the
// clone protocol from its 4096-byte memory, paces its bytes at 9600-baud wire
// time when asked and injects the configured faults. Single-threaded: Run()
// owns the terminal until a signal, a hang-up fault or an error ends it.

#include "sim_options.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

class VirtualRadio
{
public:
    explicit VirtualRadio(SimOptions options);
    ~VirtualRadio();
    VirtualRadio(const VirtualRadio&) = delete;
    VirtualRadio& operator=(const VirtualRadio&) = delete;

    // Loads the memory (file or defaults); false with a message on error.
    bool LoadMemory(std::string& error);
    // Creates the pseudo-terminal (and the link); returns the slave path or "".
    std::string OpenTerminal(std::string& error);
    // Serves until stop becomes nonzero or the line is hung up. Returns 0 on a
    // clean end.
    int Run(volatile const int& stop);
    // Writes the memory as a data file to the dump path, when one is set.
    void Dump();

private:
    using Clock = std::chrono::steady_clock;
    enum class State { Idle, AwaitIdent, AwaitIdentAck, Session };
    struct Pending
    {
        unsigned char byte;
        Clock::time_point at;
    };

    void Receive(unsigned char byte);
    void HandleFrame();
    std::size_t FrameLength(unsigned char first) const;
    void Send(const std::vector<unsigned char>& bytes, const char* what);
    void Log(const char* direction, const unsigned char* bytes, std::size_t n, const char* what);
    bool Fire(std::map<int, int>& faults, int address);
    void HangUp();

    SimOptions m_options;
    std::array<unsigned char, 48> m_header {};
    std::array<unsigned char, 4096> m_memory {};
    int m_master = -1;
    int m_slave = -1;
    std::FILE* m_log = nullptr;
    State m_state = State::Idle;
    std::vector<unsigned char> m_frame;
    std::deque<Pending> m_rx;
    std::deque<Pending> m_tx;
    Clock::time_point m_lastRx {};
    Clock::time_point m_lastTx {};
    long m_received = 0;
    int m_garbageLeft = 0;
    bool m_wroteInSession = false;
    bool m_hungUp = false;
};
