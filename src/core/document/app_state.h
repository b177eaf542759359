// SPDX-License-Identifier: GPL-3.0-or-later
// The application's one state object: everything the exchanges, the grid and
// the dialogs share. The application owns one; a test builds its own.
#pragma once

#include <atomic>
#include <string>

#include "core/image/radio_image.h"

namespace kestra {

struct AppState {
    RadioImage image;
    BandLimits bandLimits;
    std::string portName;     // device of the selected serial port
    std::string modelName;    // from the settings file
    std::string appDirectory; // the program's directory, ending in a separator
    std::string backupFolder; // where exchanges keep their backups; empty: none kept
    bool factoryMode = false; // set by the factory unlock, never cleared
    std::atomic<bool> transferBusy{false};
    // The called number of the DTMF auto-dial page ("呼叫ID"): kept for the
    // whole run, never in the image or a file.
    std::string dtmfCallId = "100";
};

// Copies what documents and forms read of a state: image, band limits, model
// name, program and backup folders, factory mode and call ID (an AppState itself
// holds an atomic and is not copyable; port and busy flag are not copied).
void CopyDocumentState(const AppState& from, AppState& to);

// The factory password, compared ignoring letter case.
inline constexpr const char* kFactoryPassword = "QDM537";
bool FactoryPasswordMatches(const std::string& typed);

} // namespace kestra
