// The background catalogue, and the about and help texts.
#include "app/handlers/handler_table.h"

namespace vel {

void bind_background_handlers(const HandlerBinder&) {}

}  // namespace vel
