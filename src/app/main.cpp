#include "app/startup.h"

// Wobblux takes no arguments; the command line is ignored.
int main() {
    return wobblux::runWobblux();
}
