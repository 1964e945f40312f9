// Entry point of every GUI test executable: the offscreen platform unless a
// display was chosen explicitly, and private runtime and config folders so a
// test never reads or writes the user's real configuration.

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
std::string MakePrivateDir(const char* stem)
{
    std::string pattern = (std::filesystem::temp_directory_path() / stem).string() + "-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return {};
    return pattern;
}
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string runtime = MakePrivateDir("velmar-gui-runtime");
    const std::string config = MakePrivateDir("velmar-gui-config");
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();

    std::error_code ec;
    std::filesystem::remove_all(runtime, ec);
    std::filesystem::remove_all(config, ec);
    return rc;
}
