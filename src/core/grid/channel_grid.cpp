// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/grid/channel_grid.h"

#include <algorithm>

#include "core/codec/codecs.h"
#include "core/image/finalize.h"

namespace kestra {

namespace {

const char* const kHeaders[kGridCols] = {"",
                                         KESTRA_TEXT("kestra", "接收频率"),
                                         KESTRA_TEXT("kestra", "发射频率"),
                                         KESTRA_TEXT("kestra", "接收信令"),
                                         KESTRA_TEXT("kestra", "发射信令"),
                                         KESTRA_TEXT("kestra", "功率"),
                                         KESTRA_TEXT("kestra", "扫描"),
                                         KESTRA_TEXT("kestra", "带宽"),
                                         KESTRA_TEXT("kestra", "繁忙")};

// Texts a row receives with its first RX frequency, columns 3 to 8.
const char* const kNewRowDefaults[6] = {kNoToneText,    kNoToneText,     gridtext::kHigh,
                                        gridtext::kYes, gridtext::kWide, gridtext::kBusyOff};

// The four flag columns: which record field each shows, as the index of its
// text in ChoicesForColumn. Converting a text that is no choice clears the
// power and busy lockout fields and leaves scan and bandwidth as they were.
struct FlagColumn {
    int col;
    BitField field;
    bool otherTextClears;
};
constexpr FlagColumn kFlagColumns[] = {
    {kColPower, ChannelRecord::kHighPower, true},
    {kColScan, ChannelRecord::kScan, false},
    {kColBandwidth, ChannelRecord::kWide, false},
    {kColBusy, ChannelRecord::kBusyLockout, true},
};

int IndexOf(const std::vector<std::string>& list, const std::string& text) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == text)
            return static_cast<int>(i);
    return -1;
}

} // namespace

bool FrequencyShown(const ConstChannelRecord& rec, int field) {
    const std::uint8_t top = rec.Byte(field + 3);
    return top != 0xFF && top != 0x00;
}

int GridColumnWidthTwips(int col) {
    if (col == kColLabel)
        return 600;
    if (col == kColRx || col == kColTx)
        return 1500;
    return 1000;
}

EditorKind EditorForColumn(int col) {
    if (col == kColRx || col == kColTx)
        return EditorKind::Frequency;
    if (col == kColRxTone || col == kColTxTone)
        return EditorKind::Tone;
    if (col >= kColPower && col <= kColBusy)
        return EditorKind::Choice;
    return EditorKind::None;
}

const std::vector<std::string>& ChoicesForColumn(int col) {
    static const std::vector<std::string> power = {gridtext::kLow, gridtext::kHigh};
    static const std::vector<std::string> scan = {gridtext::kNo, gridtext::kYes};
    static const std::vector<std::string> bandwidth = {gridtext::kNarrow, gridtext::kWide};
    static const std::vector<std::string> busy = {gridtext::kBusyOff, gridtext::kBusyCarrier,
                                                  gridtext::kBusyQt};
    static const std::vector<std::string> none;
    switch (col) {
    case kColPower:
        return power;
    case kColScan:
        return scan;
    case kColBandwidth:
        return bandwidth;
    case kColBusy:
        return busy;
    default:
        return none;
    }
}

ChannelGrid::ChannelGrid() : cells_(static_cast<std::size_t>(kGridRows) * kGridCols) {
    for (int c = 0; c < kGridCols; ++c)
        SetText(0, c, kHeaders[c]);
    for (int r = 1; r < kGridRows; ++r)
        SetText(r, kColLabel, GridRowLabel(r));
}

void ChannelGrid::ClearRow(int row) {
    for (int c = 1; c < kGridCols; ++c)
        SetText(row, c, std::string());
}

std::vector<int> RecordsLeftOut(const RadioImage& image, const BandLimits& before,
                                const BandLimits& after) {
    std::vector<int> out;
    for (int n = 1; n < kGridRows; ++n)
        if (!RenderRow(image, before, n)[0].empty() && RenderRow(image, after, n)[0].empty())
            out.push_back(n);
    return out;
}

