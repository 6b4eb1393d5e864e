#include "darts/dart_group.h"

namespace wobblux {}  // namespace wobblux
