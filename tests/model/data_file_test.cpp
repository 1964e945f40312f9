#include "model/model_env.h"
#include "model/velmar_doc.h"
#include "platform/archive.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kResetText = "Tavro Radio Program data v1.03";

// A valid data file: the header text, 18 reserved bytes, then an image whose
// byte i is i & 0xFF.
std::string PatternFile(const std::string& version = " v1.03")
{
    std::string bytes = "Tavro Radio Program data" + version;
    bytes.resize(48, '\x5A');
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(i & 0xFF);
    return bytes;
}

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.SetWrongSignatureHandler([this] { ++wrongSignatureMessages; });
        ASSERT_TRUE(doc.OnNewDocument());
    }

    // Loads bytes as a file through the document's open path.
    bool Open(const std::string& bytes)
    {
        TempDir::WriteFile(env.File("in.dig"), bytes);
        return doc.OnOpenDocument(env.File("in.dig"));
    }

    ModelEnv env;
    CVelmarDoc doc;
    int wrongSignatureMessages = 0;
};

TEST_F(DataFileTest, NewDocumentSavesA4144ByteFileWithTheHeaderText)
{
    ASSERT_TRUE(doc.OnSaveDocument(env.File("new.dig")));
    const std::string bytes = TempDir::ReadFile(env.File("new.dig"));
    ASSERT_EQ(bytes.size(), 4144u);
    EXPECT_EQ(bytes.substr(0, 30), kResetText);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[48 + 0x3C0]), 0x86);
    EXPECT_EQ(doc.GetPathName(), env.File("new.dig"));
    EXPECT_EQ(doc.GetTitle(), "new.dig");
    EXPECT_FALSE(doc.IsModified());
}

struct LoadCase {
    const char* name;
    std::string file;
    CVelmarDoc::LoadResult result;
    std::size_t imageBytesLoaded; // from the pattern; the rest stays 0xFF
};

