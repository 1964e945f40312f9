// velmar-cli verify: reads the radio into a scratch image with the transfer
// worker, as a read does, and compares the transferred bytes with a data file.
// The data file is never written.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/cli_text.h"
#include "cli/cli_transfer.h"
#include "model/image_diff.h"
#include "model/velmar_doc.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"

#include <ostream>
#include <string>

namespace {

int RunVerify(CliContext& context)
{
    CVelmarDoc doc;
    if (const int code = LoadCliSingleDocument(context, "verify", doc); code != kExitOk)
        return code;
    const std::string& path = context.args[0];

    // The scratch image starts as the file, so its read password goes to the
    // password check as in a read.
    RadioImage radio = doc.Image();
    SerialLink link;
    TransferJob job;
    StartCliJob(job, link, true, radio.bytes.data());
    RunCliTransfer(job, context.err);
    if (job.status != ReadDone)
        return ReportCliTransferFailure(job, link, CliTransferKind::Verify, context.err);
    link.Close();

    const auto differences = DiffImages(doc.Image(), radio, RadioImage::kClonedSize, CliDiffNamesLocalized());
    for (const ImageDifference& difference : differences)
        context.out << FormatImageDifference(
            difference, CliText("IDS_CLI_VERIFY_FILE", "file"), CliText("IDS_CLI_VERIFY_RADIO", "radio"))
                    << '\n';
    if (!differences.empty()) {
        context.out << CliText("IDS_CLI_VERIFY_DIFFERS", "the radio differs from %s in %d field(s)",
            { path, differences.size() })
                    << '\n';
        return kExitDiffers;
    }
    context.out << CliText("IDS_CLI_VERIFY_SAME", "the radio holds %s", { path }) << '\n';
    return kExitOk;
}

[[maybe_unused]] const bool kVerifyRegistered = RegisterCliCommand({ "verify", "verify FILE.dig",
    "read the radio and compare it with a data file by channel and setting; exit 9 when it differs",
    RunVerify });

} // namespace
