#include "model/model_env.h"
#include "model/velmar_doc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CatalogueCase {
    const char* name;
    const char* catalogue; // [ModelInfo] lines
    std::array<std::uint8_t, 4> modelId;
    int index;
    std::int32_t lower;
    std::int32_t upper;
};

const CatalogueCase kCases[] = {
    {"second entry matches", "data0=00400052\ndata1=60134017\n", {0x60, 0x13, 0x40, 0x17}, 1, 13600000, 17400000},
    {"no match falls back to entry 0", "data0=00400052\ndata1=60134017\n", {0x11, 0x22, 0x33, 0x44}, 0, 40000000,
        52000000},
    {"list ends at the first missing key", "data0=00400052\ndata2=60134017\n", {0x60, 0x13, 0x40, 0x17}, 0, 40000000,
        52000000},
    {"an empty value ends the list too", "data0=00400052\ndata1=\ndata2=60134017\n", {0x60, 0x13, 0x40, 0x17}, 0,
        40000000, 52000000},
    {"a letter ends a band edge", "data0=a5400052\n", {0xA5, 0x40, 0x00, 0x52}, 0, 4000000, 52000000},
    {"last match wins", "data0=60134017\ndata1=60134017\n", {0x60, 0x13, 0x40, 0x17}, 1, 13600000, 17400000},
    {"characters after eight are ignored", "data0=00400052\ndata1=60134017XYZ\n", {0x60, 0x13, 0x40, 0x17}, 1,
        13600000, 17400000},
    {"no catalogue: 100-520 MHz", "", {0x60, 0x13, 0x40, 0x17}, 0, 10000000, 52000000},
    {"short identifier decodes missing digits as 0", "data0=00400052\ndata1=6013\n", {0x60, 0x13, 0x00, 0x00}, 1,
        13600000, 0},
};

TEST(ModelCatalogue, IndexAndBandLimits)
{
    for (const CatalogueCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ModelEnv env(c.catalogue);
        CVelmarDoc doc;
        std::copy(c.modelId.begin(), c.modelId.end(), &doc.Image().bytes[RadioImage::kModelId]);
        EXPECT_EQ(doc.GetModelIndex(), c.index);
        doc.UpdateBandLimits();
        EXPECT_EQ(doc.GetBandLowerLimit(), c.lower);
        EXPECT_EQ(doc.GetBandUpperLimit(), c.upper);
    }
}

TEST(ModelCatalogue, EntriesBeyondFifteenAreNeverRead)
{
    std::string catalogue;
    for (int n = 0; n < 16; ++n)
        catalogue += "data" + std::to_string(n) + "=00400052\n";
    catalogue += "data16=60134017\n";
    ModelEnv env(catalogue);
    CVelmarDoc doc;
    doc.SelectModel(16);
    EXPECT_EQ(doc.Image().bytes[RadioImage::kModelId], 0xFF); // nothing taken from data16
    std::copy_n("\x60\x13\x40\x17", 4, &doc.Image().bytes[RadioImage::kModelId]);
    EXPECT_EQ(doc.GetModelIndex(), 0);
}

TEST(ModelCatalogue, SelectModelWritesIdentifierBandAndDefaults)
{
    ModelEnv env;
    CVelmarDoc doc;
    doc.SelectModel(1);
    const std::uint8_t id[] = {0x60, 0x13, 0x40, 0x17};
    EXPECT_TRUE(std::equal(std::begin(id), std::end(id), &doc.Image().bytes[RadioImage::kModelId]));
    EXPECT_EQ(doc.GetModelIndex(), 1);
    EXPECT_EQ(doc.GetBandLowerLimit(), 13600000);
    EXPECT_EQ(doc.GetBandUpperLimit(), 17400000);
    EXPECT_EQ(doc.Image().bytes[RadioImage::kSettingFlags], 0x86);
}

TEST(ModelCatalogue, SelectingAMissingEntryKeepsTheIdentifier)
{
    ModelEnv env("");
    CVelmarDoc doc;
    doc.SelectModel(0);
    EXPECT_EQ(doc.Image().bytes[RadioImage::kModelId], 0xFF);
    EXPECT_EQ(doc.GetBandLowerLimit(), 10000000);
    EXPECT_EQ(doc.GetBandUpperLimit(), 52000000);
    EXPECT_EQ(doc.Image().bytes[RadioImage::kSettingFlags], 0x86); // defaults still applied
}

class CountingView : public CDocumentView {
public:
    void OnUpdate(CDocumentView*, long) override { ++updates; }
    int updates = 0;
};

TEST(ModelCatalogue, RefreshAllDerivesTheBandAndUpdatesEveryView)
{
    ModelEnv env;
    CVelmarDoc doc;
    CountingView first;
    CountingView second;
    doc.AddView(&first);
    doc.AddView(&second);
    // As after a radio read: the image changed behind the document's back.
    std::copy_n("\x60\x13\x40\x17", 4, &doc.Image().bytes[RadioImage::kModelId]);
    doc.RefreshAll();
    EXPECT_EQ(doc.GetBandUpperLimit(), 17400000);
    EXPECT_EQ(first.updates, 1);
    EXPECT_EQ(second.updates, 1);
    doc.RemoveView(&second);
    doc.UpdateAllViews(&first); // the sender is not told
    EXPECT_EQ(first.updates, 1);
    EXPECT_EQ(second.updates, 1);
}

} // namespace
