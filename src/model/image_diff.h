#pragma once
// Compares two radio images field by field and names each difference by its
// channel and setting, with both values as the editor shows them; bytes no
// field covers are named by their offset. Used by verify and file compare.
// Qt-free; user-interface thread (the off text comes from the language file).

#include "model/radio_image.h"

#include <cstddef>
#include <string>
#include <vector>

struct ImageDifference
{
    std::size_t offset = 0; // first byte of the field
    std::string name; // "channel 3 receive frequency", "squelchLevel"
    std::string first;
    std::string second;
};

// Differences within image bytes [0, length), in image order. length is
// RadioImage::kClonedSize for what a transfer moves, kSize for whole files.
// localized: field names from the language file ("IDS_DIFF_..." keys),
// otherwise the built-in English of the command line.
std::vector<ImageDifference> DiffImages(
    const RadioImage& first, const RadioImage& second, std::size_t length, bool localized);

// "channel 3 receive frequency: file 145.50000, radio 145.52500" with the two
// labels given.
std::string FormatImageDifference(
    const ImageDifference& difference, const std::string& firstLabel, const std::string& secondLabel);
