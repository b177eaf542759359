// SPDX-License-Identifier: GPL-3.0-or-later
// Where each row of a CSV import goes, for a preview that lists every row:
// the channel it lands in and what that channel held (it is replaced), or
// why it is skipped. Built on ImportChannelCsv itself: the rows are imported
// one after another into a copy of the image, each with the options the
// whole import applies to it at that point, so the plan shows exactly what
// the import does.
#pragma once

#include <string>
#include <vector>

#include "core/image/radio_image.h"
#include "core/interchange/channel_csv.h"

namespace kestra {

// The rows a plan lists at most: far more than the radio has channels, few
// enough that a file of millions of rows previews at once. The import itself
// takes every row.
inline constexpr std::size_t kMaxPlannedRows = 10000;

struct CsvRowPlan {
    int row = 0;           // the row's number in the file (1: the first after the header)
    std::string label;     // its Name, else its Frequency
    int channel = 0;       // the channel it lands in (1..256); 0: skipped
    std::string replaces;  // what that channel held (its RX frequency); empty when empty
    std::string what;      // the import's remark: what it changed, or why it is skipped
};

// One entry per data row, in file order, for the first kMaxPlannedRows rows;
// empty for a file the import cannot use.
std::vector<CsvRowPlan> PlanChannelCsvImport(const std::string& text, const RadioImage& image,
                                             const CsvImportOptions& options);

} // namespace kestra
