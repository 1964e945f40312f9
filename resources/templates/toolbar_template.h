#pragma once
// A toolbar as plain data: command IDs left to right, 0 for a separator.
// The button images are Qt resources named after the command ID. Qt-free.

#include <cstddef>

struct ToolbarTemplate {
    int id;
    int buttonWidth, buttonHeight;  // image size in pixels
    const int* commands;
    std::size_t count;
};

const ToolbarTemplate* FindToolbarTemplate(int id);
