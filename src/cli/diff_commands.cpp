// SPDX-License-Identifier: GPL-3.0-or-later
// diff: what differs between two images, in the profile format.
#include <cstdio>

#include "cli/cli.h"
#include "core/document/app_state.h"
#include "core/document/dat_file.h"
#include "core/forms/profile_diff.h"

namespace kestra::cli {

namespace {

int RunDiff(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {"--form", "--factory"}, {}, args, error))
        return UsageError("diff: " + error);
    if (args.positional.size() != 2)
        return UsageError("diff: expected two image files");
    AppState states[2];
    for (int i = 0; i < 2; ++i) {
        AppState& state = states[i];
        if (const std::string* password = args.Option("--factory")) {
            if (!FactoryPasswordMatches(*password))
                return UsageError("diff: the factory password does not match");
            state.factoryMode = true;
        }
        if (!LoadInputImage(args.positional[static_cast<std::size_t>(i)], state.image))
            return kExitUsage;
        state.modelName = ModelNameFromIni();
        state.appDirectory = ProgramDirectory();
    }
    const std::string* form = args.Option("--form");
    std::vector<forms::ProfileSection> sections;
    if (!forms::DiffImages(states[0], states[1], form ? *form : std::string(), sections, error))
        return UsageError("diff: " + error);
    if (sections.empty())
        return kExitOk;
    // A failed output is trouble, not a difference.
    return WriteOutput(forms::WriteProfile(sections)) ? kExitFailed : kExitUsage;
}

} // namespace

void RegisterDiffCommands(CommandTable& table) {
    table["diff"] = {"diff A.dat B.dat [--form NAME] [--factory PASSWORD]",
                     "print what differs as a profile: per differing key '; KEY=text in A' "
                     "then 'KEY=text in B', and a [raw] section for bytes no field explains; "
                     "exit 0 equal, 1 different, 2 bad input",
                     RunDiff};
}

} // namespace kestra::cli
