#include "macros/editing/MacroRecorder.h"

namespace macros::editing {}  // namespace macros::editing
