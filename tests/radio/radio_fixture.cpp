#include "radio/radio_fixture.h"

#include "support/radio_settings.h"

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
    WriteRadioSettings(ini, keys, "data0=00400052\nFreq0=400-520MHz\n", ports, dir.path());
}

void RadioFixture::WriteSettings(const std::map<std::string, std::string>& setup)
{
    WriteSettings(setup, { { 1, radio ? radio->path() : std::string() } });
}

std::vector<LoggedFrame> RadioFixture::Frames() const
{
    return ReadFrameLog(logFile);
}

int RadioFixture::CountPcFrames(unsigned char first) const
{
    return ::CountPcFrames(logFile, first);
}

int RadioFixture::WaitForPcFrames(unsigned char first, int count) const
{
    return ::WaitForPcFrames(logFile, first, count, 2000);
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
        const std::string& bytes = FreshRadioDump();
        return bytes.size() == 4144 ? std::vector<unsigned char>(bytes.begin() + 48, bytes.end())
                                    : std::vector<unsigned char>();
    }();
    return memory;
}
