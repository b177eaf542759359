// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/grid/grid_clipboard.h"

#include <algorithm>
#include <functional>

#include "core/codec/codecs.h"
#include "core/codec/text.h"
#include "core/codec/utf8.h"

namespace kestra {

namespace {

// A report quotes this many characters of a pasted cell.
constexpr std::size_t kReportedChars = 40;

// Characters that show as nothing or as a plain space: the no-break and other
// Unicode spaces, the zero-width ones, direction marks, line and paragraph
// separators and the byte order mark (a zero-width no-break space).
bool IsInvisibleSpace(char32_t c) {
    return c == 0xA0 || c == 0x61C || c == 0x180E || (c >= 0x2000 && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0x3000 ||
           c == 0xFEFF;
}

// A pasted cell without the blanks around it: white space, line ends
// included, and the invisible characters a web page or another program
// leaves around a value (IsInvisibleSpace).
std::string TrimPastedCell(std::string_view text) {
    std::size_t first = text.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, length] = NextUtf8(text, i);
        const std::size_t step = std::max<std::size_t>(length, 1);
        const bool blank = length == 1 ? IsSpaceAscii(text[i]) : IsInvisibleSpace(c);
        if (length == 0 || !blank) {
            first = std::min(first, i);
            last = i + step;
        }
        i += step;
    }
    return first < last ? std::string(text.substr(first, last - first)) : std::string();
}

// A pasted cell as a report quotes it: cut after kReportedChars characters
// with "…", control characters and invisible ones written out (EscapeControl,
// "\u200B"), so that a long or binary text neither fills the screen nor
// hides what is wrong with it.
std::string ReportedText(std::string_view text) {
    const bool cut = Utf8Length(text) > kReportedChars;
    const std::string kept = cut ? Utf8Left(text, kReportedChars) : std::string(text);
    std::string out;
    for (std::size_t i = 0; i < kept.size();) {
        const auto [c, length] = NextUtf8(kept, i);
        const std::size_t step = std::max<std::size_t>(length, 1);
        if (length > 1 && ((c >= 0x80 && c <= 0x9F) || IsInvisibleSpace(c)))
            out += Format("\\u%04X", static_cast<unsigned>(c));
        else
            out += EscapeControl(std::string_view(kept).substr(i, step));
        i += step;
    }
    return cut ? out + "…" : out;
}

// The cell starting at tsv[i], up to the tab or line end after it; i moves
// onto that tab or line end (or to the end). A cell starting with a quote is
// quoted, as spreadsheets quote a cell holding a tab, a line end or a quote:
// it runs to the closing quote, "" inside standing for one quote, and what
// follows that quote up to the tab or line end is kept too. A quote that
// never closes is taken as it stands. A CR before the line end belongs to
// the line end.
std::string ReadCell(const std::string& tsv, std::size_t& i) {
    std::string cell;
    if (i < tsv.size() && tsv[i] == '"') {
        std::size_t j = i + 1;
        for (; j < tsv.size(); ++j) {
            if (tsv[j] != '"') {
                cell += tsv[j];
            } else if (j + 1 < tsv.size() && tsv[j + 1] == '"') {
                cell += '"';
                ++j;
            } else {
                break;
            }
        }
        if (j < tsv.size())
            i = j + 1;
        else
            cell.clear();
    }
    std::size_t end = tsv.find_first_of("\t\n", i);
    if (end == std::string::npos)
        end = tsv.size();
    std::size_t last = end;
    if (last > i && tsv[last - 1] == '\r' && (end == tsv.size() || tsv[end] == '\n'))
        --last;
    cell.append(tsv, i, last - i);
    i = end;
    return cell;
}

bool LooksLikeFrequency(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), FrequencyEditorAccepts) &&
           std::count(text.begin(), text.end(), '.') <= 1 && text != ".";
}

// Why `text` cannot be committed into `cell` (nullptr when it can).
const char* Refusal(const ChannelGrid& grid, const BandLimits& limits, GridCell cell,
                    const std::string& text) {
    if (cell.row < 1 || cell.row >= kGridRows || cell.col < 1 || cell.col >= kGridCols)
        return pastetext::kBeyondGrid;
    const EditorKind kind = EditorForColumn(cell.col);
    if (kind == EditorKind::Frequency) {
        // Only an RX frequency makes a channel; a TX for an empty row would
        // be dropped.
        if (cell.col == kColTx && grid.RowEmpty(cell.row) && !text.empty())
            return pastetext::kEmptyChannel;
        if (text.empty())
            return cell.col == kColTx && !grid.RowEmpty(cell.row) &&
                           !grid.Text(cell.row, kColTx).empty()
                       ? pastetext::kTxKept
                       : nullptr;
        if (!LooksLikeFrequency(text))
            return pastetext::kNotFrequency;
        // Typing moves such a frequency to a band edge; a pasted value that
        // far off is refused rather than turned into another channel.
        if (!limits.InBand(TextToFrequency(text)) && limits.FirstConfiguredBand() >= 0)
            return pastetext::kOutsideBands;
        return nullptr;
    }
    if (text.empty())
        return kind == EditorKind::Choice && !grid.RowEmpty(cell.row) ? pastetext::kUnknownChoice
                                                                      : nullptr;
    if (grid.RowEmpty(cell.row))
        return pastetext::kEmptyChannel;
    if (kind == EditorKind::Tone) {
        if (NormalizeToneText(text) == kNoToneText && text != kNoToneText)
            return pastetext::kUnknownTone;
        return nullptr;
    }
    const std::vector<std::string>& choices = ChoicesForColumn(cell.col);
    if (std::find(choices.begin(), choices.end(), text) == choices.end())
        return pastetext::kUnknownChoice;
    return nullptr;
}

