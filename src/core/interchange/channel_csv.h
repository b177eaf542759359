// Channel interchange in the common 21-column ham-radio CSV layout:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE
//
// Export writes every non-empty memory channel (1..256); import maps rows to
// channels through the same commit rules as typing into the channel grid and
// reports, row by row, what did not land as it was written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/image/radio_image.h"

namespace kestra {

// RFC 4180: quoted fields may hold commas, quotes ("") and line breaks; CRLF
// or LF ends a record; a UTF-8 byte order mark at the start is dropped.
// Returns nullopt and sets error when the text is not valid UTF-8.
std::optional<std::vector<std::vector<std::string>>> ParseCsv(const std::string& text,
                                                              std::string& error);
// One record, fields quoted where they need it, ended by CRLF.
std::string CsvRecord(const std::vector<std::string>& fields);

// The export: header, then one row per non-empty channel; UTF-8 without BOM,
// CRLF line endings.
std::string ExportChannelCsv(const RadioImage& image);

struct CsvImportOptions {
    int start = 1;             // first channel 1..256 the rows go to
    bool keepLocation = false; // rows go to their Location column instead
    bool overwrite = false;    // non-empty channels take rows too
};

// A row, or a run of rows, that did not land as written.
struct CsvReportEntry {
    std::string rows;  // "3", or "4-9" for a run
    std::string label; // the row's name, else its frequency; empty for a run
    std::string what;  // what happened: the changes, or why it was skipped
    // "row 3 (HOME): what", or "rows 4-9: what".
    std::string Line() const;
};

struct CsvImportResult {
    bool usable = false; // false: error says why nothing was imported
    std::string error;
    int imported = 0;
    int skipped = 0;
    // One entry per row that did not land as is.
    std::vector<CsvReportEntry> report;
    std::vector<std::string> ReportLines() const;
};

// Imports the CSV text into the image (finalised afterwards when any row
// landed). An unusable file (not UTF-8, no header, no Frequency column)
// changes nothing.
CsvImportResult ImportChannelCsv(const std::string& text, RadioImage& image,
                                 const CsvImportOptions& options);

} // namespace kestra
