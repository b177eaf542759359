// SPDX-License-Identifier: GPL-3.0-or-later
// Channel interchange in the common 21-column ham-radio CSV layout:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE
//
// Export writes every non-empty memory channel (1..256); import maps rows to
// channels through the same commit rules as typing into the channel grid and
// reports, row by row, what did not land as it was written (a Comment, which
// the radio has no room for, included).
//
// Import reads the text as a stream: it keeps at most one row, the 256
// channels and a bounded report, never the rows themselves, and stops at the
// first error that makes the whole file unusable.
#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/image/radio_image.h"

namespace kestra {

// The largest CSV file import takes; a larger one is refused whole.
inline constexpr std::size_t kMaxCsvBytes = std::size_t(64) << 20;
// A quoted field may run over at most this many lines; more means a quote
// that was never closed.
inline constexpr int kMaxQuotedFieldLines = 5;
// Import keeps at most this much of one field: a longer Name or Comment is
// cut (and reported), a row with any other field that long is skipped.
inline constexpr std::size_t kKeptFieldBytes = 1024;
// Report entries listed one by one; further rows are counted in one line.
inline constexpr std::size_t kMaxReportEntries = 1000;

// RFC 4180: a field that starts with a quote may hold commas, quotes ("")
// and line breaks; a quote inside an unquoted field is a character; CRLF,
// LF or CR ends a record; a UTF-8 byte order mark at the start is dropped.
// Returns nullopt and sets error when the text is over kMaxCsvBytes (not
// read), not valid UTF-8, or a quoted field is not closed (at the end of the
// text, or within kMaxQuotedFieldLines lines). With mostRecords the reading
// stops after that many records (the header counts as one); the rest of the
// text is not looked at.
std::optional<std::vector<std::vector<std::string>>>
ParseCsv(const std::string& text, std::string& error,
         std::size_t mostRecords = std::numeric_limits<std::size_t>::max());
// One record, fields quoted where they need it, ended by CRLF.
std::string CsvRecord(const std::vector<std::string>& fields);

// The export: header, then one row per non-empty channel; UTF-8 without BOM,
// CRLF line endings. TStep is a step that divides the frequency (5, 12.5,
// 6.25 or 2.5 kHz, "5.00"), Power is in watts ("5.0W" high, "1.0W" low),
// and a Name that starts with =, +, - or @ gets a leading ' so that a
// spreadsheet shows it as text (import takes it off again).
std::string ExportChannelCsv(const RadioImage& image);

// Whether channel n holds a channel that only overwrite replaces: one the
// grid shows, or one whose receive frequency lies outside both bands (its row
// is empty, and the image keeps it as it is).
bool ChannelHeld(const RadioImage& image, int n);

struct CsvImportOptions {
    int start = 1;             // first channel 1..256 the rows go to
    bool keepLocation = false; // rows go to their Location column instead
    bool overwrite = false;    // non-empty channels take rows too
};

// A row, or a run of rows, that did not land as written.
struct CsvReportEntry {
    std::string rows;  // "3", or "4-9" for a run
    std::string label; // the row's Name and Frequency; empty for a run
    std::string what;  // what happened: the changes, or why it was skipped
    // "row 3 (HOME, 145.5): what", "row 3: what", or "rows 4-9: what".
    std::string Line() const;
};

struct CsvImportResult {
    bool usable = false; // false: error says why nothing was imported
    std::string error;
    int imported = 0;
    int skipped = 0;
    int replaced = 0; // rows that a later row with the same Location replaced
    // One entry per row that did not land as is (up to kMaxReportEntries,
    // then one line counting the rest). Values from the file are quoted with
    // control characters escaped (\0, \r, \x1B).
    std::vector<CsvReportEntry> report;
    std::vector<std::string> ReportLines() const;
    // "3 rows imported, 1 skipped" (", 2 replaced by a later row").
    std::string Summary() const;
};

// Imports the CSV text into the image (finalised afterwards when any row
// landed). An unusable file (over kMaxCsvBytes, not UTF-8, an unclosed
// quote, no header, no Frequency column) changes nothing.
CsvImportResult ImportChannelCsv(const std::string& text, RadioImage& image,
                                 const CsvImportOptions& options);

// The same import fed in pieces, for a file read as a stream. The image is
// read when the import is made and changed only by Finish, and only when
// the file is usable.
class CsvChannelImport {
public:
    CsvChannelImport(RadioImage& image, const CsvImportOptions& options);
    ~CsvChannelImport();
    CsvChannelImport(const CsvChannelImport&) = delete;
    CsvChannelImport& operator=(const CsvChannelImport&) = delete;
    // False once the file is unusable; further pieces are ignored.
    bool Feed(std::string_view piece);
    CsvImportResult Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace kestra
