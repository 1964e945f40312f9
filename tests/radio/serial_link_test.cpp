// SerialLink against a bare pseudo-terminal whose master side the test drives.

#include "radio/serial_link.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

class SerialLinkTest : public ::testing::Test
{
protected:
    SerialLinkTest()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            slavePath = ::ptsname(master);
        TempDir::WriteFile(ini, "[ports]\nCOM1=" + slavePath + "\nCOM2=" + dir.file("missing") + "\n");
        link.SetSettingsPath(ini);
    }
    ~SerialLinkTest() override
    {
        link.Close();
        if (master >= 0)
            ::close(master);
    }

    void Send(const std::string& bytes) const
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string Receive(std::size_t n) const
    {
        std::string got;
        while (got.size() < n) {
            pollfd p { master, POLLIN, 0 };
            if (::poll(&p, 1, 2000) <= 0)
                break;
            char buffer[64];
            const ssize_t r = ::read(master, buffer, std::min(sizeof buffer, n - got.size()));
            if (r <= 0)
                break;
            got.append(buffer, static_cast<std::size_t>(r));
        }
        return got;
    }

    TempDir dir;
    std::string ini = dir.file("setting.ini");
    int master = -1;
    std::string slavePath;
    SerialLink link;
};

TEST_F(SerialLinkTest, OpensByNumberThroughThePortMap)
{
    EXPECT_EQ(link.DevicePath(1), slavePath);
    EXPECT_EQ(link.Open(1, 9600), 1);
    EXPECT_TRUE(link.IsOpen());
    link.Close();
    EXPECT_FALSE(link.IsOpen());
    link.Close();
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(SerialLinkTest, MissingPortFailsAtOnceAndStaysClosed)
{
    EXPECT_EQ(link.Open(2, 9600), 0);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.LastOpenError(), SerialOpenError::NotFound);
    EXPECT_EQ(link.ReadByte(0), -1);
    const unsigned char byte = 1;
    EXPECT_EQ(link.Write(&byte, 1, 0), 0);
}

TEST_F(SerialLinkTest, PortIsExclusiveUntilClosed)
{
    ASSERT_EQ(link.Open(1, 9600), 1);
    SerialLink second;
    second.SetSettingsPath(ini);
    EXPECT_EQ(second.Open(1, 9600), 0);
    EXPECT_EQ(second.LastOpenError(), SerialOpenError::Busy);
    link.Close();
    EXPECT_EQ(second.Open(1, 9600), 1);
}

TEST_F(SerialLinkTest, WritesReachTheOtherSide)
{
    ASSERT_EQ(link.Open(1, 9600), 1);
    const unsigned char frame[4] = { 0x52, 0x03, 0xE8, 0x08 };
    EXPECT_EQ(link.Write(frame, 4, 1), 4);
    EXPECT_EQ(link.WriteByte(0x06, 1), 1);
    EXPECT_EQ(Receive(5), std::string("\x52\x03\xE8\x08\x06", 5));
}

TEST_F(SerialLinkTest, ZeroTimeoutTakesOnlyWhatIsBuffered)
{
    ASSERT_EQ(link.Open(1, 9600), 1);
    EXPECT_EQ(link.ReadByte(0), -1);
    // One write arrives as one piece: once its first byte is there, all are.
    Send("\x11\xAA\xBB");
    EXPECT_EQ(link.ReadByte(2000), 0x11);
    EXPECT_EQ(link.ReadByte(0), 0xAA);
    unsigned char buffer[4] = {};
    EXPECT_EQ(link.Read(buffer, 4, 0), 1);
    EXPECT_EQ(buffer[0], 0xBB);
    EXPECT_EQ(link.Read(buffer, 4, 0), 0);
}

TEST_F(SerialLinkTest, BufferedReplyIsReturnedWhole)
{
    ASSERT_EQ(link.Open(1, 9600), 1);
    Send("#0123456789AB");
    EXPECT_EQ(link.ReadByte(2000), '#');
    unsigned char buffer[12] = {};
    EXPECT_EQ(link.Read(buffer, 12, 0), 12) << "all of it on the one attempt";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 12), "0123456789AB");
}

TEST_F(SerialLinkTest, PiecesAreAssembledInOrderAndTheReadEndsWithTheLast)
{
    ASSERT_EQ(link.Open(1, 9600), 1);
    std::thread sender([this] {
        for (const char* piece : { "W\x01",
                 "\x02\x08"
                 "abc",
                 "defgh" }) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            Send(piece);
        }
    });
    unsigned char buffer[12] = {};
    const auto start = Clock::now();
    const int got = link.Read(buffer, 12, 5000);
    const auto took = Clock::now() - start;
    sender.join();
    EXPECT_EQ(got, 12);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 12),
        std::string("W\x01\x02\x08"
                    "abcdefgh",
            12));
    EXPECT_LT(took, std::chrono::milliseconds(4000)) << "returns when complete, not at the time-out";
}

TEST_F(SerialLinkTest, TimeoutReturnsWhatArrived)
{
    ASSERT_EQ(link.Open(1, 9600), 1);
    Send("xyz");
    unsigned char buffer[8] = {};
    const auto start = Clock::now();
    EXPECT_EQ(link.Read(buffer, 8, 60), 3);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(60));
    EXPECT_EQ(link.ReadByte(30), -1);
    EXPECT_FALSE(link.IsGone());
}

TEST_F(SerialLinkTest, PulledCableIsNothingArrivedAndTheLinkKnows)
{
    ASSERT_EQ(link.Open(1, 9600), 1);
    ::close(master);
    master = -1;
    unsigned char buffer[12];
    EXPECT_EQ(link.Read(buffer, 12, 10000), 0);
    EXPECT_EQ(link.ReadByte(10000), -1);
    EXPECT_TRUE(link.IsGone());
    const unsigned char byte = 0x06;
    EXPECT_EQ(link.Write(&byte, 1, 0), 0);
    EXPECT_TRUE(link.IsOpen()) << "the caller decides when to close";
}

} // namespace
