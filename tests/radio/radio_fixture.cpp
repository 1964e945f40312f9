#include "radio/radio_fixture.h"

#include <chrono>
#include <sstream>
#include <thread>

void RadioFixture::StartRadio(std::vector<std::string> args)
{
    args.insert(args.begin(), { "--log", logFile, "--dump", dumpFile });
    radio = std::make_unique<RadioSimProcess>(args);
    ASSERT_FALSE(radio->path().empty()) << "the virtual radio did not start";
}

void RadioFixture::WriteSettings(
    const std::map<std::string, std::string>& setup, const std::map<int, std::string>& ports)
{
    std::map<std::string, std::string> keys { { "com", "1" }, { "searchcom", "0" },
        { "communication", "VLMPROG" }, { "password", "1" } };
    for (const auto& [k, v] : setup)
        keys[k] = v;
    std::ostringstream text;
    text << "[setup]\n";
    for (const auto& [k, v] : keys)
        text << k << "=" << v << "\n";
    text << "\n[ModelInfo]\ndata0=00400052\nFreq0=400-520MHz\n\n[ports]\n";
    for (int n = 1; n <= 255; ++n) {
        const auto it = ports.find(n);
        text << "COM" << n << "=" << (it != ports.end() ? it->second : dir.file("absent" + std::to_string(n)))
             << "\n";
    }
    TempDir::WriteFile(ini, text.str());
}

void RadioFixture::WriteSettings(const std::map<std::string, std::string>& setup)
{
    WriteSettings(setup, { { 1, radio ? radio->path() : std::string() } });
}

std::vector<LoggedFrame> RadioFixture::Frames() const
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

int RadioFixture::CountPcFrames(unsigned char first) const
{
    int n = 0;
    for (const LoggedFrame& f : Frames())
        n += f.from == "PC" && !f.bytes.empty() && f.bytes[0] == first;
    return n;
}

int RadioFixture::WaitForPcFrames(unsigned char first, int count) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int n = CountPcFrames(first);
    while (n < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        n = CountPcFrames(first);
    }
    return n;
}

std::vector<unsigned char> RadioFixture::StopAndReadMemory()
{
    if (radio)
        radio->Stop();
    const std::string bytes = TempDir::ReadFile(dumpFile);
    if (bytes.size() != 4144)
        return {};
    return std::vector<unsigned char>(bytes.begin() + 48, bytes.end());
}

const std::vector<unsigned char>& DefaultRadioMemory()
{
    static const std::vector<unsigned char> memory = [] {
        TempDir d;
        const std::string dump = d.file("m.dig");
        {
            RadioSimProcess sim({ "--dump", dump });
            sim.Stop();
        }
        const std::string bytes = TempDir::ReadFile(dump);
        return bytes.size() == 4144 ? std::vector<unsigned char>(bytes.begin() + 48, bytes.end())
                                    : std::vector<unsigned char>();
    }();
    return memory;
}
