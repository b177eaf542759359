// Times the CSV export of 256 channels and its import into an image whose
// channels are all empty, through the core functions the application and
// kestra-cli call. Each call is timed on its own; the mean and the slowest
// call are printed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

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
    return sink == 0; // keeps the calls from being optimised away
}
