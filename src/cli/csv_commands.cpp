// SPDX-License-Identifier: GPL-3.0-or-later
// export-csv and import-csv: channel lists in the common 21-column CSV layout.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <string>

#include "cli/cli.h"
#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/document/file_io.h"
#include "core/interchange/channel_csv.h"

namespace kestra::cli {

namespace {

constexpr const char* kNothingWritten = KESTRA_TEXT("kestra", "%1：%2；未写入任何文件");

// Streams the file through the import: the file is never held whole. A
// file over kMaxCsvBytes is refused before a byte of it is read; a pipe
// (`<(...)`, a FIFO) is read up to it. False with a reason when the file
// cannot be read.
bool ImportFromFile(const std::string& path, CsvChannelImport& import, std::string& reason) {
    const std::filesystem::path p = std::filesystem::u8path(path);
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);
    if (ec) {
        reason = ec.message();
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    const auto size =
        std::filesystem::is_regular_file(status) ? std::filesystem::file_size(p, ec) : 0;
    if (!ec && size > kMaxCsvBytes) {
        reason = FillIn(TranslateText(KESTRA_TEXT("kestra", "大于 CSV 文件的上限 %1 MiB（%2 字节）")),
                        {std::to_string(kMaxCsvBytes >> 20), std::to_string(size)});
        return false;
    }
    std::ifstream in(p, std::ios::binary);
    in.imbue(std::locale::classic());
    if (!in) {
        reason = std::strerror(errno);
        return false;
    }
    std::string chunk(1 << 16, '\0');
    std::size_t total = 0;
    while (in) {
        in.read(&chunk[0], static_cast<std::streamsize>(chunk.size()));
        const auto n = static_cast<std::size_t>(in.gcount());
        total += n;
        if (total > kMaxCsvBytes) { // a pipe, or a file that grew
            reason = FillIn(TranslateText(KESTRA_TEXT("kestra", "超过 CSV 文件的上限 %1 MiB")),
                            {std::to_string(kMaxCsvBytes >> 20)});
            return false;
        }
        if (n > 0 && !import.Feed(std::string_view(chunk.data(), n)))
            return true; // unusable: Finish says why
    }
    if (in.bad()) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::string reason;
    if (WriteWholeFile(path, text.data(), text.size(), &reason))
        return true;
    std::fprintf(stderr, "%s: %s\n", EscapeControl(path).c_str(), reason.c_str());
    return false;
}

int ExportCsv(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {"-o"}, {}, args, error))
        return UsageError(error);
    if (args.positional.size() != 1)
        return UsageError(
            FillIn(TranslateText(KESTRA_TEXT("kestra", "%1 只接受一个 %2")), {"export-csv", "IMAGE.dat"}));
    const std::string* out = args.Option("-o");
    if (out && OutputIsAnInput(*out, {args.positional[0]}))
        return kExitUsage;
    RadioImage image;
    if (!LoadInputImage(args.positional[0], image))
        return kExitUsage;
    const std::string csv = ExportChannelCsv(image);
    if (out)
        return WriteFile(*out, csv) ? kExitOk : kExitFailed;
    return WriteOutput(csv) ? kExitOk : kExitFailed;
}

int ImportCsv(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {"-o", "--start", "--report"},
                   {"--keep-location", "--overwrite", "--strict"}, args, error))
        return UsageError(error);
    if (args.positional.size() != 2 || !args.Option("-o"))
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1 的参数为 %2")),
                                 {"import-csv", "IN.dat FILE.csv -o OUT.dat"}));
    CsvImportOptions options;
    options.keepLocation = args.Has("--keep-location");
    options.overwrite = args.Has("--overwrite");
    if (const std::string* start = args.Option("--start")) {
        options.start = ChannelOfGivenLabel(*start);
        if (options.start < 1 || options.start > kMemoryChannels)
            return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1 取一个信道 A001..B128")),
                                     {"--start"}));
    }
    // The image may be written over (OUT = IN); the list and the report not.
    const std::string* reportPath = args.Option("--report");
    if (OutputIsAnInput(*args.Option("-o"), {args.positional[1]}))
        return kExitUsage;
    for (std::size_t i = 0; reportPath && i < 2; ++i)
        if (NameOneFile(*reportPath, args.positional[i]))
            return UsageError(
                FillIn(TranslateText(KESTRA_TEXT("kestra", "报告 %1 就是输入文件 %2")),
                       {EscapeControl(*reportPath), EscapeControl(args.positional[i])}));
    if (reportPath && NameOneFile(*reportPath, *args.Option("-o")))
        return UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "报告 %1 就是输出文件 %2")),
                                 {EscapeControl(*reportPath), EscapeControl(*args.Option("-o"))}));
    RadioImage image;
    if (!LoadInputImage(args.positional[0], image))
        return kExitUsage;
    const std::string shownPath = EscapeControl(args.positional[1]);
    CsvChannelImport import(image, options);
    std::string reason;
    if (!ImportFromFile(args.positional[1], import, reason)) {
        std::fprintf(stderr, "%s\n",
                     FillIn(TranslateText(kNothingWritten), {shownPath, EscapeControl(reason)}).c_str());
        return kExitUsage;
    }
    const CsvImportResult result = import.Finish();
    if (!result.usable) {
        std::fprintf(stderr, "%s\n",
                     FillIn(TranslateText(kNothingWritten), {shownPath, EscapeControl(result.error)})
                         .c_str());
        return kExitUsage;
    }
    // No report of rows imported into a file that cannot be saved.
    if (!OutputCanBeCreated(*args.Option("-o")))
        return kExitFailed;
    if (!OutputKeepsNoBytes(*args.Option("-o")))
        return kExitUsage;
    std::string report;
    for (const std::string& line : result.ReportLines())
        report += line + "\n";
    report += result.Summary() + "\n";
    if (const std::string* path = args.Option("--report")) {
        if (!WriteFile(*path, report))
            return kExitFailed;
    } else {
        std::fputs(report.c_str(), stderr);
    }
    if (args.Has("--strict") && result.skipped > 0) {
        std::fprintf(stderr, "%s\n",
                     TranslateCount(KESTRA_COUNT_TEXT("kestra", "已跳过 %n 行；未写入任何文件"),
                                    result.skipped)
                         .c_str());
        return kExitFailed;
    }
    return SaveOutputImage(*args.Option("-o"), image);
}

} // namespace

void RegisterCsvCommands(CommandTable& table) {
    table["export-csv"] = {"export-csv IMAGE.dat [-o FILE.csv]",
                           KESTRA_TEXT("kestra", "把非空的信道 1..256 写成 CSV"), ExportCsv};
    table["import-csv"] = {"import-csv IN.dat FILE.csv -o OUT.dat [--start A001] "
                           "[--keep-location] [--overwrite] [--strict] [--report FILE]",
                           KESTRA_TEXT("kestra", "把 CSV 的行放入信道；报告输出到标准错误（"
                                                 "加 --strict 时有行被跳过则退出状态 1，"
                                                 "CSV 无法使用则为 2）"),

                           ImportCsv};
}

} // namespace kestra::cli
