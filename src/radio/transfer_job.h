#pragma once
// The one record shared by whoever starts a transfer and its TransferWorker.
// The starter fills it before the worker starts; then status, progress and
// foundPort are written only by the worker and cancel only by the starter, each
// an atomic int. The starter reads image only after ReadDone, and joins the
// worker before image, port or the job itself go away.

#include "radio/transfer_status.h"

#include <atomic>
#include <string>

class SerialLink;

struct TransferJob
{
    SerialLink* port = nullptr;
    std::string settingsPath;
    int isRead = 0;
    std::atomic<int> status { Idle };
    // 4096 bytes: a read fills bytes 0x000..0x3EF, a write sends them.
    unsigned char* image = nullptr;
    // Percentage of blocks done; during the port search, the port just opened.
    std::atomic<int> progress { 0 };
    std::atomic<int> cancel { 0 };
    // The port the search opened last, -1 when none (or once stored in `com`).
    std::atomic<int> foundPort { -1 };
};
