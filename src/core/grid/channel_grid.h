// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid: a 259 x 9 text table, the working copy of the eight
// grid-owned fields of every channel record.
//
//   row 0         header: "", "接收频率", "发射频率", "接收信令", "发射信令",
//                         "功率", "扫描", "带宽", "繁忙"
//   rows 1-258    record n: label ("A 001".."B 128", "A VFO", "B VFO") and
//                 RX, TX, RX tone, TX tone, power, scan, bandwidth, busy lockout
//
// RenderGrid fills it from the image, GridToImage writes it back; in-place
// editing changes only the text, never the image (except that a new channel's
// record is cleared at once).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/codec/text_seam.h"
#include "core/image/radio_image.h"

namespace kestra {

inline constexpr int kGridRows = kChannelCount + 1; // header row and records 1..258
inline constexpr int kGridCols = 9;

enum GridColumn {
    kColLabel = 0,
    kColRx = 1,
    kColTx = 2,
    kColRxTone = 3,
    kColTxTone = 4,
    kColPower = 5,
    kColScan = 6,
    kColBandwidth = 7,
    kColBusy = 8,
};

// Cell texts of the grid-owned flags. The grid stores and compares these
// source texts; a view shows them translated.
namespace gridtext {
inline constexpr const char* kHigh = KESTRA_TEXT("kestra", "高");
inline constexpr const char* kLow = KESTRA_TEXT("kestra", "低");
inline constexpr const char* kYes = KESTRA_TEXT("kestra", "是");
inline constexpr const char* kNo = KESTRA_TEXT("kestra", "否");
inline constexpr const char* kWide = KESTRA_TEXT("kestra", "宽");
inline constexpr const char* kNarrow = KESTRA_TEXT("kestra", "窄");
inline constexpr const char* kBusyOff = KESTRA_TEXT("kestra", "关");
inline constexpr const char* kBusyCarrier = KESTRA_TEXT("kestra", "载波");
inline constexpr const char* kBusyQt = KESTRA_TEXT("kestra", "QT/DQT");
} // namespace gridtext

// Column widths in twips (1/1440 inch): label 600, frequencies 1500, others 1000.
int GridColumnWidthTwips(int col);

enum class EditorKind { None, Frequency, Tone, Choice };

// The editor a column uses: 1-2 frequency, 3-4 tone, 5-8 choice, 0 none.
EditorKind EditorForColumn(int col);

// The fixed choice list of columns 5 to 8 (empty for other columns).
const std::vector<std::string>& ChoicesForColumn(int col);


struct GridCell {
    int row = 1;
    int col = 1;
    bool operator==(const GridCell& o) const { return row == o.row && col == o.col; }
};

class ChannelGrid {
public:
    ChannelGrid();

    const std::string& Text(int row, int col) const { return cells_[Index(row, col)]; }
    void SetText(int row, int col, std::string text) { cells_[Index(row, col)] = std::move(text); }
    bool RowEmpty(int row) const { return Text(row, kColRx).empty(); }
    void ClearRow(int row);
    // The same text in every cell (the current cell and editor aside).
    bool SameCells(const ChannelGrid& other) const { return cells_ == other.cells_; }

    // The current cell (the grid's Row and Col).
    GridCell current;

