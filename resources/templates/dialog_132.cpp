// The transfer dialog: a status line above a progress bar, and the "verify
// after writing" check box that only a write shows; the caption comes from
// the language file by direction when the dialog opens.

#include "dialog_template.h"

namespace {
const ControlTemplate kControls[] = {
    {1010, ControlKind::Label, 7, 10, 159, 9, "", CS_NONE, nullptr},
    {1009, ControlKind::ProgressBar, 7, 22, 161, 15, "", CS_SMOOTH | CS_BORDER, nullptr},
    {1190, ControlKind::CheckBox, 7, 44, 159, 10, "写入后校验", CS_HIDDEN, nullptr},
    {1, ControlKind::DefPushButton, 40, 62, 37, 14, "确定", CS_NONE, nullptr},
    {2, ControlKind::PushButton, 98, 62, 37, 14, "取消", CS_NONE, nullptr},
};
}

extern const DialogTemplate kDialog132;
const DialogTemplate kDialog132 = {132, 175, 83, "", "MS Sans Serif", 8, false, kControls,
    sizeof kControls / sizeof kControls[0]};
