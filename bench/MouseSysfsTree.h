#pragma once

#include <string>

namespace bench {

// A sysfs tree under the temporary folder named after `name` and this process: `nodes`
// mouse-like hidraw nodes (interface 1 with the four-collection descriptor), each with its USB
// parent's identity files and its class link. Returns the tree's root; the caller removes it.
std::string MakeMouseSysfsTree(const std::string& name, int nodes);

}  // namespace bench
