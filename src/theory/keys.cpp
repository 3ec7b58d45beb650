#include "theory/keys.h"

#include "app/guitar.h"

namespace lutavo {

void setkey(Guitar&) {}

}  // namespace lutavo
