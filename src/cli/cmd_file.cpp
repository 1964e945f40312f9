// velmar-cli commands on data files: new, show and set.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/cli_text.h"
#include "model/channel_edit.h"
#include "model/velmar_doc.h"
#include "platform/profile.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// ---- new ------------------------------------------------------------------

int RunNew(CliContext& context)
{
    std::string output;
    int model = 0;
    const auto& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "-o" || arg == "--output") && i + 1 < args.size()) {
            output = args[++i];
        } else if (arg == "--model" && i + 1 < args.size()) {
            const auto number = ParseCliNumber(args[++i]);
            if (!number || *number > 15) {
                CliError(context.err,
                    CliText("IDS_CLI_MODEL_OPTION", "--model takes a catalogue entry 0-15, not \"%s\"",
                        { args[i] }));
                return kExitUsage;
            }
            model = *number;
        } else {
            CliError(context.err, CliUnexpectedArgument("new", arg));
            return kExitUsage;
        }
    }
    if (output.empty()) {
        CliError(context.err, CliMissingOutput("new", "-o FILE.dig"));
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    if (model != 0
        && GetPrivateProfileString("ModelInfo", "data" + std::to_string(model), "", 32, SettingsFile())
               .empty()) {
        CliError(context.err,
            CliText("IDS_CLI_NO_MODEL", "the settings file has no catalogue entry %d", { model }));
        return kExitUsage;
    }

    CVelmarDoc doc;
    doc.OnNewDocument();
    if (model != 0) {
        // As a change of the frequency range: a reset image for the new model.
        doc.DeleteContents();
        doc.SelectModel(model);
    }
    return SaveCliDocument(doc, output, context.err) ? kExitOk : kExitFailure;
}

// ---- radio-wide settings, shared by show and set ----------------------------

std::string ListEntry(const char* section, int index)
{
    const std::vector<std::string> entries = LoadLangList(section);
    return index >= 0 && static_cast<std::size_t>(index) < entries.size()
        ? entries[static_cast<std::size_t>(index)]
        : std::string();
}

std::string OffOr(int value, const std::string& text)
{
    return value == 0 ? CliText("IDS_OFF", "Off") : text;
}

struct SettingField
{
    const char* name;
    int min;
    int max;
    int (CVelmarDoc::*get)() const;
    void (CVelmarDoc::*set)(int);
    // The text the settings panel shows for a value; empty when it shows the number.
    std::function<std::string(int)> shown;
};

const std::vector<SettingField>& SettingFields()
{
    static const std::vector<SettingField> fields = {
        { "squelchLevel", 0, 9, &CVelmarDoc::GetSquelchLevel, &CVelmarDoc::SetSquelchLevel, {} },
        { "txTimeout", 0, 10, &CVelmarDoc::GetTxTimeout, &CVelmarDoc::SetTxTimeout,
            [](int v) { return OffOr(v, std::to_string(30 * v)); } },
        { "voxLevel", 0, 9, &CVelmarDoc::GetVoxLevel, &CVelmarDoc::SetVoxLevel,
            [](int v) { return OffOr(v, std::to_string(v)); } },
        { "voxDelay", 0, 6, &CVelmarDoc::GetVoxDelay, &CVelmarDoc::SetVoxDelay,
            [](int v) { return std::to_string((v + 1) * 5 / 10) + "." + std::to_string((v + 1) * 5 % 10); } },
        { "sideKey1", 0, 15, &CVelmarDoc::GetSideKey1, &CVelmarDoc::SetSideKey1,
            [](int v) { return ListEntry("MonitorKey", v); } },
        { "sideKey2", 0, 15, &CVelmarDoc::GetSideKey2, &CVelmarDoc::SetSideKey2,
            [](int v) { return ListEntry("MonitorKey", v); } },
        { "sideKey1Long", 0, 15, &CVelmarDoc::GetSideKey1Long, &CVelmarDoc::SetSideKey1Long,
            [](int v) { return ListEntry("MonitorKey", v); } },
        { "sideKey2Long", 0, 15, &CVelmarDoc::GetSideKey2Long, &CVelmarDoc::SetSideKey2Long,
            [](int v) { return ListEntry("MonitorKey", v); } },
        { "voiceAnnunciation", 0, 2, &CVelmarDoc::GetVoiceAnnunciation, &CVelmarDoc::SetVoiceAnnunciation,
            [](int v) { return ListEntry("VoiceAnnunciation", v); } },
        { "pttId", 0, 3, &CVelmarDoc::GetPttId, &CVelmarDoc::SetPttId,
            [](int v) { return ListEntry("PttId", v); } },
        { "scanMode", 0, 1, &CVelmarDoc::GetScanMode, &CVelmarDoc::SetScanMode,
            [](int v) { return ListEntry("ScanMode", v); } },
        { "beep", 0, 1, &CVelmarDoc::GetBeep, &CVelmarDoc::SetBeep, {} },
        { "batterySave", 0, 1, &CVelmarDoc::GetBatterySave, &CVelmarDoc::SetBatterySave, {} },
        { "priorityChannel", 0, 16, &CVelmarDoc::GetPriorityChannel, &CVelmarDoc::SetPriorityChannel,
            [](int v) { return OffOr(v, std::to_string(v)); } },
    };
    return fields;
}

