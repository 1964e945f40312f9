#include "radio/transfer_worker.h"

#include "platform/clock.h"
#include "radio/clone_protocol.h"
#include "radio/transfer_job.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kSettleAfterWriteMs = 1000;
// The pause after the last written block is slept in slices so that a cancel
// still ends the worker within one short wait.
constexpr int kCancelSliceMs = 50;

void ReadRadio(TransferJob& job, CloneProtocol& protocol)
{
    if (protocol.PasswordCheckEnabled()) {
        unsigned char password[6];
        if (!protocol.QueryPassword(password)) {
            job.status = ReadFailed;
            return;
        }
        if (std::memcmp(password, job.image + CloneProtocol::kPasswordOffset, 6) != 0) {
            job.status = PasswordError;
            return;
        }
    }
    for (int block = 1; block <= CloneProtocol::kTransferBlocks; ++block) {
        const int address = CloneProtocol::kBlockSize * (block - 1);
        const CloneProtocol::BlockResult result = protocol.ReadBlock(address, job.image);
        if (result == CloneProtocol::BlockResult::Short) {
            job.status = ReadFailed;
            return;
        }
        if (result == CloneProtocol::BlockResult::Stored) {
            job.progress = CloneProtocol::ProgressPercent(block);
            job.status = Reading;
        }
        if (job.cancel)
            return;
    }
    job.status = ReadDone;
}

void WriteRadio(TransferJob& job, CloneProtocol& protocol)
{
    for (int block = 1; block <= CloneProtocol::kTransferBlocks; ++block) {
        const int address = CloneProtocol::kBlockSize * (block - 1);
        if (!protocol.WriteBlock(address, job.image)) {
            job.status = WriteFailed;
            return;
        }
        job.progress = CloneProtocol::ProgressPercent(block);
        job.status = Writing;
        if (job.cancel)
            return;
    }
    for (int slept = 0; slept < kSettleAfterWriteMs; slept += kCancelSliceMs) {
        if (job.cancel)
            return;
        Sleep(static_cast<unsigned>(std::min(kCancelSliceMs, kSettleAfterWriteMs - slept)));
    }
    job.status = WriteDone;
}

} // namespace

int TransferWorker(TransferJob* job)
{
    CloneProtocol protocol(*job->port, job->settingsPath);
    CloneProtocol::ConnectHooks hooks;
    hooks.portOpened = [job](int port) {
        job->foundPort = port;
        job->progress = port;
        job->status = SearchingPort;
    };
    hooks.portStored = [job] { job->foundPort = -1; };
    hooks.cancelled = [job] { return job->cancel != 0; };

    switch (protocol.Connect(hooks)) {
    case CloneProtocol::ConnectOutcome::PortError:
        job->status = PortError;
        return 0;
    case CloneProtocol::ConnectOutcome::TypeError:
        job->status = TypeError;
        return 0;
    case CloneProtocol::ConnectOutcome::Cancelled:
        return 0;
    case CloneProtocol::ConnectOutcome::Connected:
        break;
    }
    if (job->cancel)
        return 0;
    if (job->isRead)
        ReadRadio(*job, protocol);
    else
        WriteRadio(*job, protocol);
    return 0;
}
