#include "macros/MacroNames.h"

#include "base/NameCompare.h"

namespace macros {

bool NamesEqualIgnoringCase(std::string_view a, std::string_view b) {
    return names::NamesEqualIgnoringCase(a, b);
}

bool ContainsNameIgnoringCase(const std::vector<std::string>& names, std::string_view name) {
    for (const std::string& existing : names) {
        if (NamesEqualIgnoringCase(existing, name)) {
            return true;
        }
    }
    return false;
}

std::string NextFreeMacroName(const std::vector<std::string>& names) {
    // At most names.size() numbers are taken, so one of the first size + 1 is free.
    for (std::size_t n = 1;; ++n) {
        std::string candidate = "macro_" + std::to_string(n);
        if (!ContainsNameIgnoringCase(names, candidate)) {
            return candidate;
        }
    }
}

std::optional<int> MacroNumberAfterDelete(int bound, int deleted) {
    if (bound == deleted) {
        return std::nullopt;
    }
    return bound > deleted ? bound - 1 : bound;
}

}  // namespace macros
