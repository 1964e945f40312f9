#pragma once
// The PC side of the radio's clone protocol: the connect sequence (handshake,
// port search, identification) and the frames that follow it. Used by the
// transfer worker on its thread and by the test mode on the UI thread; an
// instance belongs to the one thread that drives the link.
// Frame layouts and timing: docs/serial-protocol.md.

#include <array>
#include <functional>
#include <string>

class SerialLink;

class CloneProtocol
{
public:
    enum class ConnectOutcome { Connected, PortError, TypeError, Cancelled };
    enum class BlockResult { Stored, Skipped, Short };

    struct ConnectHooks
    {
        // The port search opened another port and is about to try it.
        std::function<void(int port)> portOpened;
        // The port the search found has been stored under `com`.
        std::function<void()> portStored;
        // Asked between handshake tries and search steps.
        std::function<bool()> cancelled;
    };

    static constexpr int kTransferBlocks = 126; // image bytes 0x000..0x3EF
    static constexpr int kTestModeBlocks = 128; // image bytes 0x000..0x3FF
    static constexpr int kBlockSize = 8;
    static constexpr int kPasswordOffset = 0x3B0;
    static constexpr int kCalibrationOffset = 0x3F0;

    CloneProtocol(SerialLink& link, std::string settingsPath);

    // 0x02 and the first seven bytes of the handshake text, zero-padded.
    static std::array<unsigned char, 8> HandshakeFrame(const std::string& communication);
    // Percentage after block k of a transfer (the last block gives 100).
    static int ProgressPercent(int block) { return block * 100 / kTransferBlocks; }

    // Opens the configured port when the link is closed, handshakes (ten tries,
    // then COM1..COM255 when the search is on), identifies the radio and stores
    // a port the search found under `com`. The port stays open.
    ConnectOutcome Connect(const ConnectHooks& hooks = {});

    // Password query: false when fewer than 6 bytes came back; otherwise the
    // reply is acknowledged and returned in out.
    bool QueryPassword(unsigned char out[6]);

    // Transfer block read at address into image[address..+7]: up to three
    // attempts; a short last reply is Short, a full one with a wrong header
    // Skipped (image unchanged, nothing acknowledged).
    BlockResult ReadBlock(int address, unsigned char* image);
    // One read request, reply into reply[12]; returns the number of bytes read.
    int RequestBlock(int address, unsigned char reply[12]);

    // Transfer block write: up to three attempts, each waiting 100 ms for the
    // acknowledge. False when none came.
    bool WriteBlock(int address, const unsigned char* image);
    // One block frame, then up to waitMs for one byte; true when it was 0x06.
    bool SendBlock(int address, const unsigned char* image, int waitMs);

    // 0x06, then up to 50 ms for one byte that is discarded.
    void Acknowledge();
    // The live calibration frame of image bytes 0x3F0..0x3F7, then up to 50 ms
    // for one byte that is discarded.
    void SendCalibration(const unsigned char* image);
    // The end command 0x62.
    void SendEndCommand();

    // [setup] password begins with '1': reads compare the radio's password.
    bool PasswordCheckEnabled() const;

private:
    enum class HandshakeResult { Acknowledged, Silent, Cancelled };
    HandshakeResult Handshake(const std::array<unsigned char, 8>& frame, const ConnectHooks& hooks);

    SerialLink& m_link;
    std::string m_settingsPath;
};