    // The in-place editor that is open, if any, with its live text. Views
    // keep the text up to date so that GridToImage can commit it first.
    struct OpenEditor {
        EditorKind kind = EditorKind::None;
        GridCell cell;
        std::string text;
    };
    OpenEditor editor;
    bool EditorOpen() const { return editor.kind != EditorKind::None; }

private:
    static std::size_t Index(int row, int col) {
        return static_cast<std::size_t>(row) * kGridCols + static_cast<std::size_t>(col);
    }
    std::vector<std::string> cells_;
};

// Whether the frequency at field (ChannelRecord::kRx or kTx) of rec is one:
// not when its most significant byte is FF or 00.
bool FrequencyShown(const ConstChannelRecord& rec, int field);

// Fills rows 1-258, columns 1-8 from the image. The band limits are first
// taken from the image where it holds them.
void RenderGrid(ChannelGrid& grid, const RadioImage& image, BandLimits& limits);
// The eight cell texts of record n as rendering shows them (all empty for an
// empty channel).
std::array<std::string, 8> RenderRow(const RadioImage& image, const BandLimits& limits, int n);

// The records (1..258) whose receive frequency before leaves in a band and
// after leaves out: the grid shows them empty and the next conversion clears
// them.
std::vector<int> RecordsLeftOut(const RadioImage& image, const BandLimits& before,
                                const BandLimits& after);

// Commits the open editor, writes every row into its record and runs
// FinalizeImage.
void GridToImage(ChannelGrid& grid, RadioImage& image, const BandLimits& limits);

// What opening an image and then saving or sending it does: the grid is
// rendered from the image and converted back (which finalises it).
void PassThroughGrid(RadioImage& image, BandLimits& limits);
// Stores a transmit frequency (empty text: receive only) and the shift it
// gives with rx into rec, as converting a row does: a shift within one band
// is stored; across bands the channel keeps the 10 MHz simplex shift; a
// frequency in no band keeps rememberedShift (the record's amount before),
// and with none usable (above 99.995 MHz) the channel becomes simplex.
void StoreTransmit(ChannelRecord& rec, const BandLimits& limits, const std::string& txText,
                   std::uint32_t rx, std::uint32_t rememberedShift);
// Writes row n into record n as GridToImage does, without FinalizeImage.
void GridRowToImage(const ChannelGrid& grid, RadioImage& image, const BandLimits& limits, int n);

// What StartCellEdit decided: which editor opens on which cell, with what.
struct EditorSpec {
    EditorKind kind = EditorKind::None;
    GridCell cell;
    std::string text;                 // initial editor text
    std::vector<std::string> choices; // choice editor's list
    int choiceIndex = -1;             // selected choice (-1 none)
};

// Opens an editor on a cell: an empty row edits its RX cell. The grid's
// current cell and open editor are updated. Column 0 opens nothing.
EditorSpec StartCellEdit(ChannelGrid& grid, GridCell cell);

// Commit rules, each writing into the given cell (and named cells of its row).
void CommitFrequency(ChannelGrid& grid, RadioImage& image, const BandLimits& limits, GridCell cell,
                     const std::string& typed);
void CommitTone(ChannelGrid& grid, GridCell cell, const std::string& typed);
void CommitChoice(ChannelGrid& grid, GridCell cell, const std::string& chosen);

// The frequency an editor's text becomes: 0 (empty text) or a frequency in a
// band on the channel raster.
std::uint32_t CorrectTypedFrequency(const std::string& typed, const BandLimits& limits);

// Commits and closes the open editor, if any, with its live text.
void CommitOpenEditor(ChannelGrid& grid, RadioImage& image, const BandLimits& limits);

// Characters the frequency editor accepts (deleting always passes).
bool FrequencyEditorAccepts(char c);

// The frequency editor's filter applied to an edit of any origin (typed,
// pasted, dropped, composed) that turned the editor's text `before` into
// `after`. The edit is read as the smallest replacement of one stretch of
// `before`; its inserted characters keep only those the editor accepts, a
// comma taken as the decimal point.
// When none of them is accepted the edit is refused (nullopt) and the text
// stays as it was, just as a rejected typed character changes nothing;
// otherwise the result is the filtered text with the cursor placed after
// the inserted part.
struct FilteredEdit {
    std::string text;
    std::size_t cursor = 0;
};
std::optional<FilteredEdit> FilterFrequencyEdit(const std::string& before,
                                                const std::string& after);

// Keyboard navigation. Right at the last column wraps to column 1 of the next
// row; Left at column 1 wraps to the last column of the row above (from row 2).
GridCell MoveRight(GridCell cell);
GridCell MoveLeft(GridCell cell);
GridCell MoveDown(GridCell cell);
// Where Enter in an editor moves the current cell: the frequency editor moves
// down when its text was empty, every editor otherwise moves right.
GridCell CellAfterEditorEnter(EditorKind kind, GridCell cell, bool textWasEmpty);

} // namespace kestra