const SettingField* FindSettingField(const std::string& name)
{
    for (const SettingField& field : SettingFields())
        if (name == field.name)
            return &field;
    return nullptr;
}

// The number of channel rows the table shows: [setup] channel, at most the 16
// channels the image holds.
int ChannelRows()
{
    const std::string text = GetPrivateProfileString("setup", "channel", "", 20, SettingsFile());
    // strtoll saturates where atoi would overflow on a long digit string.
    return static_cast<int>(std::clamp(std::strtoll(text.c_str(), nullptr, 10), 0LL, 16LL));
}

// ---- show -------------------------------------------------------------------

int RunShow(CliContext& context)
{
    CVelmarDoc doc;
    if (const int code = LoadCliSingleDocument(context, "show", doc); code != kExitOk)
        return code;

    std::ostream& out = context.out;
    const int model = doc.GetModelIndex();
    const std::string modelText
        = GetPrivateProfileString("ModelInfo", "Freq" + std::to_string(model), "", 260, SettingsFile());
    out << CliText("IDS_CLI_SHOW_MODEL", "model: %d", { model });
    if (!modelText.empty())
        out << " (" << modelText << ")";
    out << '\n'
        << CliText(
               "IDS_CLI_SHOW_BAND", "band: %s - %s", { doc.GetBandLimitText(-1), doc.GetBandLimitText(1) })
        << '\n';
    for (const SettingField& field : SettingFields()) {
        const int value = (doc.*field.get)();
        out << field.name << ": " << value;
        if (field.shown) {
            const std::string text = field.shown(value);
            if (!text.empty())
                out << " (" << text << ")";
        }
        out << '\n';
    }
    out << "txStartCode: " << doc.GetPttCodeText(true) << '\n';
    out << "txEndCode: " << doc.GetPttCodeText(false) << '\n';
    out << "readPassword: " << doc.GetReadPasswordText() << '\n';

    // The channel table: the bare channel number, then the eleven cells in
    // column order, tab-separated, exactly as the table shows them.
    out << '\n';
    for (int row = 1; row <= ChannelRows(); ++row) {
        out << row;
        for (int column = 1; column < kChannelColumnCount; ++column)
            out << '\t' << ChannelCellText(doc, row, column);
        out << '\n';
    }
    return kExitOk;
}

// ---- set --------------------------------------------------------------------

struct ChannelField
{
    const char* name;
    int column;
};

const ChannelField kChannelFields[] = {
    { "rxFreq", 1 },
    { "rxTone", 2 },
    { "txFreq", 3 },
    { "txTone", 4 },
    { "option5", 5 },
    { "narrowBand", 6 },
    { "highPower", 7 },
    { "option8", 8 },
    { "option9", 9 },
    { "option10", 10 },
    { "option11", 11 },
};

bool IsPttCodeText(const std::string& text)
{
    return text.size() <= 15 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd');
    });
}

