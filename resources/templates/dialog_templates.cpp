// The table of all dialog templates by resource ID. A new dialog adds its
// template file and one line here.

#include "dialog_template.h"

extern const DialogTemplate kDialog100;
extern const DialogTemplate kDialog101;
extern const DialogTemplate kDialog131;

namespace {
const DialogTemplate* const kDialogs[] = {
    &kDialog100,
    &kDialog101,
    &kDialog131,
};
}

const DialogTemplate* FindDialogTemplate(int id)
{
    for (const DialogTemplate* t : kDialogs) {
        if (t->id == id)
            return t;
    }
    return nullptr;
}
