#include "beyond/beyond_env.h"

#include "model/channel_edit.h"
#include "model/velmar_doc.h"
#include "shell/settings_file.h"

#include <string>

void BeyondTest::SetUp()
{
    TempDir::WriteFile(dir.file("setting.ini"),
        "[setup]\nchannel=16\nlanguage=english\n\n[ModelInfo]\ndata0=00400052\nFreq0=400-520MHz\n"
        "data1=60134017\nFreq1=136-174MHz\n");
    TempDir::WriteFile(dir.file("english.lang"), "[String]\nIDS_OFF=Off\nIDS_YES=Yes\nIDS_NO=No\n");
    SetSettingsFile(dir.file("setting.ini"));
    SetLanguageFile(dir.file("english.lang"));
}

void BeyondTest::TearDown()
{
    SetSettingsFile({});
    SetLanguageFile({});
}

void BeyondTest::FillAllChannels(CVelmarDoc& doc)
{
    static const char* const kTones[] = { "67.0", "88.5", "D023N", "D754I", "254.1", "", "100.0", "D131N" };
    for (int n = 1; n <= 16; ++n) {
        const std::string rx = std::to_string(400 + 7 * n) + "." + (n % 2 ? "12500" : "00625");
        CommitFrequency(doc, n, 1, rx);
        if (n % 3 == 0)
            CommitFrequency(doc, n, 3, std::to_string(401 + 7 * n) + ".50000");
        if (n % 5 == 0)
            CommitFrequency(doc, n, 3, "");
        CommitTone(doc, n, 2, kTones[n % 8]);
        if (!doc.IsTxEmpty(n))
            CommitTone(doc, n, 4, kTones[(n + 3) % 8]);
        for (int column = 5; column <= 11; ++column)
            SetChannelOption(doc, n, column, (n + column) % 2);
    }
}
