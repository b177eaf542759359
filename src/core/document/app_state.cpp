#include "core/document/app_state.h"

#include "core/codec/text.h"

namespace kestra {

bool FactoryPasswordMatches(const std::string& typed) {
    return EqualsIgnoreCase(typed, kFactoryPassword);
}

} // namespace kestra
