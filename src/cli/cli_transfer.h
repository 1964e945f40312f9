#pragma once
// What read, write, verify and ports share: the exit code per transfer
// outcome, the port names and why a port failed to open, and running the
// transfer worker on its own thread while the main thread polls the job.

#include <iosfwd>
#include <string>

class SerialLink;
struct TransferJob;

// One exit code per final transfer outcome, after the shared 0, 1 and 2.
enum CliRadioExit : int {
    kExitPortError = 3,
    kExitTypeError = 4,
    kExitPasswordError = 5,
    kExitReadFailed = 6,
    kExitWriteFailed = 7,
    kExitCancelled = 8,
    kExitDiffers = 9, // verify: the radio's memory differs from the file
};

// Which command ran the transfer; it words the failure messages.
enum class CliTransferKind { Read, Write, Verify };

constexpr int kCliBaud = 9600;

// "COM3".
std::string CliPortName(int port);

// [setup] com of the settings file.
int ConfiguredCliPort();

// Why the link could not open port, without the port's name: "does not exist",
// "is in use by another program", ...
std::string CliOpenFailureState(const SerialLink& link);

// Fills job for a transfer of image over link with the settings file's port.
void StartCliJob(TransferJob& job, SerialLink& link, bool isRead, unsigned char* image);

// Runs the worker to its end, showing progress when err is a terminal; Ctrl+C
// cancels after the current block. The worker has returned when this returns.
void RunCliTransfer(TransferJob& job, std::ostream& err);

// Explains a failed transfer in one line on err and gives its exit code.
int ReportCliTransferFailure(
    const TransferJob& job, SerialLink& link, CliTransferKind kind, std::ostream& err);
