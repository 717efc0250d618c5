#include "app/backgrounds/backgrounds.h"

namespace vel {

void restore_background() {}

}  // namespace vel
