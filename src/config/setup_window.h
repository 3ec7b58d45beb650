#pragma once

namespace lutavo {

struct Guitar;

// Closes the setup window when it is open.
void closeSetupWindow(Guitar& g);

}  // namespace lutavo
