#include "core/document/app_state.h"

#include <cctype>
#include <cstring>

namespace kestra {

bool FactoryPasswordMatches(const std::string& typed) {
    const std::size_t len = std::strlen(kFactoryPassword);
    if (typed.size() != len)
        return false;
    for (std::size_t i = 0; i < len; ++i)
        if (std::toupper(static_cast<unsigned char>(typed[i])) !=
            std::toupper(static_cast<unsigned char>(kFactoryPassword[i])))
            return false;
    return true;
}

} // namespace kestra
