#pragma once

namespace lutavo {

struct Guitar;

// Reads the configuration file (the user's, else the default in the program's folder).
void readconfig(Guitar& g);

// Writes the user's configuration file. Returns false when it cannot be written.
bool writeconfig(Guitar& g);

}  // namespace lutavo
