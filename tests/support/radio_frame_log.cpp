#include "support/radio_frame_log.h"

#include "support/temp_dir.h"

#include <chrono>
#include <sstream>
#include <thread>

std::vector<LoggedFrame> ReadFrameLog(const std::string& logFile)
{
    std::vector<LoggedFrame> frames;
    std::istringstream in(TempDir::ReadFile(logFile));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line.substr(0, line.find(';')));
        LoggedFrame frame;
        words >> frame.from;
        std::string hex;
        while (words >> hex)
            frame.bytes.push_back(static_cast<unsigned char>(std::stoi(hex, nullptr, 16)));
        frames.push_back(frame);
    }
    return frames;
}

int CountPcFrames(const std::string& logFile, unsigned char first)
{
    int n = 0;
    for (const LoggedFrame& f : ReadFrameLog(logFile))
        n += f.from == "PC" && !f.bytes.empty() && f.bytes[0] == first;
    return n;
}

int WaitForPcFrames(const std::string& logFile, unsigned char first, int count, int ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    int n = CountPcFrames(logFile, first);
    while (n < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        n = CountPcFrames(logFile, first);
    }
    return n;
}
