// SPDX-License-Identifier: GPL-3.0-or-later
// arrange: move, insert, delete and sort whole channels of an image, in the
// order given, as the application's 编辑 commands do them.
#include <cstdio>

#include "cli/cli.h"
#include "core/codec/text_seam.h"
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
            return TranslateText(
                KESTRA_TEXT("kestra", "应为以信道标签写的 FROM:TO 或 FROM-LAST:TO（A005:A010）"));
        return MoveChannels(image, limits, first, last, to).error;
    }
    if (op.option == "--insert") {
        if (!ParseChannelRange(op.value, first, last) || first != last)
            return TranslateText(KESTRA_TEXT("kestra", "应为一个信道标签（A005）"));
        return InsertChannel(image, limits, first).error;
    }
    if (op.option == "--delete") {
        if (!ParseChannelRange(op.value, first, last))
            return TranslateText(KESTRA_TEXT("kestra", "应为一个信道标签或 FROM-TO（A005、A005-A010）"));
        return DeleteChannels(image, limits, first, last).error;
    }
    SortKey key = SortKey::Rx;
    if (op.value == "tx")
        key = SortKey::Tx;
    else if (op.value == "name")
        key = SortKey::Name;
    else if (op.value != "rx")
        return TranslateText(KESTRA_TEXT("kestra", "应为 rx、tx 或 name"));
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
        return FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：应为 FROM-TO（A001-A020）")), {"--range"});
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
                return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "未知选项 %1")), {arg}));
            files.push_back(arg);
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= argv.size())
                return UsageError(
                    FillIn(TranslateText(KESTRA_TEXT("kestra", "选项 %1 需要一个值")), {arg}));
            value = argv[++i];
        }
        if (arg == "-o") {
            output = value;
        } else if (arg == "--range") {
            if (ops.empty() || ops.back().option != "--sort" || !ops.back().range.empty())
                return UsageError(FillIn(
                    TranslateText(KESTRA_TEXT("kestra", "%1：%2 须紧跟在一个 %3 之后")),
                    {"arrange", "--range", "--sort"}));
            ops.back().range = value;
        } else {
            ops.push_back(Operation{arg, value, std::string()});
        }
    }
    if (files.size() != 1 || output.empty())
        return UsageError(
            FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要一个输入文件和 %2")),
                   {"arrange", "-o OUT.dat"}));
    if (ops.empty())
        return UsageError(
            FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：至少需要一项操作")), {"arrange"}));

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
    return SaveOutputImage(output, image);
}

} // namespace

void RegisterArrangeCommands(CommandTable& table) {
    table["arrange"] = {
        "arrange IN.dat -o OUT.dat OP...",
        KESTRA_TEXT("kestra",
                    "在频段内按给出的顺序移动、插入、删除或排序整个信道；只有每项操作都成功\n"
                    "      才写出 OUT（退出状态 2 时指明失败的那一项）：\n"
                    "      --move FROM:TO        把 FROM 取出放到 TO（FROM 可以是一段\n"
                    "                            FIRST-LAST）；其间的信道顺移让位\n"
                    "      --insert AT           在 AT 插入空信道，频段其余信道下移一位；\n"
                    "                            频段最后一个信道不为空时拒绝\n"
                    "      --delete AT|FROM-TO   删除信道，频段其余信道上移；频段末尾\n"
                    "                            空出的信道被清除\n"
                    "      --sort rx|tx|name [--range FROM-TO]\n"
                    "                            稳定排序（默认：每个频段整体）；名字不分\n"
                    "                            大小写，无名和空信道排在最后\n"
                    "      信道标签为 A001-A128、B001-B128；VFO 从不移动。"),

        RunArrange};
}

} // namespace kestra::cli
