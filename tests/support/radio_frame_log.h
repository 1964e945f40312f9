#pragma once
// Reads the frame log the virtual radio writes with --log: one frame a line,
// who sent it ("PC", "RADIO" or "LINE") then its bytes in hex, with an
// optional "; comment". The radio logs a PC frame a moment after reading it.

#include <string>
#include <vector>

struct LoggedFrame
{
    std::string from; // "PC", "RADIO" or "LINE"
    std::vector<unsigned char> bytes;
};

// Every frame in the log so far.
std::vector<LoggedFrame> ReadFrameLog(const std::string& logFile);
// How many frames the PC sent that start with the byte first.
int CountPcFrames(const std::string& logFile, unsigned char first);
// Waits up to ms until the log holds at least count PC frames starting with
// first; returns the count it saw last.
int WaitForPcFrames(const std::string& logFile, unsigned char first, int count, int ms);
