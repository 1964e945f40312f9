#pragma once
// The test mode's radio procedures (full read, debug mode with live
// calibration frames, write-all), without any dialog: each reports its
// outcome and the caller shows the message. They run on the calling (UI)
// thread and block it; the link and the 4096-byte image belong to the caller.

#include <string>

class SerialLink;

enum class TestModeOutcome {
    Ok,
    PortError, // no radio answered, or an empty identification
    TypeError, // identification of 1 to 7 bytes
    ReadFailed, // a short password or block reply
    WriteFailed, // a block of the write-all was not acknowledged
};

class TestModeRadio
{
public:
    TestModeRadio(SerialLink& link, std::string settingsPath, unsigned char* image);

    // The typed text against [setup] testpw (at most 19 characters), exactly.
    static bool PasswordMatches(const std::string& typed, const std::string& settingsPath);

    // Connect sequence; closes the link on failure.
    TestModeOutcome Connect();
    // 0x05, six bytes back, acknowledged, not compared; closes the link on failure.
    TestModeOutcome QueryPassword();
    // Connect, password query, then 128 blocks (0x000..0x3FF) into the image,
    // one attempt each. On failure the blocks read so far are in the image, so
    // a caller that must not change its document passes a copy. Port stays open.
    TestModeOutcome FullRead();
    // Sets debug mode (kept even if a step fails), connects, queries the
    // password, reads the calibration block into the image and sends it back
    // in a live calibration frame. Port stays open.
    TestModeOutcome StartDebugMode();
    // The live calibration frame on the open port (fails silently when closed).
    void SendCalibration();
    // Ends debug mode with 0x62 when it is on, connects and writes 128 blocks,
    // waiting 50 ms for each acknowledge. Closes the port on success only.
    TestModeOutcome WriteAll();
    // Leaving the calibration dialog: in debug mode, 0x62 and close the port.
    void EndDebugMode();

    int DebugMode() const { return m_debugMode; }

private:
    SerialLink& m_link;
    std::string m_settingsPath;
    unsigned char* m_image;
    int m_debugMode = 0;
};
