#include "fountain/spark_fountain.h"

namespace wobblux {}  // namespace wobblux
