#include "jelly/mass_point.h"

namespace wobblux {}  // namespace wobblux
