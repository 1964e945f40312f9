// About box: the application icon, the product and version line (1015) and
// one further line. No buttons; Esc or the close box ends it.

#include "dialog_template.h"

namespace {
const ControlTemplate kControls[] = {
    {-1, ControlKind::Icon, 11, 14, 21, 20, "", CS_NONE, nullptr},
    {1015, ControlKind::Label, 40, 12, 150, 8, "Velmar 编程软件 1.0 版", CS_NONE, nullptr},
    {1027, ControlKind::Label, 40, 28, 150, 8, "用于16信道手持对讲机的写频软件", CS_NONE, nullptr},
};
}

extern const DialogTemplate kDialog100;
const DialogTemplate kDialog100 = {100, 205, 50, "关于", "MS Sans Serif", 8, false, kControls,
    sizeof kControls / sizeof kControls[0]};