TEST_F(DataFileTest, LoadCases)
{
    std::string wrongByte5 = PatternFile();
    wrongByte5[5] = 'x';
    const LoadCase cases[] = {
        {"whole file", PatternFile(), CVelmarDoc::LoadResult::Ok, 4096},
        {"bytes after the image are ignored", PatternFile() + "trailing", CVelmarDoc::LoadResult::Ok, 4096},
        {"short file fills what it holds", PatternFile().substr(0, 1000), CVelmarDoc::LoadResult::Ok, 952},
        {"header only", PatternFile().substr(0, 48), CVelmarDoc::LoadResult::Ok, 0},
        {"shorter than the signature but matching", "Tavro Radio", CVelmarDoc::LoadResult::Ok, 0},
        {"wrong signature", wrongByte5, CVelmarDoc::LoadResult::WrongSignature, 0},
        {"unrelated file", std::string(5000, 'x'), CVelmarDoc::LoadResult::WrongSignature, 0},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        wrongSignatureMessages = 0;
        ASSERT_TRUE(Open(c.file));
        EXPECT_EQ(doc.GetLastLoadResult(), c.result);
        EXPECT_EQ(wrongSignatureMessages, c.result == CVelmarDoc::LoadResult::WrongSignature ? 1 : 0);
        const auto& image = doc.Image().bytes;
        for (std::size_t i = 0; i < image.size(); ++i) {
            const std::uint8_t expected = i < c.imageBytesLoaded ? static_cast<std::uint8_t>(i & 0xFF) : 0xFF;
            if (image[i] != expected) {
                ADD_FAILURE() << "image byte " << i;
                break;
            }
        }
        EXPECT_EQ(doc.GetPathName(), env.File("in.dig"));
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(DataFileTest, VersionTextAndReservedHeaderBytesSurviveASave)
{
    ASSERT_TRUE(Open(PatternFile(" v2.71")));
    ASSERT_TRUE(doc.OnSaveDocument(env.File("out.dig")));
    EXPECT_EQ(TempDir::ReadFile(env.File("out.dig")), PatternFile(" v2.71"));
}

TEST_F(DataFileTest, AfterAWrongSignatureASaveWritesALoadableFile)
{
    std::string file = PatternFile();
    file[5] = 'x';
    ASSERT_TRUE(Open(file));
    ASSERT_EQ(doc.GetLastLoadResult(), CVelmarDoc::LoadResult::WrongSignature);
    EXPECT_EQ(std::string(doc.Header().bytes.begin(), doc.Header().bytes.begin() + 30), kResetText);
    ASSERT_TRUE(doc.OnSaveDocument(env.File("in.dig")));
    ASSERT_TRUE(doc.OnOpenDocument(env.File("in.dig")));
    EXPECT_EQ(doc.GetLastLoadResult(), CVelmarDoc::LoadResult::Ok);
}

TEST_F(DataFileTest, LoadingDerivesTheBandFromTheFilesModel)
{
    doc.SelectModel(1);
    ASSERT_TRUE(doc.OnSaveDocument(env.File("vhf.dig")));
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetBandUpperLimit(), 52000000);
    ASSERT_TRUE(doc.OnOpenDocument(env.File("vhf.dig")));
    EXPECT_EQ(doc.GetBandLowerLimit(), 13600000);
    EXPECT_EQ(doc.GetBandUpperLimit(), 17400000);
}

TEST_F(DataFileTest, EmptyFileOpensAsAResetDocument)
{
    ASSERT_TRUE(Open(""));
    EXPECT_EQ(doc.GetLastLoadResult(), CVelmarDoc::LoadResult::Ok);
    EXPECT_EQ(doc.Image().bytes[RadioImage::kSettingFlags], 0xFF);
}

TEST_F(DataFileTest, UnreadableFileIsReportedAndTheDocumentKeptAsItWas)
{
    doc.SetFreqText(1, true, "439.125");
    doc.SetModifiedFlag(true);
    std::string error;
    EXPECT_FALSE(doc.OnOpenDocument(env.File("missing.dig"), &error));
    EXPECT_NE(error.find("missing.dig"), std::string::npos);
    EXPECT_EQ(doc.GetFreqText(1, true), "439.12500");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(DataFileTest, FailedSaveKeepsTheOldFileAndPath)
{
    ASSERT_TRUE(Open(PatternFile()));
    std::string error;
    EXPECT_FALSE(doc.OnSaveDocument(env.File("no-such-folder/out.dig"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(doc.GetPathName(), env.File("in.dig"));
}

TEST_F(DataFileTest, NewDocumentAsksFirstAndCancelLeavesEverythingAsItWas)
{
    ASSERT_TRUE(Open(PatternFile()));
    doc.SetModifiedFlag(true);
    int questions = 0;
    bool answer = false;
    doc.SetClearQuestion([&] {
        ++questions;
        return answer;
    });
    const auto imageBefore = doc.Image().bytes;
    EXPECT_FALSE(doc.OnNewDocument());
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(doc.Image().bytes, imageBefore);
    EXPECT_EQ(doc.GetPathName(), env.File("in.dig"));
    EXPECT_EQ(doc.GetTitle(), "in.dig");
    EXPECT_TRUE(doc.IsModified());

    answer = true;
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(doc.GetTitle(), "Item");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.IsRxEmpty(1));
    EXPECT_EQ(doc.Image().bytes[RadioImage::kSettingFlags], 0x86);
    EXPECT_EQ(doc.Image().bytes[RadioImage::kModelId], 0x00); // catalogue entry 0: 00 40 00 52
    EXPECT_EQ(doc.Image().bytes[RadioImage::kModelId + 3], 0x52);
}

TEST(Archive, LoadReadsWhatIsLeftAndStoreAppends)
{
    std::string source = "abcde";
    CArchive in(source, CArchive::load);
    char buffer[4] = {};
    EXPECT_EQ(in.Read(buffer, 3), 3u);
    EXPECT_EQ(in.Read(buffer, 4), 2u);
    EXPECT_EQ(std::string(buffer, 2), "de");
    EXPECT_EQ(in.Read(buffer, 4), 0u);
    in.Write("x", 1);
    EXPECT_EQ(source, "abcde");

    std::string sink;
    CArchive out(sink, CArchive::store);
    out.Write("ab", 2);
    out.Write("c", 1);
    EXPECT_EQ(out.Read(buffer, 1), 0u);
    EXPECT_EQ(sink, "abc");
}

} // namespace

namespace {

TEST(DataFileFixture, SampleFileLoadsFieldByFieldAndSavesUnchanged)
{
    ModelEnv env;
    CVelmarDoc doc;
    const std::string fixture = std::string(VELMAR_FIXTURE_DIR) + "/sample-uhf.dig";
    ASSERT_TRUE(doc.OnOpenDocument(fixture));
    ASSERT_EQ(doc.GetLastLoadResult(), CVelmarDoc::LoadResult::Ok);

    EXPECT_EQ(doc.GetModelIndex(), 0);
    EXPECT_EQ(doc.GetFreqText(1, true), "439.12500");
    EXPECT_EQ(doc.GetToneText(1, false), "88.5");
    EXPECT_EQ(doc.GetFreqText(2, false), "441.00625");
    EXPECT_EQ(doc.GetToneText(2, true), "D023N");
    EXPECT_EQ(doc.GetToneText(2, false), "D754I");
    EXPECT_EQ(doc.GetNarrowBand(2), 1);
    EXPECT_EQ(doc.GetHighPower(2), 0);
    EXPECT_EQ(doc.GetOption5(3), 1);
    EXPECT_TRUE(doc.IsTxEmpty(16));
    EXPECT_FALSE(doc.IsRxEmpty(16));
    EXPECT_TRUE(doc.IsRxEmpty(4));
    EXPECT_EQ(doc.GetPriorityChannel(), 2);
    EXPECT_EQ(doc.GetSquelchLevel(), 5);
    EXPECT_EQ(doc.GetTxTimeout(), 2);
    EXPECT_EQ(doc.GetVoxLevel(), 0);
    EXPECT_EQ(doc.GetVoxDelay(), 3);
    EXPECT_EQ(doc.GetSideKey1(), 1);
    EXPECT_EQ(doc.GetSideKey2Long(), 2);
    EXPECT_EQ(doc.GetVoiceAnnunciation(), 2);
    EXPECT_EQ(doc.GetPttId(), 3);
    EXPECT_EQ(doc.GetScanMode(), 1);
    EXPECT_EQ(doc.GetBeep(), 1);
    EXPECT_EQ(doc.GetBatterySave(), 0);
    EXPECT_EQ(doc.GetPttCodeText(true), "12AB");
    EXPECT_EQ(doc.GetPttCodeText(false), "D0");
    EXPECT_EQ(doc.GetReadPasswordText(), "aB3");

    // The same fields at their places in the file.
    const std::string bytes = TempDir::ReadFile(fixture);
    ASSERT_EQ(bytes.size(), 4144u);
    EXPECT_EQ(bytes.substr(48 + 0x20, 4), std::string("\x25\x06\x60\x44", 4)); // channel 2 rx 446.00625
    EXPECT_EQ(bytes.substr(48 + 0x2A, 2), std::string("\x54\xC7", 2));         // channel 2 tx tone D754I
    EXPECT_EQ(bytes[48 + 0x3C6], '\x01');                                     // priority channel 2

    ASSERT_TRUE(doc.OnSaveDocument(env.File("copy.dig")));
    EXPECT_EQ(TempDir::ReadFile(env.File("copy.dig")), bytes);
}

} // namespace
