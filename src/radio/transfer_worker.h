#pragma once
// Runs one whole read from or write to the radio, reporting only through the
// job's status, progress and foundPort (and image for a read). Runs on its own
// thread; never closes the port. Always returns 0.

struct TransferJob;

int TransferWorker(TransferJob* job);
