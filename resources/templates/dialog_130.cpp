// The port dialog: eight COM radio buttons in a frame, and the port search
// check box, which the dialog carries but keeps hidden.

#include "dialog_template.h"

namespace {
const ControlTemplate kControls[] = {
    {1, ControlKind::DefPushButton, 21, 88, 40, 15, "确定", CS_NONE, nullptr},
    {2, ControlKind::PushButton, 79, 88, 40, 15, "取消", CS_NONE, nullptr},
    {1011, ControlKind::GroupBox, 7, 11, 123, 73, "通信端口", CS_NONE, nullptr},
    {1001, ControlKind::RadioButton, 22, 23, 36, 10, "COM1", CS_NONE, nullptr},
    {1002, ControlKind::RadioButton, 22, 37, 36, 10, "COM2", CS_NONE, nullptr},
    {1003, ControlKind::RadioButton, 22, 52, 36, 10, "COM3", CS_NONE, nullptr},
    {1004, ControlKind::RadioButton, 22, 67, 36, 10, "COM4", CS_NONE, nullptr},
    {1005, ControlKind::RadioButton, 83, 23, 36, 10, "COM5", CS_NONE, nullptr},
    {1006, ControlKind::RadioButton, 83, 37, 36, 10, "COM6", CS_NONE, nullptr},
    {1007, ControlKind::RadioButton, 83, 52, 36, 10, "COM7", CS_NONE, nullptr},
    {1008, ControlKind::RadioButton, 83, 67, 36, 10, "COM8", CS_NONE, nullptr},
    {1012, ControlKind::CheckBox, 21, 90, 38, 10, "搜索端口", CS_HIDDEN, nullptr},
};
}

extern const DialogTemplate kDialog130;
const DialogTemplate kDialog130 = {130, 137, 113, "Communication Port", "MS Sans Serif", 8, false,
    kControls, sizeof kControls / sizeof kControls[0]};
