#pragma once
// A temp folder with a settings file (catalogue 400-520 MHz and 136-174 MHz,
// 16 channel rows) and an English language file, made the process-wide files
// for one test; and a fully used image to work on.

#include "support/temp_dir.h"

#include <gtest/gtest.h>

class CVelmarDoc;

class BeyondTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Every channel in use with distinct frequencies, tones (CTCSS and DCS of
    // both polarities), split and simplex channels and mixed options.
    static void FillAllChannels(CVelmarDoc& doc);

    TempDir dir;
};
