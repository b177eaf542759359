// SPDX-License-Identifier: GPL-3.0-or-later
// DocumentSnapshot: everything a document window edits, at one moment: the
// radio image, the band limits and the channel grid's cell texts. The grid
// holds channel edits that reach the image only when it is converted, so a
// snapshot keeps both; restoring one gives back exactly what was shown and
// what would be saved. An open in-place editor is never part of a snapshot.
#pragma once

#include "core/grid/channel_grid.h"
#include "core/image/radio_image.h"

namespace kestra {

struct DocumentSnapshot {
    RadioImage image;
    BandLimits limits;
    ChannelGrid grid;

    // Same image bytes, band limits and cell texts.
    bool operator==(const DocumentSnapshot& o) const {
        return image == o.image && limits == o.limits && grid.SameCells(o.grid);
    }
    bool operator!=(const DocumentSnapshot& o) const { return !(*this == o); }
};

// A snapshot of the three, without the grid's open editor.
inline DocumentSnapshot TakeSnapshot(const RadioImage& image, const BandLimits& limits,
                                     const ChannelGrid& grid) {
    DocumentSnapshot s{image, limits, grid};
    s.grid.editor = ChannelGrid::OpenEditor{};
    return s;
}

} // namespace kestra