std::array<std::string, 8> RenderRow(const RadioImage& image, const BandLimits& limits, int n) {
    std::array<std::string, 8> cells;
    const ConstChannelRecord rec(image, n);
    if (!FrequencyShown(rec, ChannelRecord::kRx) || !limits.InBand(rec.Rx()))
        return cells;
    auto cell = [&cells](int col) -> std::string& {
        return cells[static_cast<std::size_t>(col - 1)];
    };
    cell(kColRx) = FrequencyToText(rec.Rx());
    if (FrequencyShown(rec, ChannelRecord::kTx))
        cell(kColTx) = FrequencyToText(rec.Tx());
    cell(kColRxTone) = ToneValueToText(rec.RxTone());
    cell(kColTxTone) = ToneValueToText(rec.TxTone());
    for (const FlagColumn& flag : kFlagColumns) {
        const auto& choices = ChoicesForColumn(flag.col);
        const auto value = static_cast<std::size_t>(rec.Get(flag.field));
        if (value < choices.size()) // busy lockout 3 has no text
            cell(flag.col) = choices[value];
    }
    return cells;
}

void RenderGrid(ChannelGrid& grid, const RadioImage& image, BandLimits& limits) {
    LoadBandLimitsFromImage(image, limits);
    for (int n = 1; n <= kChannelCount; ++n) {
        const auto cells = RenderRow(image, limits, n);
        for (int c = 0; c < 8; ++c)
            grid.SetText(n, c + 1, cells[static_cast<std::size_t>(c)]);
    }
}

namespace {

std::uint8_t DirectionOf(std::uint32_t rx, std::uint32_t tx) {
    return rx > tx ? 1 : 2; // transmit below / above receive
}

} // namespace

void StoreTransmit(ChannelRecord& rec, const BandLimits& limits, const std::string& txText,
                   std::uint32_t rx, std::uint32_t rememberedShift) {
    // A larger remembered shift is no usable shift (FF FF FF FF, for example).
    constexpr std::uint32_t kLargestUsableShift = 9999500;
    if (txText.empty()) {
        rec.SetTxNone();
        rec.SetSimplex();
        return;
    }
    const std::uint32_t tx = TextToFrequency(txText);
    rec.SetTx(tx);
    if (rx == tx) {
        rec.SetSimplex();
    } else if (!limits.InBand(tx)) {
        if (rememberedShift > kLargestUsableShift) {
            // Out of band with no usable shift: the channel becomes simplex.
            rec.SetSimplex();
            rec.SetTx(rx);
        } else {
            rec.SetShiftDirection(DirectionOf(rx, tx));
        }
    } else if (limits.SameBand(rx, tx)) {
        rec.SetShiftDirection(DirectionOf(rx, tx));
        rec.SetShiftAmount(rx > tx ? rx - tx : tx - rx);
    } else {
        rec.SetSimplex();
    }
}

namespace {

// Row n of the grid into record n. Only the bits the grid owns change; an
// empty RX cell clears the whole record, unless the record is a channel
// outside both bands: its row shows empty, and it stays as it is until the
// band limits show it again (changing the limits asks before it clears such
// channels).
void StoreRow(const ChannelGrid& grid, RadioImage& image, const BandLimits& limits, int n) {
    ChannelRecord rec(image, n);
    const std::string& rxText = grid.Text(n, kColRx);
    if (rxText.empty()) {
        if (!FrequencyShown(rec, ChannelRecord::kRx) || limits.InBand(rec.Rx()))
            rec.Clear();
        return;
    }
    const std::uint32_t rx = TextToFrequency(rxText);
    // B124's shift amount is the fixed block, never the channel's own: it
    // counts as usable, so that a transmit frequency in no band stays.
    const bool shiftIsBlock = RecordOffset(n) + ChannelRecord::kShiftAmount == region::kFixedBlock;
    const std::uint32_t rememberedShift =
        shiftIsBlock ? ChannelRecord::kSimplexShift : rec.ShiftAmount();
    rec.SetRx(rx);
    StoreTransmit(rec, limits, grid.Text(n, kColTx), rx, rememberedShift);
    rec.SetRxTone(ToneTextToValue(grid.Text(n, kColRxTone)));
    rec.SetTxTone(ToneTextToValue(grid.Text(n, kColTxTone)));
    for (const FlagColumn& flag : kFlagColumns) {
        const int index = IndexOf(ChoicesForColumn(flag.col), grid.Text(n, flag.col));
        if (index >= 0)
            rec.Set(flag.field, index);
        else if (flag.otherTextClears)
            rec.Set(flag.field, 0);
    }
}

} // namespace

