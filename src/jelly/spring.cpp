#include "jelly/spring.h"

namespace wobblux {}  // namespace wobblux
