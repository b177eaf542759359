// SPDX-License-Identifier: GPL-3.0-or-later
// Times the CSV export of 256 channels and its import into an image whose
// channels are all empty, through the core functions the application and
// kestra-cli call. Each call is timed on its own; the mean and the slowest
// call are printed.
//
// Then the worst inputs within the 64 MiB limit, each in a child process so
// that its peak memory (getrusage's maxrss) is its own: fed in 64 KiB pieces
// generated on the fly, as kestra-cli streams a file, and as one string, as
// the application's preview holds it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(__unix__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/document/default_image.h"
#include "core/interchange/channel_csv.h"

#include "full_image.h"

using namespace kestra;

namespace {

struct Timing {
    double total = 0, worst = 0;
    void Add(std::chrono::steady_clock::time_point start) {
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        total += ms;
        worst = std::max(worst, ms);
    }
};

#if defined(__unix__)
// A file of kMaxCsvBytes: prefix, then unit repeated, then suffix.
struct WorstCase {
    const char* what;
    std::string prefix, unit, suffix;
    bool keepOverwrite;
};

// Runs the case in a child; prints seconds and peak MB.
void Measure(const WorstCase& c, bool streamed, const RadioImage& image) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        CsvImportOptions options;
        options.keepLocation = options.overwrite = c.keepOverwrite;
        RadioImage target = image;
        const std::size_t body = kMaxCsvBytes - c.prefix.size() - c.suffix.size();
        std::string piece;
        const auto fill = [&](std::size_t n) {
            piece.clear();
            while (piece.size() < n)
                piece += c.unit;
            piece.resize(n);
        };
        const auto start = std::chrono::steady_clock::now();
        CsvImportResult r;
        if (streamed) {
            CsvChannelImport import(target, options);
            import.Feed(c.prefix);
            for (std::size_t done = 0; done < body;) {
                // Whole units per piece, so that the pieces join seamlessly.
                const std::size_t n =
                    std::min(body - done, (65536 / c.unit.size()) * c.unit.size());
                fill(n);
                import.Feed(piece);
                done += n;
            }
            import.Feed(c.suffix);
            r = import.Finish();
        } else {
            std::string text;
            text.reserve(kMaxCsvBytes);
            text = c.prefix;
            while (text.size() + c.unit.size() <= kMaxCsvBytes - c.suffix.size())
                text += c.unit;
            text += c.suffix;
            r = ImportChannelCsv(text, target, options);
        }
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %-52s %-8s %6.2f s", c.what, streamed ? "streamed" : "string", s);
        std::fflush(stdout);
        std::fprintf(stderr, "    %s\n", r.usable ? r.Summary().c_str() : r.error.c_str());
        _exit(0);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf(" (%5.2f s CPU) %6.1f MB peak\n", cpu, usage.ru_maxrss / 1024.0);
}

void WorstCases(const RadioImage& empty) {
    const WorstCase cases[] = {
        {"64 MiB of \\n1 rows", "Frequency", "\n1", "\n", false},
        {"64 M commas in one row", "Frequency\n", ",", "\n", false},
        {"64 M commas in the header", "", ",", "Frequency\n145.5\n", false},
        {"8 M rows, one Location, --keep-location --overwrite", "Location,Frequency\n", "1,145.5\n",
         "", true},
        {"one quoted Name of 64 MiB", "Frequency,Name\n145.5,\"", "x", "\"\n", false},
        {"8 M valid rows beyond the channels", "Frequency\n", "145.500\n", "", false},
    };
    std::printf("Worst cases within the %zu MiB limit (wall time, CPU time, peak memory):\n",
                kMaxCsvBytes >> 20);
    for (const WorstCase& c : cases)
        for (bool streamed : {true, false})
            Measure(c, streamed, empty);
}
#endif

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 500;
    const RadioImage full = bench::FullBenchImage();
    RadioImage empty;
    ApplyBuiltInDefaults(empty);
    for (int n = 1; n <= kMemoryChannels; ++n)
        ClearRecord(empty, n);

    const std::string csv = ExportChannelCsv(full);
    RadioImage check = empty;
    const CsvImportResult landed = ImportChannelCsv(csv, check, CsvImportOptions());
    if (landed.imported != kMemoryChannels || landed.skipped != 0 ||
        ExportChannelCsv(check) != csv) {
        std::fprintf(stderr, "round trip failed: %d imported, %d skipped\n", landed.imported,
                     landed.skipped);
        return 1;
    }

    Timing exportTime, importTime;
    std::size_t sink = 0;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        const std::string out = ExportChannelCsv(full);
        exportTime.Add(start);
        sink += out.size();

        RadioImage target = empty;
        start = std::chrono::steady_clock::now();
        const CsvImportResult result = ImportChannelCsv(csv, target, CsvImportOptions());
        importTime.Add(start);
        sink += static_cast<std::size_t>(result.imported);
    }
    std::printf("CSV of 256 channels (%zu bytes), %d rounds:\n", csv.size(), rounds);
    std::printf("  ExportChannelCsv: %.3f ms mean, %.3f ms slowest\n", exportTime.total / rounds,
                exportTime.worst);
    std::printf("  ImportChannelCsv: %.3f ms mean, %.3f ms slowest (into empty channels)\n",
                importTime.total / rounds, importTime.worst);
#if defined(__unix__)
    if (argc <= 2 || std::string(argv[2]) != "--no-worst")
        WorstCases(empty);
#endif
    return sink == 0; // keeps the calls from being optimised away
}