void GridToImage(ChannelGrid& grid, RadioImage& image, const BandLimits& limits) {
    CommitOpenEditor(grid, image, limits);
    // B124's shift amount is the fixed block once the image is finalised; its
    // row is converted against that from the start, as a second conversion
    // of the saved image would be.
    WriteFixedBlock(image);
    for (int n = 1; n <= kChannelCount; ++n)
        StoreRow(grid, image, limits, n);
    FinalizeImage(image, limits);
}

void PassThroughGrid(RadioImage& image, BandLimits& limits) {
    ChannelGrid grid;
    RenderGrid(grid, image, limits);
    GridToImage(grid, image, limits);
}

void GridRowToImage(const ChannelGrid& grid, RadioImage& image, const BandLimits& limits, int n) {
    StoreRow(grid, image, limits, n);
}

EditorSpec StartCellEdit(ChannelGrid& grid, GridCell cell) {
    EditorSpec opened;
    if (cell.row < 1 || cell.row >= kGridRows || cell.col < 1 || cell.col >= kGridCols) {
        grid.current = cell;
        return opened;
    }
    if (grid.RowEmpty(cell.row))
        cell.col = kColRx; // in an empty row only the RX frequency can be entered
    grid.current = cell;
    opened.kind = EditorForColumn(cell.col);
    opened.cell = cell;
    const std::string& text = grid.Text(cell.row, cell.col);
    if (opened.kind == EditorKind::Choice) {
        opened.choices = ChoicesForColumn(cell.col);
        for (std::size_t i = 0; i < opened.choices.size(); ++i) {
            if (StartsWith(opened.choices[i], text)) {
                opened.choiceIndex = static_cast<int>(i);
                break;
            }
        }
        opened.text = opened.choiceIndex >= 0
                          ? opened.choices[static_cast<std::size_t>(opened.choiceIndex)]
                          : std::string();
    } else {
        opened.text = text;
    }
    grid.editor = ChannelGrid::OpenEditor{opened.kind, opened.cell, opened.text};
    return opened;
}

std::uint32_t CorrectTypedFrequency(const std::string& typed, const BandLimits& limits) {
    std::uint32_t f = TextToFrequency(typed);
    if (f == 0)
        return 0;
    if (!limits.InBand(f)) {
        const int b = limits.FirstConfiguredBand();
        // With no usable band at all the typed value is kept as it is.
        if (b >= 0)
            f = static_cast<std::uint32_t>(limits.low[b]);
    }
    if (IsOffRaster(f))
        f = SnapToStep(f);
    return f;
}

