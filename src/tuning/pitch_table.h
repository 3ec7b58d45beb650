#pragma once

namespace lutavo {

struct Guitar;

// Rebuilds the pitch table from the tuning and the capo.
void buildpitchtable(Guitar& g);

}  // namespace lutavo