bool IsPasswordText(const std::string& text)
{
    return text.size() <= 6 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

// Applies one channel field the way the table's editors commit it. A cell the
// table shows read-only (on an empty channel, or the transmit tone without a
// transmit frequency) is refused, as the table opens no editor there.
bool ApplyChannelField(
    CVelmarDoc& doc, int channel, const ChannelField& field, const std::string& value, std::ostream& err)
{
    if (IsChannelCellReadOnly(doc, channel, field.column)) {
        CliError(err,
            doc.IsRxEmpty(channel)
                ? CliText("IDS_CLI_SET_CHANNEL_EMPTY",
                    "%s of channel %d cannot be set: the channel is empty (set rxFreq first)",
                    { field.name, channel })
                : CliText("IDS_CLI_SET_NO_TXFREQ", "%s of channel %d cannot be set: txFreq is empty",
                    { field.name, channel }));
        return false;
    }
    switch (field.column) {
    case 1:
    case 3:
        CommitFrequency(doc, channel, field.column, value);
        return true;
    case 2:
    case 4:
        CommitTone(doc, channel, field.column, value);
        return true;
    default:
        if (value != "0" && value != "1") {
            CliError(err, CliText("IDS_CLI_SET_FLAG", "%s takes 0 or 1, not \"%s\"", { field.name, value }));
            return false;
        }
        SetChannelOption(doc, channel, field.column, value == "1" ? 1 : 0);
        return true;
    }
}

bool ApplySettingField(CVelmarDoc& doc, const std::string& name, const std::string& value, std::ostream& err)
{
    if (name == "txStartCode" || name == "txEndCode") {
        if (!IsPttCodeText(value)) {
            CliError(err,
                CliText("IDS_CLI_SET_PTT_CODE", "%s takes up to 15 characters 0-9 and A-D, not \"%s\"",
                    { name, value }));
            return false;
        }
        doc.SetPttCodeText(name == "txStartCode", value);
        return true;
    }
    if (name == "readPassword") {
        if (!IsPasswordText(value)) {
            CliError(err,
                CliText("IDS_CLI_SET_PASSWORD", "readPassword takes up to 6 letters and digits, not \"%s\"",
                    { value }));
            return false;
        }
        doc.SetReadPasswordText(value);
        return true;
    }
    const SettingField* field = FindSettingField(name);
    if (!field) {
        CliError(err, CliText("IDS_CLI_SET_UNKNOWN_FIELD", "unknown field \"%s\" (see --help)", { name }));
        return false;
    }
    const auto number = ParseCliNumber(value);
    if (!number || *number < field->min || *number > field->max) {
        CliError(err,
            CliText("IDS_CLI_SET_RANGE", "%s takes a number %d-%d, not \"%s\"",
                { name, field->min, field->max, value }));
        return false;
    }
    if (name == "priorityChannel" && *number != 0 && doc.IsRxEmpty(*number)) {
        CliError(
            err, CliText("IDS_CLI_SET_PRIORITY_EMPTY", "priorityChannel %s is an empty channel", { value }));
        return false;
    }
    (doc.*field->set)(*number);
    return true;
}

int RunSet(CliContext& context)
{
    const auto& args = context.args;
    if (args.empty() || args[0].starts_with("-")) {
        CliError(context.err, CliText("IDS_CLI_SET_NO_FILE", "set: the data file is missing (see --help)"));
        return kExitUsage;
    }
    const std::string& path = args[0];
    if (args.size() < 2) {
        CliError(context.err, CliText("IDS_CLI_SET_NO_FIELDS", "set: no FIELD=VALUE given (see --help)"));
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    CVelmarDoc doc;
    if (!LoadCliDocument(doc, path, context.err))
        return kExitFailure;

    // Everything is applied in memory, in order; the file is written once at
    // the end, and not at all when any argument is refused.
    int channel = 0;
    int fields = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--channel") {
            const auto number = i + 1 < args.size() ? ParseCliNumber(args[i + 1]) : std::nullopt;
            if (!number || !CVelmarDoc::IsValidChannel(*number)) {
                CliError(context.err,
                    i + 1 < args.size()
                        ? CliText("IDS_CLI_SET_CHANNEL_VALUE",
                            "--channel takes a channel number 1-16, not \"%s\"", { args[i + 1] })
                        : CliText("IDS_CLI_SET_CHANNEL_MISSING", "--channel takes a channel number 1-16"));
                return kExitUsage;
            }
            channel = *number;
            ++i;
            continue;
        }
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos || equals == 0) {
            CliError(context.err,
                CliText("IDS_CLI_SET_EXPECTED", "set: expected FIELD=VALUE, not \"%s\"", { arg }));
            return kExitUsage;
        }
        const std::string name = arg.substr(0, equals);
        const std::string value = arg.substr(equals + 1);
        const auto channelField = std::find_if(std::begin(kChannelFields), std::end(kChannelFields),
            [&](const ChannelField& f) { return name == f.name; });
        bool applied = false;
        if (channelField != std::end(kChannelFields)) {
            if (channel == 0) {
                CliError(context.err,
                    CliText("IDS_CLI_SET_NEEDS_CHANNEL", "%s is a channel field: give --channel N before it",
                        { name }));
                return kExitUsage;
            }
            applied = ApplyChannelField(doc, channel, *channelField, value, context.err);
        } else {
            applied = ApplySettingField(doc, name, value, context.err);
        }
        if (!applied)
            return kExitUsage;
        ++fields;
    }
    if (fields == 0) {
        CliError(context.err, CliText("IDS_CLI_SET_NO_FIELDS", "set: no FIELD=VALUE given (see --help)"));
        return kExitUsage;
    }
    return SaveCliDocument(doc, path, context.err) ? kExitOk : kExitFailure;
}

[[maybe_unused]] const bool kNewRegistered = RegisterCliCommand({ "new", "new [--model N] -o FILE.dig",
    "write a new data file as at start-up (or for catalogue entry N of setting.ini)", RunNew });
[[maybe_unused]] const bool kShowRegistered = RegisterCliCommand({ "show", "show FILE.dig",
    "print the radio-wide settings, then one tab-separated line per channel", RunShow });
[[maybe_unused]] const bool kSetRegistered
    = RegisterCliCommand({ "set", "set FILE.dig [--channel N] FIELD=VALUE...",
        "change fields in place, applied in order, saved once", RunSet });

} // namespace
