#include "jelly/jelly_sheet.h"

namespace wobblux {}  // namespace wobblux
