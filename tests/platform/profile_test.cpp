#include "platform/profile.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <thread>

namespace {

struct ReadCase {
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    const char* def;
    std::size_t size;
    std::string expected;
};

const std::string kLongValue(70000, 'v');

const ReadCase kReadCases[] = {
    { "Plain", "[setup]\ncom=3\n", "setup", "com", "", 20, "3" },
    { "SectionAndKeyIgnoreCase", "[SetUp]\nCOM=3\n", "setup", "Com", "", 20, "3" },
    { "BlanksAroundNamesAndValueAreTrimmed", "  [ setup ]  \n  com  =  7 8  \n", "setup", "com", "", 20, "7 8" },
    { "CrLfLineEnds", "[a]\r\nx=1\r\ny=two\r\n", "a", "y", "", 20, "two" },
    { "ByteOrderMarkBeforeFirstSection", "\xEF\xBB\xBF[a]\nx=1\n", "a", "x", "", 20, "1" },
    { "FirstOfDuplicateSectionsWins", "[a]\nx=1\n[b]\n[A]\nx=2\ny=3\n", "a", "x", "", 20, "1" },
    { "KeyOnlyInLaterDuplicateSectionIsAbsent", "[a]\nx=1\n[a]\ny=3\n", "a", "y", "d", 20, "d" },
    { "FirstOfDuplicateKeysWins", "[a]\nx=1\nX=2\n", "a", "x", "", 20, "1" },
    { "KeyOfAnotherSectionIsNotFound", "[a]\nx=1\n[b]\ny=2\n", "a", "y", "d", 20, "d" },
    { "KeyBeforeAnySectionIsIgnored", "x=1\n[a]\n", "a", "x", "d", 20, "d" },
    { "SurroundingQuotesAreStripped", "[a]\nx=\" padded \"\n", "a", "x", "", 20, " padded " },
    { "OneSidedQuoteIsKept", "[a]\nx=\"open\n", "a", "x", "", 20, "\"open" },
    { "ValueMayContainEquals", "[a]\nx=a=b\n", "a", "x", "", 20, "a=b" },
    { "EmptyValueIsNotTheDefault", "[a]\nx=\n", "a", "x", "d", 20, "" },
    { "LinesWithoutEqualsAreSkipped", "[a]\njunk line\nx\nx=5\n", "a", "x", "", 20, "5" },
    { "CommentedKeyIsAbsent", "[ports]\n;COM1=/dev/ttyACM0\n", "ports", "COM1", "d", 20, "d" },
    { "BinaryGarbageAroundTheKey", std::string("\x01\xff\xfe[\0zz\n", 8) + "[a]\n\x80\x81=\x90\nx=ok\n", "a", "x", "", 20,
        "ok" },
    { "VeryLongLineBeforeTheKey", "[a]\nlong=" + kLongValue + "\nx=after\n", "a", "x", "", 20, "after" },
    { "VeryLongValueIsCut", "[a]\nlong=" + kLongValue + "\n", "a", "long", "", 1000, std::string(999, 'v') },
    { "MissingKeyGivesDefault", "[a]\nx=1\n", "a", "y", "dflt", 20, "dflt" },
    { "MissingSectionGivesDefault", "[a]\nx=1\n", "b", "x", "dflt", 20, "dflt" },
    { "AbsentDefaultGivesEmpty", "[a]\n", "a", "x", "", 20, "" },
    { "CutToSizeMinusOne", "[a]\nx=abcdef\n", "a", "x", "", 4, "abc" },
    { "SizeZeroGivesEmpty", "[a]\nx=abcdef\n", "a", "x", "", 0, "" },
    { "DefaultIsCutToo", "[a]\n", "a", "x", "Not Found", 4, "Not" },
    // "中文" is two three-byte characters.
    { "CutNeverSplitsCharacterSize5", "[a]\nx=中文\n", "a", "x", "", 5, "中" },
    { "CutNeverSplitsCharacterSize3", "[a]\nx=中文\n", "a", "x", "", 3, "" },
    { "CutAtCharacterBoundaryKeepsIt", "[a]\nx=中文\n", "a", "x", "", 4, "中" },
    { "WholeMultibyteValueFits", "[a]\nx=中文\n", "a", "x", "", 7, "中文" },
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, ReturnsTheValueAsWindowsWould)
{
    const ReadCase& c = GetParam();
    TempDir dir;
    const std::string file = dir.file("test.ini");
    TempDir::WriteFile(file, c.content);
    EXPECT_EQ(GetPrivateProfileString(c.section, c.key, c.def, c.size, file), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, testing::ValuesIn(kReadCases),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(ProfileReadFile, MissingFileGivesDefault)
{
    TempDir dir;
    EXPECT_EQ(GetPrivateProfileString("a", "x", "dflt", 20, dir.file("none.ini")), "dflt");
    EXPECT_EQ(GetPrivateProfileInt("a", "x", 9, dir.file("none.ini")), 9);
}

struct IntCase {
    const char* name;
    const char* line; // nullptr: the key is absent
    int expected;
};

const IntCase kIntCases[] = {
    { "Positive", "n=16", 16 },
    { "Negative", "n=-5", -5 },
    { "ExplicitPlus", "n=+7", 7 },
    { "LeadingBlanksAndTrailingText", "n= 42abc", 42 },
    { "NoNumber", "n=abc", 0 },
    { "EmptyValue", "n=", 0 },
    { "SignWithoutDigits", "n=-", 0 },
    { "QuotedNumber", "n=\"12\"", 12 },
    { "TooLargeSaturates", "n=99999999999999999999", INT_MAX },
    { "TooSmallSaturates", "n=-99999999999999999999", INT_MIN },
    { "IntMin", "n=-2147483648", INT_MIN },
    { "Absent", nullptr, 1234 },
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << c.name; }

class ProfileInt : public testing::TestWithParam<IntCase> {};

TEST_P(ProfileInt, TakesTheLeadingDecimalNumber)
{
    const IntCase& c = GetParam();
    TempDir dir;
    const std::string file = dir.file("test.ini");
    TempDir::WriteFile(file, std::string("[setup]\n") + (c.line ? c.line : "other=1") + "\n");
    EXPECT_EQ(GetPrivateProfileInt("SETUP", "N", 1234, file), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileInt, testing::ValuesIn(kIntCases),
    [](const testing::TestParamInfo<IntCase>& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    const char* before; // nullptr: no file yet
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

const WriteCase kWriteCases[] = {
    { "CreatesFileAndSection", nullptr, "setup", "com", "3", "[setup]\ncom=3\n" },
    { "AppendsSectionAfterBlankLine", "[a]\nx=1\n", "b", "y", "2", "[a]\nx=1\n\n[b]\ny=2\n" },
    { "ReplacesKeyKeepingEverythingElse",
        "; settings\n[setup]\nlanguage=english\ncom=1\nsearchcom=1\n\n[ports]\n;COM1=/dev/ttyACM0\n", "setup", "com",
        "5", "; settings\n[setup]\nlanguage=english\ncom=5\nsearchcom=1\n\n[ports]\n;COM1=/dev/ttyACM0\n" },
    { "ReplacesRegardlessOfCaseAndBlanks", "[SETUP]\n  COM = 1  \nx=2\n", "setup", "com", "4", "[SETUP]\ncom=4\nx=2\n" },
    { "AddsKeyAtEndOfSectionBeforeBlankLines", "[a]\nx=1\n\n[b]\ny=2\n", "a", "z", "3",
        "[a]\nx=1\nz=3\n\n[b]\ny=2\n" },
    { "AddsKeyToEmptyLastSection", "[a]\nx=1\n[b]\n", "b", "y", "2", "[a]\nx=1\n[b]\ny=2\n" },
    { "WritesIntoFirstOfDuplicateSections", "[a]\nx=1\n[a]\nx=2\n", "a", "x", "9", "[a]\nx=9\n[a]\nx=2\n" },
    { "KeepsCrLfLineEnds", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3",
        "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n" },
    { "ReplacesInCrLfFile", "[a]\r\nx=1\r\ny=2\r\n", "a", "x", "7", "[a]\r\nx=7\r\ny=2\r\n" },
    { "NewSectionInCrLfFile", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n" },
    { "LastLineWithoutLineEnd", "[a]\nx=1", "a", "y", "2", "[a]\nx=1\ny=2\n" },
    { "SectionHeaderWithoutLineEnd", "[a]", "a", "y", "2", "[a]\ny=2\n" },
    { "LastLineEndsInBareCarriageReturn", "[a]\nx=1\r", "a", "y", "2", "[a]\nx=1\r\ny=2\n" },
    { "KeepsByteOrderMark", "\xEF\xBB\xBF[a]\nx=1\n", "a", "x", "2", "\xEF\xBB\xBF[a]\nx=2\n" },
    { "EmptyValue", "[setup]\nlanguage=english\n", "setup", "language", "", "[setup]\nlanguage=\n" },
    { "Utf8Value", "[a]\nx=1\n", "a", "x", "简体中文", "[a]\nx=简体中文\n" },
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyTheOneLine)
{
    const WriteCase& c = GetParam();
    TempDir dir;
    const std::string file = dir.file("setting.ini");
    if (c.before)
        TempDir::WriteFile(file, c.before);
    std::string error;
    ASSERT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, file, &error)) << error;
    EXPECT_EQ(TempDir::ReadFile(file), c.after);
    EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "absent", 100, file), c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, testing::ValuesIn(kWriteCases),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(ProfileWriteErrors, TextThatWouldChangeTheFileStructureIsRefused)
{
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        { "setup", "com", "1\n[evil]\nx=1" },
        { "setup", "com", "1\r" },
        { "setup", "co=m", "1" },
        { "setup", "", "1" },
        { "set]up", "com", "1" },
        { "set\nup", "com", "1" },
        { "setup", "[x]", "1" },
        { " ", "com", "1" },
    };
    TempDir dir;
    const std::string file = dir.file("setting.ini");
    const std::string before = "[setup]\ncom=1\n";
    TempDir::WriteFile(file, before);
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(WritePrivateProfileString(c.section, c.key, c.value, file, &error)) << c.key << c.value;
        EXPECT_NE(error.find(file), std::string::npos) << error;
        EXPECT_EQ(TempDir::ReadFile(file), before);
    }
}
TEST(ProfileWriteThreads, ConcurrentWritersOfOneFileLoseNoKey)
{
    TempDir dir;
    const std::string file = dir.file("setting.ini");
    TempDir::WriteFile(file, "[setup]\n");
    auto writer = [&](const char* prefix) {
        for (int i = 0; i < 40; ++i)
            WritePrivateProfileString("setup", prefix + std::to_string(i), "1", file);
    };
    std::thread a(writer, "a");
    std::thread b(writer, "b");
    a.join();
    b.join();
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(GetPrivateProfileInt("setup", "a" + std::to_string(i), 0, file), 1) << i;
        EXPECT_EQ(GetPrivateProfileInt("setup", "b" + std::to_string(i), 0, file), 1) << i;
    }
}

} // namespace
