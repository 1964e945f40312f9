// Writes the three tone-list resources the tone cell editor reads: files of
// fixed 8-byte records, each one ASCII tone text padded with NUL bytes.
// 136: the CTCSS tones; 135: the DCS codes, normal polarity; 134: the same
// codes, inverted. Usage: velmar_tone_gen OUTPUT_FOLDER

#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kRecordSize = 8;

constexpr std::array<const char*, 50> kCtcss = {"67.0", "69.3", "71.9", "74.4", "77.0", "79.7",
    "82.5", "85.4", "88.5", "91.5", "94.8", "97.4", "100.0", "103.5", "107.2", "110.9", "114.8",
    "118.8", "123.0", "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8",
    "162.2", "165.5", "167.9", "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9",
    "192.8", "196.6", "199.5", "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6",
    "241.8", "250.3", "254.1"};

constexpr std::array<const char*, 104> kDcs = {"023", "025", "026", "031", "032", "036", "043",
    "047", "051", "053", "054", "065", "071", "072", "073", "074", "114", "115", "116", "122",
    "125", "131", "132", "134", "143", "145", "152", "155", "156", "162", "165", "172", "174",
    "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255", "261",
    "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346",
    "351", "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526", "532",
    "546", "565", "606", "612", "624", "627", "631", "632", "654", "662", "664", "703", "712",
    "723", "731", "732", "734", "743", "754"};

bool WriteRecords(const std::string& path, const std::vector<std::string>& texts)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& text : texts) {
        std::array<char, kRecordSize> record{};
        if (text.size() >= kRecordSize)
            return false;
        std::memcpy(record.data(), text.data(), text.size());
        out.write(record.data(), record.size());
    }
    out.close();
    return static_cast<bool>(out);
}

std::vector<std::string> DcsTexts(char polarity)
{
    std::vector<std::string> texts;
    for (const char* code : kDcs)
        texts.push_back(std::string("D") + code + polarity);
    return texts;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmar_tone_gen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<std::string> ctcss(kCtcss.begin(), kCtcss.end());
    if (!WriteRecords(folder + "/136.bin", ctcss) || !WriteRecords(folder + "/135.bin", DcsTexts('N'))
        || !WriteRecords(folder + "/134.bin", DcsTexts('I'))) {
        std::fprintf(stderr, "velmar_tone_gen: cannot write the tone lists into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
