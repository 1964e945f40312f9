// velmar-cli diff: the differences of two data files by channel and setting.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/cli_text.h"
#include "model/image_diff.h"
#include "model/velmar_doc.h"

#include <ostream>
#include <string>

namespace {

int RunDiff(CliContext& context)
{
    const auto& args = context.args;
    if (args.size() != 2 || args[0].starts_with("-") || args[1].starts_with("-")) {
        CliError(
            context.err, CliText("IDS_CLI_DIFF_TWO_FILES", "diff takes exactly two data files (see --help)"));
        return kExitUsage;
    }
    // Any trouble is 2 or more, so that 1 always means "different".
    if (!PrepareCliSettings(context.err))
        return kExitUsage;
    CVelmarDoc first;
    CVelmarDoc second;
    if (!LoadCliDocument(first, args[0], context.err) || !LoadCliDocument(second, args[1], context.err))
        return kExitUsage;
    const auto differences
        = DiffImages(first.Image(), second.Image(), RadioImage::kSize, CliDiffNamesLocalized());
    for (const ImageDifference& difference : differences)
        context.out << FormatImageDifference(difference, args[0], args[1]) << '\n';
    return differences.empty() ? kExitOk : 1;
}

[[maybe_unused]] const bool kDiffRegistered = RegisterCliCommand({ "diff", "diff A.dig B.dig",
    "list the differences by channel and setting; exit 0 when equal, 1 when different, 2 on trouble",
    RunDiff });

} // namespace
