// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/csv_import_plan.h"

#include <charconv>

#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/grid/channel_grid.h"
#include "core/image/channel_numbers.h"

namespace kestra {

namespace {

// The first memory channel from `from` on that a row may land in (beyond the
// last one when none is left).
int FreeChannelFrom(const RadioImage& image, int from, bool overwrite) {
    int n = from;
    while (n <= kMemoryChannels && !overwrite && ChannelHeld(image, n))
        ++n;
    return n;
}

} // namespace

std::vector<CsvRowPlan> PlanChannelCsvImport(const std::string& text, const RadioImage& image,
                                             const CsvImportOptions& options) {
    std::vector<CsvRowPlan> plan;
    std::string error;
    const auto records = ParseCsv(text, error, kMaxPlannedRows + 1);
    if (!records || records->empty())
        return plan;
    const std::vector<std::string>& header = records->front();
    auto column = [&header](const char* name) {
        for (std::size_t k = 0; k < header.size(); ++k)
            if (TrimBlanks(header[k]) == name)
                return static_cast<int>(k);
        return -1;
    };
    const int location = column("Location");
    const int name = column("Name");
    const int frequency = column("Frequency");
    if (frequency < 0)
        return plan;
    const std::string headerLine = CsvRecord(header);

    RadioImage running = image;
    int next = options.start < 1 ? 1 : options.start;
    for (std::size_t r = 1; r < records->size(); ++r) {
        const std::vector<std::string>& fields = (*records)[r];
        auto field = [&fields](int k) {
            return k >= 0 && static_cast<std::size_t>(k) < fields.size() ? std::string(TrimBlanks(fields[k]))
                                                                          : std::string();
        };
        CsvRowPlan row;
        row.row = static_cast<int>(r);
        row.label = field(name).empty() ? field(frequency) : field(name);

        // The row alone, imported where the whole import would put it now.
        // Once no memory channel is left for the rows, that is beyond the
        // last one: each row is skipped, for its own fault or as beyond the
        // last free channel, and the import renders no memory to say so (a
        // long file previews in a moment, not in half a minute).
        CsvImportOptions one = options;
        if (!options.keepLocation) {
            if (FreeChannelFrom(running, next, options.overwrite) > kMemoryChannels)
                next = kMemoryChannels + 1;
            one.start = next;
        }
        const RadioImage before = running;
        const CsvImportResult result = ImportChannelCsv(headerLine + CsvRecord(fields), running, one);
        if (!result.report.empty())
            row.what = result.report.front().what;
        if (result.imported == 1) {
            int n = 0;
            if (options.keepLocation) {
                const std::string loc = field(location);
                std::from_chars(loc.data(), loc.data() + loc.size(), n);
            } else {
                n = next;
                while (n < kMemoryChannels && !options.overwrite && ChannelHeld(before, n))
                    ++n;
                next = n + 1;
            }
            row.channel = n;
            if (n >= 1 && n <= kMemoryChannels && ChannelHeld(before, n))
                row.replaces = FrequencyToText(ConstChannelRecord(before, n).Rx());
        }
        plan.push_back(std::move(row));
    }
    return plan;
}

} // namespace kestra
