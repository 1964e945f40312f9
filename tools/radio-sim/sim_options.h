#pragma once
// The virtual radio's settings and fault injections, as given on its command line.

#include <map>
#include <optional>
#include <string>

struct SimOptions
{
    std::string link; // symlink to the pseudo-terminal, when not empty
    std::string memoryFile; // data file to load the memory from, when it exists
    std::string dumpFile; // data file the memory is written to
    std::string logFile; // frame log
    std::optional<std::string> handshake; // handshake text the radio insists on
    std::optional<std::string> password; // read password replacing the memory's
    int identLength = 8; // bytes of the identification reply (0..8)
    int passwordLength = 6; // bytes of the password reply (0..6)
    bool ackEcho = true; // answer each acknowledge of the PC with one
    bool pace = false; // 9600-baud wire time in both directions
    bool silent = false; // never answer anything
    int garbageAcks = 0; // handshake acknowledges preceded by a garbage byte
    long hangupAfter = -1; // close the line after this many received bytes
    long silentAfter = -1; // stop answering (line kept up) after this many received bytes
    bool garbageBetween = false; // one garbage byte after every reply
    // Faults per block address: how many times they fire (-1 = always).
    std::map<int, int> wrongAddress;
    std::map<int, int> shortBlock;
    std::map<int, int> refuseWrite;
};