// The cells of rect as lines of tab-separated texts, text(row, column) each.
std::string BlockTsv(const GridRect& rect, const std::function<std::string(int, int)>& text) {
    std::string out;
    for (int r = rect.top; r <= rect.bottom; ++r) {
        if (r > rect.top)
            out += '\n';
        for (int c = rect.left; c <= rect.right; ++c) {
            if (c > rect.left)
                out += '\t';
            out += text(r, c);
        }
    }
    return out;
}

} // namespace

std::string CopyCells(const ChannelGrid& grid, const GridRect& rect, const CellTextMap& shown) {
    return BlockTsv(
        rect, [&](int r, int c) { return shown ? shown(c, grid.Text(r, c)) : grid.Text(r, c); });
}

void ForEachTsvRow(const std::string& tsv,
                   const std::function<bool(const std::vector<std::string>& cells)>& row) {
    std::size_t i = 0;
    std::size_t emptyLines = 0; // held back: they are no rows at the end
    std::vector<std::string> cells;
    while (i < tsv.size()) {
        cells.assign(1, ReadCell(tsv, i));
        while (i < tsv.size() && tsv[i] == '\t') {
            ++i;
            cells.push_back(ReadCell(tsv, i));
        }
        ++i; // the line end
        if (cells.size() == 1 && cells.front().empty()) {
            ++emptyLines;
            continue;
        }
        for (; emptyLines > 0; --emptyLines)
            if (!row({std::string()}))
                return;
        if (!row(cells))
            return;
    }
}

std::vector<std::vector<std::string>> SplitTsv(const std::string& tsv) {
    std::vector<std::vector<std::string>> rows;
    ForEachTsvRow(tsv, [&rows](const std::vector<std::string>& cells) {
        rows.push_back(cells);
        return true;
    });
    return rows;
}

bool HoldsSeveralCells(const std::string& tsv) {
    int rows = 0;
    bool several = false;
    ForEachTsvRow(tsv, [&](const std::vector<std::string>& cells) {
        several = ++rows > 1 || cells.size() > 1;
        return !several;
    });
    return several;
}

std::string TsvForBlock(const std::string& tsv, const GridRect& block) {
    if (HoldsSeveralCells(tsv))
        return tsv;
    const std::vector<std::vector<std::string>> rows = SplitTsv(tsv);
    if (rows.empty())
        return tsv;
    const std::string cell = QuotedField(rows.front().front(), '\t');
    return BlockTsv(block, [&cell](int, int) { return cell; });
}

PasteResult PasteCells(ChannelGrid& grid, RadioImage& image, const BandLimits& limits, GridCell at,
                       const std::string& tsv, const CellTextMap& source) {
    PasteResult result;
    int r = 0;
    ForEachTsvRow(tsv, [&](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const GridCell cell{at.row + r, at.col + static_cast<int>(c)};
            const bool rowIn = cell.row >= 1 && cell.row < kGridRows;
            const bool colIn = cell.col >= 1 && cell.col < kGridCols;
            std::string text = TrimPastedCell(cells[c]);
            const std::string pasted = text;
            if (source && rowIn && colIn)
                text = source(cell.col, text);
            // A spreadsheet of a comma-decimal locale copies 145,5.
            if (cell.col == kColRx || cell.col == kColTx)
                text = TypedDecimalPoint(text);
            // An empty cell beyond the grid loses nothing.
            if (text.empty() && (cell.row >= kGridRows || cell.col >= kGridCols))
                continue;
            if (const char* why = Refusal(grid, limits, cell, text)) {
                if (result.problems.size() < static_cast<std::size_t>(kListedPasteProblems))
                    result.problems.push_back(PasteProblem{
                        cell.row, cell.col,
                        rowIn ? grid.Text(cell.row, kColLabel) : std::to_string(cell.row),
                        colIn ? grid.Text(0, cell.col) : std::to_string(cell.col),
                        ReportedText(pasted), why});
                else
                    ++result.unlisted;
                continue;
            }
            if (cell.col == kColRx && text.empty() && !grid.RowEmpty(cell.row))
                result.cleared.push_back(cell.row);
            switch (EditorForColumn(cell.col)) {
            case EditorKind::Frequency:
                CommitFrequency(grid, image, limits, cell, text);
                break;
            case EditorKind::Tone:
                CommitTone(grid, cell, text);
                break;
            default:
                CommitChoice(grid, cell, text);
                break;
            }
            if (result.firstRow == 0)
                result.firstRow = cell.row;
            result.lastRow = cell.row;
        }
        ++r;
        return true;
    });
    return result;
}

} // namespace kestra
