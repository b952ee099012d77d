#include "macros/editing/ActionCommands.h"

namespace macros::editing {}  // namespace macros::editing
