// Language dialog: a label, a sorted drop-down list of the language files'
// display names, OK and Cancel.

#include "dialog_template.h"

namespace {
const ControlTemplate kControls[] = {
    {1013, ControlKind::Label, 12, 16, 60, 8, "请选择语言:", CS_NONE, nullptr},
    {1014, ControlKind::ComboDropList, 12, 28, 140, 80, "", CS_SORT | CS_VSCROLL, nullptr},
    {1, ControlKind::DefPushButton, 24, 58, 50, 14, "确定", CS_NONE, nullptr},
    {2, ControlKind::PushButton, 90, 58, 50, 14, "取消", CS_NONE, nullptr},
};
}

extern const DialogTemplate kDialog131;
const DialogTemplate kDialog131 = {131, 164, 80, "语言", "MS Sans Serif", 8, false, kControls,
    sizeof kControls / sizeof kControls[0]};
