#include "core/grid/channel_grid.h"

#include "core/codec/codecs.h"
#include "core/image/finalize.h"

namespace kestra {

namespace {

const char* const kHeaders[kGridCols] = {"",     "接收频率", "发射频率", "接收信令", "发射信令",
                                         "功率", "扫描",     "带宽",     "繁忙"};

// Texts a row receives with its first RX frequency, columns 3 to 8.
const char* const kNewRowDefaults[6] = {kNoToneText,    kNoToneText,     gridtext::kHigh,
                                        gridtext::kYes, gridtext::kWide, gridtext::kBusyOff};

bool IsVfoRow(int row) {
    return row > 256;
}

} // namespace

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

std::array<std::string, 8> RenderRow(const RadioImage& image, const BandLimits& limits, int n) {
    std::array<std::string, 8> cells;
    const ChannelRecord rec(const_cast<RadioImage&>(image), n);
    const std::uint8_t rxTop = rec.byte(ChannelRecord::kRx + 3);
    if (rxTop == 0xFF || rxTop == 0x00)
        return cells;
    const std::uint32_t rx = rec.rx();
    if (!limits.InBand(rx))
        return cells;
    cells[0] = FrequencyToText(rx);
    const std::uint8_t txTop = rec.byte(ChannelRecord::kTx + 3);
    if (txTop != 0xFF && txTop != 0x00)
        cells[1] = FrequencyToText(rec.tx());
    cells[2] = ToneValueToText(rec.rxTone());
    cells[3] = ToneValueToText(rec.txTone());
    cells[4] = rec.highPower() ? gridtext::kHigh : gridtext::kLow;
    cells[5] = rec.scan() ? gridtext::kYes : gridtext::kNo;
    cells[6] = rec.wide() ? gridtext::kWide : gridtext::kNarrow;
    switch (rec.busyLockout()) {
    case 0:
        cells[7] = gridtext::kBusyOff;
        break;
    case 1:
        cells[7] = gridtext::kBusyCarrier;
        break;
    case 2:
        cells[7] = gridtext::kBusyQt;
        break;
    default:
        break; // 3 has no text
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

void StoreRow(const ChannelGrid& grid, RadioImage& image, const BandLimits& limits, int n) {
    ChannelRecord rec(image, n);
    const std::string& rxText = grid.Text(n, kColRx);
    if (rxText.empty()) {
        rec.Clear();
        return;
    }
    const std::uint32_t rx = TextToFrequency(rxText);
    rec.setRx(rx);
    const std::uint32_t rememberedShift = rec.shiftAmount();

    const std::string& txText = grid.Text(n, kColTx);
    if (txText.empty()) {
        rec.setTxNone();
        rec.setShiftDirection(0);
        rec.setShiftAmount(1000000);
    } else {
        const std::uint32_t tx = TextToFrequency(txText);
        rec.setTx(tx);
        if (rx == tx) {
            rec.setShiftDirection(0);
            rec.setShiftAmount(1000000);
        } else if (!limits.InBand(tx)) {
            if (rememberedShift > 9999500) {
                // An out-of-band transmit frequency with no usable remembered
                // shift: the channel becomes simplex.
                rec.setShiftDirection(0);
                rec.setShiftAmount(1000000);
                rec.setTx(rx);
            } else {
                rec.setShiftDirection(rx > tx ? 1 : 2);
            }
        } else if (limits.SameBand(rx, tx)) {
            rec.setShiftDirection(rx > tx ? 1 : 2);
            rec.setShiftAmount(rx > tx ? rx - tx : tx - rx);
        } else {
            rec.setShiftDirection(0);
            rec.setShiftAmount(1000000);
        }
    }

    rec.setRxTone(ToneTextToValue(grid.Text(n, kColRxTone)));
    rec.setTxTone(ToneTextToValue(grid.Text(n, kColTxTone)));

    rec.setHighPower(grid.Text(n, kColPower) == gridtext::kHigh);

    const std::string& scan = grid.Text(n, kColScan);
    if (scan == gridtext::kYes)
        rec.setScan(true);
    else if (scan == gridtext::kNo)
        rec.setScan(false);

    const std::string& bw = grid.Text(n, kColBandwidth);
    if (bw == gridtext::kWide)
        rec.setWide(true);
    else if (bw == gridtext::kNarrow)
        rec.setWide(false);

    const std::string& busy = grid.Text(n, kColBusy);
    rec.setBusyLockout(busy == gridtext::kBusyCarrier ? 1 : busy == gridtext::kBusyQt ? 2 : 0);
}

} // namespace

void GridToImage(ChannelGrid& grid, RadioImage& image, const BandLimits& limits) {
    CommitOpenEditor(grid, image, limits);
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
            if (opened.choices[i].compare(0, text.size(), text) == 0) {
                opened.choiceIndex = static_cast<int>(i);
                break;
            }
        }
        opened.text = opened.choiceIndex >= 0 ? opened.choices[static_cast<std::size_t>(opened.choiceIndex)]
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
            if (IsVfoRow(row) && !limits.SameBand(txOld, f))
                grid.SetText(row, kColTx, text);
        }
    } else if (cell.col == kColTx) {
        if (grid.RowEmpty(row)) {
            grid.SetText(row, kColTx, std::string());
        } else if (!text.empty()) {
            grid.SetText(row, kColTx, text);
            if (IsVfoRow(row) && !limits.SameBand(rxOld, f))
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
