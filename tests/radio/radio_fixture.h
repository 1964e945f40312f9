#pragma once
// A temp folder with a setting.ini whose [ports] map every COM number to a
// device that does not exist, except those a test points at a virtual radio
// started as a child process with a frame log and a memory dump.

#include "support/radio_frame_log.h"
#include "support/radio_sim_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class RadioFixture : public ::testing::Test
{
protected:
    // Starts the radio with a log and a dump in the temp folder, plus args.
    void StartRadio(std::vector<std::string> args);
    // Writes setting.ini: [setup] keys as given over the defaults
    // (com=1, searchcom=0, communication=VLMPROG, password=1) and COMn=path
    // for the given ports; every other COM1..COM255 names a missing device.
    void WriteSettings(
        const std::map<std::string, std::string>& setup, const std::map<int, std::string>& ports);
    // Settings with COM1 on the radio and the given [setup] overrides.
    void WriteSettings(const std::map<std::string, std::string>& setup = {});

    // Frames the radio logged so far (PC frames and radio replies).
    std::vector<LoggedFrame> Frames() const;
    // How many frames the PC sent that start with the byte first.
    int CountPcFrames(unsigned char first) const;
    // Waits (up to 2 s) until the radio has logged at least count PC frames
    // starting with first, for frames that get no answer; returns the count.
    int WaitForPcFrames(unsigned char first, int count) const;
    // Stops the radio and returns its memory as it wrote it on exit.
    std::vector<unsigned char> StopAndReadMemory();

    TempDir dir;
    std::string ini = dir.file("setting.ini");
    std::string logFile = dir.file("radio.log");
    std::string dumpFile = dir.file("radio.dig");
    std::unique_ptr<RadioSimProcess> radio;
};

// The radio's built-in memory (what a fresh radio answers), read once.
const std::vector<unsigned char>& DefaultRadioMemory();
