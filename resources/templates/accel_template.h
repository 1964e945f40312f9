#pragma once
// An accelerator table as plain data: key, modifiers and command ID, with
// keys as virtual-key codes (letters and digits are their upper-case ASCII
// code). Qt-free.

#include <cstddef>

enum AccelModifier : unsigned { ACCEL_SHIFT = 0x04, ACCEL_CONTROL = 0x08, ACCEL_ALT = 0x10 };

enum AccelKey : int {
    VKEY_BACK = 0x08,
    VKEY_INSERT = 0x2D,
    VKEY_DELETE = 0x2E,
    VKEY_F6 = 0x75,
};

struct AccelEntry {
    int key;
    unsigned modifiers;
    int commandId;
};

struct AccelTemplate {
    int id;
    const AccelEntry* entries;
    std::size_t count;
};

const AccelTemplate* FindAccelTemplate(int id);
