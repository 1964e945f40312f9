// The table of all dialog templates by resource ID. A new dialog adds its
// template file and one line here.

#include "dialog_template.h"

extern const DialogTemplate kDialog100;
extern const DialogTemplate kDialog101;
extern const DialogTemplate kDialog130;
extern const DialogTemplate kDialog131;
extern const DialogTemplate kDialog132;
extern const DialogTemplate kDialog137;
extern const DialogTemplate kDialog139;

namespace {
const DialogTemplate* const kDialogs[] = {
    &kDialog100,
    &kDialog101,
    &kDialog130,
    &kDialog131,
    &kDialog132,
    &kDialog137,
    &kDialog139,
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
