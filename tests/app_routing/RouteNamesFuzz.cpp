// Any notification type and sender name: matching never reads outside the name and any match
// is an entry of that type's table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/routing/RouteNames.h"
#include "app/routing/RouteTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view type = input.substr(0, newline);
    const std::string_view name =
        newline == std::string_view::npos ? std::string_view{} : input.substr(newline + 1);

    if (const auto split = routing::SplitIndexedName(name)) {
        if (split->prefix.empty() || split->prefix.back() != '_') {
            std::abort();
        }
    }
    const auto own = [](std::string_view) { return true; };
    if (const auto match = routing::FindRoute(type, name, own)) {
        const auto table = routing::TableFor(type);
        if (match->entry < table.data() || match->entry >= table.data() + table.size()) {
            std::abort();
        }
    }
    return 0;
}
