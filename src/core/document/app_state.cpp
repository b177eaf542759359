// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/app_state.h"

#include "core/codec/text.h"

namespace kestra {

bool FactoryPasswordMatches(const std::string& typed) {
    return EqualsIgnoreCase(typed, kFactoryPassword);
}

void CopyDocumentState(const AppState& from, AppState& to) {
    to.image = from.image;
    to.bandLimits = from.bandLimits;
    to.modelName = from.modelName;
    to.appDirectory = from.appDirectory;
    to.backupFolder = from.backupFolder;
    to.factoryMode = from.factoryMode;
    to.dtmfCallId = from.dtmfCallId;
}

} // namespace kestra
