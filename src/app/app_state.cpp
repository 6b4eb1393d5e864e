#include "app/app_state.h"

namespace wobblux {

AppState app;

}  // namespace wobblux
