// export-csv and import-csv: channel lists in the common 21-column CSV layout.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "core/codec/codecs.h"
#include "core/document/file_io.h"
#include "core/interchange/channel_csv.h"

namespace kestra::cli {

namespace {

constexpr std::size_t kMaxCsvBytes = 64u << 20;

bool WriteFile(const std::string& path, const std::string& text) {
    std::string reason;
    if (WriteWholeFile(path, text.data(), text.size(), &reason))
        return true;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), reason.c_str());
    return false;
}

int ExportCsv(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {"-o"}, {}, args, error))
        return UsageError(error);
    if (args.positional.size() != 1)
        return UsageError("export-csv takes one IMAGE.dat");
    RadioImage image;
    if (!LoadInputImage(args.positional[0], image))
        return kExitUsage;
    const std::string csv = ExportChannelCsv(image);
    if (const std::string* out = args.Option("-o"))
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
        return UsageError("import-csv takes IN.dat FILE.csv -o OUT.dat");
    CsvImportOptions options;
    options.keepLocation = args.Has("--keep-location");
    options.overwrite = args.Has("--overwrite");
    if (const std::string* start = args.Option("--start")) {
        options.start = ParseChannelLabel(*start);
        if (options.start < 1 || options.start > kMemoryChannels)
            return UsageError("--start takes a channel A001..B128");
    }
    RadioImage image;
    if (!LoadInputImage(args.positional[0], image))
        return kExitUsage;
    std::string text, reason;
    if (!ReadRegularFile(args.positional[1], kMaxCsvBytes, text, &reason)) {
        std::fprintf(stderr, "%s: %s\n", args.positional[1].c_str(), reason.c_str());
        return kExitUsage;
    }
    const CsvImportResult result = ImportChannelCsv(text, image, options);
    if (!result.usable) {
        std::fprintf(stderr, "%s: %s\n", args.positional[1].c_str(), result.error.c_str());
        return kExitUsage;
    }
    std::string report;
    for (const std::string& line : result.ReportLines())
        report += line + "\n";
    report += std::to_string(result.imported) + " rows imported, " +
              std::to_string(result.skipped) + " skipped\n";
    if (const std::string* path = args.Option("--report")) {
        if (!WriteFile(*path, report))
            return kExitFailed;
    } else {
        std::fputs(report.c_str(), stderr);
    }
    if (args.Has("--strict") && result.skipped > 0) {
        std::fprintf(stderr, "%d rows skipped; nothing written\n", result.skipped);
        return kExitFailed;
    }
    return SaveOutputImage(*args.Option("-o"), image) ? kExitOk : kExitFailed;
}

} // namespace

void RegisterCsvCommands(CommandTable& table) {
    table["export-csv"] = {"export-csv IMAGE.dat [-o FILE.csv]",
                           "write the non-empty channels 1..256 as CSV", ExportCsv};
    table["import-csv"] = {"import-csv IN.dat FILE.csv -o OUT.dat [--start A001] "
                           "[--keep-location] [--overwrite] [--strict] [--report FILE]",
                           "put CSV rows into channels; report to stderr (exit 1 with "
                           "--strict when rows were skipped, 2 for an unusable CSV)",
                           ImportCsv};
}

} // namespace kestra::cli
