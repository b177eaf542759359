// SPDX-License-Identifier: GPL-3.0-or-later
// Copy and paste between the channel grid and spreadsheets: a block of cells
// travels as tab-separated text (cells by tab, rows by newline) holding the
// grid texts.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/codec/text_seam.h"
#include "core/grid/channel_grid.h"

namespace kestra {

// A block of grid cells, corners included.
struct GridRect {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;
};

// Why a pasted cell did not land. The texts are the grid's own; a view shows
// them translated.
namespace pastetext {
inline constexpr const char* kBeyondGrid = KESTRA_TEXT("kestra", "超出表格");
inline constexpr const char* kNotFrequency = KESTRA_TEXT("kestra", "不是频率");
inline constexpr const char* kOutsideBands = KESTRA_TEXT("kestra", "不在频段内");
inline constexpr const char* kUnknownTone = KESTRA_TEXT("kestra", "未知信令");
inline constexpr const char* kUnknownChoice = KESTRA_TEXT("kestra", "不是可选项");
inline constexpr const char* kTxKept = KESTRA_TEXT("kestra", "发射频率不能清空");
inline constexpr const char* kEmptyChannel = KESTRA_TEXT("kestra", "信道为空");
} // namespace pastetext

// One pasted cell that did not land: where it was headed (the row label and
// column header where they exist, else the row or column number), its text
// as a report quotes it (at most 40 characters and "…", control and
// invisible characters written out as "\n" or "\u200B") and why.
struct PasteProblem {
    int row = 0;
    int col = 0;
    std::string rowLabel;
    std::string colLabel;
    std::string text;
    std::string why;
};

// A paste report lists this many cells that did not land; the rest are
// counted.
inline constexpr int kListedPasteProblems = 20;

struct PasteResult {
    std::vector<PasteProblem> problems; // the first kListedPasteProblems
    int unlisted = 0;                   // the cells that did not land beyond those
    std::vector<int> cleared; // rows of used channels an empty RX cell cleared
    int firstRow = 0; // rows whose texts may have changed (0 when none)
    int lastRow = -1;
};

// A cell text of column col as a language shows it (copying), or back
// (pasting): the texts the grid decides, its choices and "no tone", may be
// shown translated.
using CellTextMap = std::function<std::string(int col, const std::string& text)>;

// The texts of a block as TSV, rows ended by "\n" except the last; each as
// shown, when given.
std::string CopyCells(const ChannelGrid& grid, const GridRect& rect, const CellTextMap& shown = {});

// Splits TSV as spreadsheets put it on the clipboard (LF or CRLF, an optional
// final line end) into rows of cells. A cell starting with a quote is quoted,
// as spreadsheets quote a cell holding a tab, a line end or a quote: the tabs
// and line ends up to its closing quote are its text, and "" is a quote.
// Empty lines at the end are no rows: they hold no cell, only the line end a
// copy ends with.
std::vector<std::vector<std::string>> SplitTsv(const std::string& tsv);
// The rows of SplitTsv one by one, without keeping them, until row answers
// false (a clipboard of millions of cells is read in one pass).
void ForEachTsvRow(const std::string& tsv,
                   const std::function<bool(const std::vector<std::string>& cells)>& row);
// Whether tsv holds more than one cell.
bool HoldsSeveralCells(const std::string& tsv);

// What pasting TSV onto a selected block pastes from the block's top left
// cell: a single cell fills the whole block, as spreadsheets fill a
// selection; more cells are pasted as they are.
std::string TsvForBlock(const std::string& tsv, const GridRect& block);

// Pastes TSV into the grid with its top left cell at `at`. Every cell goes
// through its column's commit rule as if typed into that cell (an off-raster
// frequency is snapped, a tone is normalised). A cell that cannot land -
// beyond the grid, not a frequency or outside both bands in a frequency
// column, an empty TX of a used channel (typing keeps its TX too: pasting a
// receive-only channel over another must not leave it transmitting unseen),
// an unknown tone or choice, a value other than its RX for an empty
// channel (a TX included) - is left out and reported. An empty RX cell
// clears its channel, name included, as typing does; the channels a paste
// cleared are reported too. A shown text (English "High") is taken as its
// cell text, when source is given.
PasteResult PasteCells(ChannelGrid& grid, RadioImage& image, const BandLimits& limits, GridCell at,
                       const std::string& tsv, const CellTextMap& source = {});

} // namespace kestra
