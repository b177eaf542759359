// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/channel_print.h"

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/image/channel_name.h"
#include "core/grid/channel_grid.h"

namespace kestra {

namespace {
// The grid's corner has no text; on paper the column is named.
constexpr const char* kLabelHeader = KESTRA_TEXT("kestra", "信道");
constexpr const char* kNameHeader = KESTRA_TEXT("kestra", "信道名字");
} // namespace

ChannelPrintTable BuildChannelPrintTable(const RadioImage& image, const BandLimits& limits) {
    const ChannelGrid labels; // the header row and the row labels
    ChannelPrintTable table;
    table.header = {kLabelHeader, kNameHeader};
    for (int c = kColRx; c < kGridCols; ++c)
        table.header.push_back(labels.Text(0, c));
    for (int n = 1; n <= kChannelCount; ++n) {
        const auto cells = RenderRow(image, limits, n);
        if (cells[kColRx - 1].empty())
            continue;
        std::vector<std::string> row = {labels.Text(n, kColLabel),
                                        ReadChannelName(image, n)};
        row.insert(row.end(), cells.begin(), cells.end());
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace kestra
