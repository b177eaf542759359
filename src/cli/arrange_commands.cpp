// arrange: move, insert, delete and sort whole channels of an image, in the
// order given, as the application's 编辑 commands do them.
#include <cstdio>

#include "cli/cli.h"
#include "core/grid/channel_arrange.h"
#include "core/grid/channel_grid.h"

namespace kestra::cli {

namespace {

struct Operation {
    std::string option; // "--move"
    std::string value;  // "A005:A010"
    std::string range;  // --sort only: its --range, empty for each band whole
};

// Runs one operation; a refused or malformed one returns its message.
std::string Apply(const Operation& op, RadioImage& image, const BandLimits& limits) {
    int first = 0, last = 0;
    if (op.option == "--move") {
        const auto colon = op.value.find(':');
        int to = 0, toLast = 0;
        if (colon == std::string::npos ||
            !ParseChannelRange(op.value.substr(0, colon), first, last) ||
            !ParseChannelRange(op.value.substr(colon + 1), to, toLast) || to != toLast)
            return "expected FROM:TO or FROM-LAST:TO with channel labels (A005:A010)";
        return MoveChannels(image, limits, first, last, to).error;
    }
    if (op.option == "--insert") {
        if (!ParseChannelRange(op.value, first, last) || first != last)
            return "expected one channel label (A005)";
        return InsertChannel(image, limits, first).error;
    }
    if (op.option == "--delete") {
        if (!ParseChannelRange(op.value, first, last))
            return "expected a channel label or FROM-TO (A005, A005-A010)";
        return DeleteChannels(image, limits, first, last).error;
    }
    SortKey key = SortKey::Rx;
    if (op.value == "tx")
        key = SortKey::Tx;
    else if (op.value == "name")
        key = SortKey::Name;
    else if (op.value != "rx")
        return "expected rx, tx or name";
    if (op.range.empty()) {
        for (int band = 0; band < kBandCount; ++band) {
            const int bandFirst = FirstRecordOfBand(band);
            const std::string error =
                SortChannels(image, limits, bandFirst, bandFirst + kBandChannels - 1, key).error;
            if (!error.empty())
                return error;
        }
        return std::string();
    }
    if (!ParseChannelRange(op.range, first, last))
        return "--range: expected FROM-TO (A001-A020)";
    return SortChannels(image, limits, first, last, key).error;
}

int RunArrange(const std::vector<std::string>& argv) {
    std::vector<std::string> files;
    std::string output;
    std::vector<Operation> ops;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        std::string arg = argv[i];
        std::string value;
        bool hasValue = false;
        const auto eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasValue = true;
        }
        const bool takesValue = arg == "-o" || arg == "--move" || arg == "--insert" ||
                                arg == "--delete" || arg == "--sort" || arg == "--range";
        if (!takesValue) {
            if (arg.size() > 1 && arg[0] == '-')
                return UsageError("unknown option " + arg);
            files.push_back(arg);
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= argv.size())
                return UsageError("option " + arg + " needs a value");
            value = argv[++i];
        }
        if (arg == "-o") {
            output = value;
        } else if (arg == "--range") {
            if (ops.empty() || ops.back().option != "--sort" || !ops.back().range.empty())
                return UsageError("arrange: --range belongs right after a --sort");
            ops.back().range = value;
        } else {
            ops.push_back(Operation{arg, value, std::string()});
        }
    }
    if (files.size() != 1 || output.empty())
        return UsageError("arrange: expected one input file and -o OUT.dat");
    if (ops.empty())
        return UsageError("arrange: expected at least one operation");

    RadioImage image;
    if (!LoadInputImage(files[0], image))
        return kExitUsage;
    // Opened, shown and converted as the application does before each
    // operation; every operation finalises the image.
    BandLimits limits;
    PassThroughGrid(image, limits);
    for (const Operation& op : ops) {
        const std::string error = Apply(op, image, limits);
        if (!error.empty()) {
            std::string what = op.option + " " + op.value;
            if (!op.range.empty())
                what += " --range " + op.range;
            std::fprintf(stderr, "kestra-cli: arrange %s: %s\n", what.c_str(), error.c_str());
            return kExitUsage;
        }
    }
    return SaveOutputImage(output, image) ? kExitOk : kExitFailed;
}

} // namespace

void RegisterArrangeCommands(CommandTable& table) {
    table["arrange"] = {
        "arrange IN.dat -o OUT.dat OP...",
        "move, insert, delete or sort whole channels within a band, in the order\n"
        "      given; OUT is written only when every operation succeeds (exit 2 names\n"
        "      the one that failed):\n"
        "      --move FROM:TO        take FROM out and put it at TO (FROM may be a block\n"
        "                            FIRST-LAST); the channels between shift by one place\n"
        "      --insert AT           a free channel at AT, the rest of the band down one;\n"
        "                            refused when the band's last channel is not empty\n"
        "      --delete AT|FROM-TO   remove channels, the rest of the band up; the freed\n"
        "                            channels at the band's end are cleared\n"
        "      --sort rx|tx|name [--range FROM-TO]\n"
        "                            sort stably (default: each band whole); names ignore\n"
        "                            letter case, unnamed and empty channels go last\n"
        "      Channels are labels A001-A128, B001-B128; the VFOs never move.",
        RunArrange};
}

} // namespace kestra::cli
