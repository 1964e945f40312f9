// The test-mode password dialog.

#include "dialog_template.h"

namespace {
const ControlTemplate kControls[] = {
    {1172, ControlKind::Label, 7, 16, 99, 8, "请输入密码:", CS_NONE, nullptr},
    {1171, ControlKind::Edit, 111, 13, 59, 14, "", CS_PASSWORD | CS_BORDER, nullptr},
    {1, ControlKind::DefPushButton, 29, 42, 50, 14, "确定", CS_NONE, nullptr},
    {2, ControlKind::PushButton, 113, 40, 50, 14, "取消", CS_NONE, nullptr},
};
}

extern const DialogTemplate kDialog139;
const DialogTemplate kDialog139 = {139, 187, 61, "密码", "MS Sans Serif", 8, false, kControls,
    sizeof kControls / sizeof kControls[0]};
