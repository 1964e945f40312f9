// The main form: the settings panel above the channel table. The three
// in-place editors come first so that they lie above the grid; they start
// hidden and disabled.

#include "dialog_template.h"

namespace {
constexpr unsigned kList = CS_VSCROLL;
constexpr unsigned kInPlace = CS_HIDDEN | CS_DISABLED;

const ControlTemplate kControls[] = {
    {1017, ControlKind::Edit, 28, 171, 34, 12, "", kInPlace, nullptr},
    {1019, ControlKind::ComboDropList, 69, 170, 34, 143, "", kInPlace | kList, nullptr},
    {1018, ControlKind::ComboDropList, 110, 171, 30, 90, "", kInPlace | kList, nullptr},
    {1033, ControlKind::Label, 202, 54, 75, 8, "侧键1", CS_NONE, nullptr},
    {1034, ControlKind::ComboDropList, 278, 54, 65, 123, "", kList, nullptr},
    {1043, ControlKind::Label, 202, 76, 75, 8, "侧键2", CS_NONE, nullptr},
    {1044, ControlKind::ComboDropList, 278, 73, 65, 123, "", kList, nullptr},
    {1049, ControlKind::Label, 357, 63, 78, 8, "声控延迟时间[秒]", CS_NONE, nullptr},
    {1050, ControlKind::ComboDropList, 440, 60, 72, 123, "", kList, nullptr},
    {1045, ControlKind::Label, 19, 112, 52, 8, "优先信道", CS_NONE, nullptr},
    {1046, ControlKind::ComboDropList, 74, 110, 106, 123, "", kList, nullptr},
    {1016, ControlKind::Custom, 7, 131, 551, 246, "", CS_BORDER, "MFCGridCtrl"},
    {1021, ControlKind::Label, 19, 22, 52, 8, "频率范围", CS_NONE, nullptr},
    {1022, ControlKind::ComboDropList, 74, 20, 106, 101, "", kList, nullptr},
    {1020, ControlKind::GroupBox, 9, 6, 179, 38, "机型信息", CS_NONE, nullptr},
    {1031, ControlKind::Label, 202, 14, 75, 8, "静噪等级", CS_NONE, nullptr},
    {1032, ControlKind::ComboDropList, 278, 12, 65, 123, "", kList, nullptr},
    {1035, ControlKind::Label, 202, 34, 75, 8, "发射限时[秒]", CS_NONE, nullptr},
    {1036, ControlKind::ComboDropList, 278, 32, 65, 123, "", kList, nullptr},
    {1025, ControlKind::Label, 357, 112, 78, 8, "语音播报", CS_NONE, nullptr},
    {1026, ControlKind::ComboDropList, 440, 110, 72, 52, "", kList, nullptr},
    {1041, ControlKind::Label, 19, 51, 52, 8, "读频密码", CS_NONE, nullptr},
    {1042, ControlKind::Edit, 74, 48, 106, 14, "", CS_PASSWORD | CS_BORDER, nullptr},
    {1023, ControlKind::CheckBox, 440, 28, 49, 10, "哔音", CS_NONE, nullptr},
    {1024, ControlKind::CheckBox, 440, 13, 65, 10, "电池省电", CS_NONE, nullptr},
    {1029, ControlKind::Label, 357, 97, 78, 8, "PTT ID", CS_NONE, nullptr},
    {1030, ControlKind::ComboDropList, 440, 93, 72, 90, "", kList, nullptr},
    {1039, ControlKind::Label, 19, 71, 52, 8, "发射开始码", CS_NONE, nullptr},
    {1040, ControlKind::Edit, 74, 68, 106, 14, "", CS_BORDER, nullptr},
    {1047, ControlKind::Label, 357, 80, 78, 8, "扫描模式", CS_NONE, nullptr},
    {1048, ControlKind::ComboDropList, 440, 76, 72, 90, "", kList, nullptr},
    {1051, ControlKind::Label, 19, 92, 52, 8, "发射结束", CS_NONE, nullptr},
    {1052, ControlKind::Edit, 74, 89, 106, 14, "", CS_BORDER, nullptr},
    {1037, ControlKind::Label, 357, 44, 78, 8, "声控等级", CS_NONE, nullptr},
    {1038, ControlKind::ComboDropList, 440, 43, 72, 123, "", kList, nullptr},
    {1053, ControlKind::Label, 202, 96, 75, 8, "侧键1(长按)", CS_NONE, nullptr},
    {1054, ControlKind::ComboDropList, 278, 92, 65, 123, "", kList, nullptr},
    {1055, ControlKind::Label, 201, 115, 75, 8, "侧键2(长按)", CS_NONE, nullptr},
    {1056, ControlKind::ComboDropList, 277, 111, 65, 123, "", kList, nullptr},
};
}

extern const DialogTemplate kDialog101;
const DialogTemplate kDialog101 = {101, 568, 387, "", "MS Sans Serif", 8, true, kControls,
    sizeof kControls / sizeof kControls[0]};
