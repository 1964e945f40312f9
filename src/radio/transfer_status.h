#pragma once
// The outcome codes a transfer worker leaves in TransferJob::status. The
// values are fixed (3 and 10 are unassigned).

enum TransferStatus : int {
    Idle = 0,
    PortError = 1,
    TypeError = 2,
    Reading = 4,
    ReadFailed = 5,
    ReadDone = 6,
    WriteFailed = 7,
    Writing = 8,
    WriteDone = 9,
    SearchingPort = 11,
    PasswordError = 12,
};

// True for the values that end a transfer.
constexpr bool IsFinalTransferStatus(int status)
{
    return status == PortError || status == TypeError || status == ReadFailed || status == ReadDone
        || status == WriteFailed || status == WriteDone || status == PasswordError;
}
