// The calibration dialog of the test mode: six rows of a label, a 0..255
// scroll bar and its read-only value, then the debug-mode, write-all and
// Cancel buttons; the default OK button is hidden.

#include "dialog_template.h"

namespace {
constexpr unsigned kValue = CS_READONLY | CS_DISABLED | CS_BORDER;

const ControlTemplate kControls[] = {
    {1110, ControlKind::Label, 9, 14, 61, 10, "低功率(低频点)", CS_NONE, nullptr},
    {-1, ControlKind::Label, 83, 15, 8, 8, "0", CS_NONE, nullptr},
    {1163, ControlKind::ScrollBarHorz, 95, 14, 95, 11, "", CS_NONE, nullptr},
    {-1, ControlKind::Label, 200, 15, 15, 8, "255", CS_NONE, nullptr},
    {1115, ControlKind::Label, 94, 31, 40, 8, "Curren:", CS_NONE, nullptr},
    {1116, ControlKind::Edit, 136, 28, 40, 14, "", kValue, nullptr},
    {1118, ControlKind::Label, 9, 49, 61, 10, "低功率(中频点)", CS_NONE, nullptr},
    {-1, ControlKind::Label, 83, 50, 8, 8, "0", CS_NONE, nullptr},
    {1164, ControlKind::ScrollBarHorz, 95, 49, 95, 11, "", CS_NONE, nullptr},
    {-1, ControlKind::Label, 200, 50, 15, 8, "255", CS_NONE, nullptr},
    {1120, ControlKind::Label, 94, 66, 40, 8, "Curren:", CS_NONE, nullptr},
    {1121, ControlKind::Edit, 136, 63, 40, 14, "", kValue, nullptr},
    {1122, ControlKind::Label, 9, 84, 61, 10, "低功率(高频点)", CS_NONE, nullptr},
    {-1, ControlKind::Label, 83, 85, 8, 8, "0", CS_NONE, nullptr},
    {1165, ControlKind::ScrollBarHorz, 95, 84, 95, 11, "", CS_NONE, nullptr},
    {-1, ControlKind::Label, 200, 85, 15, 8, "255", CS_NONE, nullptr},
    {1124, ControlKind::Label, 94, 101, 40, 8, "Curren:", CS_NONE, nullptr},
    {1125, ControlKind::Edit, 136, 98, 40, 14, "", kValue, nullptr},
    {1111, ControlKind::Label, 9, 119, 61, 10, "高功率(低频点)", CS_NONE, nullptr},
    {-1, ControlKind::Label, 83, 120, 8, 8, "0", CS_NONE, nullptr},
    {1166, ControlKind::ScrollBarHorz, 95, 119, 95, 11, "", CS_NONE, nullptr},
    {-1, ControlKind::Label, 200, 120, 15, 8, "255", CS_NONE, nullptr},
    {1114, ControlKind::Label, 94, 136, 40, 8, "Curren:", CS_NONE, nullptr},
    {1117, ControlKind::Edit, 136, 133, 40, 14, "", kValue, nullptr},
    {1126, ControlKind::Label, 9, 154, 61, 10, "高功率(中频点)", CS_NONE, nullptr},
    {-1, ControlKind::Label, 83, 155, 8, 8, "0", CS_NONE, nullptr},
    {1167, ControlKind::ScrollBarHorz, 95, 154, 95, 11, "", CS_NONE, nullptr},
    {-1, ControlKind::Label, 200, 155, 15, 8, "255", CS_NONE, nullptr},
    {1128, ControlKind::Label, 94, 171, 40, 8, "Curren:", CS_NONE, nullptr},
    {1129, ControlKind::Edit, 136, 168, 40, 14, "", kValue, nullptr},
    {1130, ControlKind::Label, 9, 189, 61, 10, "高功率(高频点)", CS_NONE, nullptr},
    {-1, ControlKind::Label, 83, 190, 8, 8, "0", CS_NONE, nullptr},
    {1168, ControlKind::ScrollBarHorz, 95, 189, 95, 11, "", CS_NONE, nullptr},
    {-1, ControlKind::Label, 200, 190, 15, 8, "255", CS_NONE, nullptr},
    {1132, ControlKind::Label, 94, 206, 40, 8, "Curren:", CS_NONE, nullptr},
    {1133, ControlKind::Edit, 136, 203, 40, 14, "", kValue, nullptr},
    {1169, ControlKind::PushButton, 10, 260, 67, 14, "启动调试模式", CS_NONE, nullptr},
    {1170, ControlKind::PushButton, 94, 260, 75, 14, "全部写入", CS_NONE, nullptr},
    {2, ControlKind::PushButton, 184, 259, 50, 14, "取消", CS_NONE, nullptr},
    {1, ControlKind::DefPushButton, 140, 238, 50, 14, "确定", CS_HIDDEN, nullptr},
};
}

extern const DialogTemplate kDialog137;
const DialogTemplate kDialog137 = {137, 245, 281, "测试模式", "MS Sans Serif", 8, false, kControls,
    sizeof kControls / sizeof kControls[0]};