void CommitFrequency(ChannelGrid& grid, RadioImage& image, const BandLimits& limits, GridCell cell,
                     const std::string& typed) {
    const int row = cell.row;
    const std::uint32_t rxOld = TextToFrequency(grid.Text(row, kColRx));
    const std::uint32_t txOld = TextToFrequency(grid.Text(row, kColTx));
    const std::uint32_t f = CorrectTypedFrequency(typed, limits);
    const std::string text = f == 0 ? std::string() : FrequencyToText(f);

    if (cell.col == kColRx) {
        if (text.empty()) {
            grid.ClearRow(row);
        } else if (grid.RowEmpty(row)) {
            grid.SetText(row, kColRx, text);
            grid.SetText(row, kColTx, text);
            for (int c = 0; c < 6; ++c)
                grid.SetText(row, kColRxTone + c, kNewRowDefaults[c]);
            // The fields only the channel edit dialog shows start from their
            // defaults.
            ClearRecord(image, row);
        } else {
            grid.SetText(row, kColRx, text);
            if (IsVfoRecord(row) && !limits.SameBand(txOld, f))
                grid.SetText(row, kColTx, text);
        }
    } else if (cell.col == kColTx) {
        if (grid.RowEmpty(row)) {
            grid.SetText(row, kColTx, std::string());
        } else if (!text.empty()) {
            grid.SetText(row, kColTx, text);
            if (IsVfoRecord(row) && !limits.SameBand(rxOld, f))
                grid.SetText(row, kColRx, text);
        }
    }
}

void CommitTone(ChannelGrid& grid, GridCell cell, const std::string& typed) {
    grid.SetText(cell.row, cell.col,
                 grid.RowEmpty(cell.row) ? std::string() : NormalizeToneText(typed));
}

void CommitChoice(ChannelGrid& grid, GridCell cell, const std::string& chosen) {
    grid.SetText(cell.row, cell.col, grid.RowEmpty(cell.row) ? std::string() : chosen);
}

void CommitOpenEditor(ChannelGrid& grid, RadioImage& image, const BandLimits& limits) {
    const ChannelGrid::OpenEditor open = grid.editor;
    grid.editor = ChannelGrid::OpenEditor{};
    switch (open.kind) {
    case EditorKind::Frequency:
        CommitFrequency(grid, image, limits, open.cell, open.text);
        break;
    case EditorKind::Tone:
        CommitTone(grid, open.cell, open.text);
        break;
    case EditorKind::Choice:
        CommitChoice(grid, open.cell, open.text);
        break;
    case EditorKind::None:
        break;
    }
}

bool FrequencyEditorAccepts(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

std::optional<FilteredEdit> FilterFrequencyEdit(const std::string& before,
                                                const std::string& after) {
    std::size_t prefix = 0;
    const std::size_t common = std::min(before.size(), after.size());
    while (prefix < common && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < common - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const std::string inserted = after.substr(prefix, after.size() - prefix - suffix);
    std::string kept;
    // A comma is the decimal point: dropped, it would turn 145,5 into 1455
    // and so into a band edge.
    for (const char c : TypedDecimalPoint(inserted))
        if (FrequencyEditorAccepts(c))
            kept += c;
    if (kept == inserted)
        return FilteredEdit{after, prefix + inserted.size()};
    if (kept.empty())
        return std::nullopt;
    return FilteredEdit{after.substr(0, prefix) + kept + after.substr(after.size() - suffix),
                        prefix + kept.size()};
}

GridCell MoveRight(GridCell cell) {
    if (cell.col == kGridCols - 1) {
        if (cell.row < kGridRows - 1)
            return GridCell{cell.row + 1, 1};
        return cell;
    }
    return GridCell{cell.row, cell.col + 1};
}

GridCell MoveLeft(GridCell cell) {
    if (cell.col <= 1) {
        if (cell.row >= 2)
            return GridCell{cell.row - 1, kGridCols - 1};
        return cell;
    }
    return GridCell{cell.row, cell.col - 1};
}

GridCell MoveDown(GridCell cell) {
    if (cell.row < kGridRows - 1)
        return GridCell{cell.row + 1, cell.col};
    return cell;
}

GridCell CellAfterEditorEnter(EditorKind kind, GridCell cell, bool textWasEmpty) {
    if (kind == EditorKind::Frequency && textWasEmpty)
        return MoveDown(cell);
    return MoveRight(cell);
}

} // namespace kestra
