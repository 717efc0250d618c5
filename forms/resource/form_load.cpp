// The start-up reader: a resource that cannot be read ends the program.
#include "forms/resource/form_resource.h"
#include "library/runtime_errors.h"

namespace vel {

FormResource load_form_resource(std::span<const std::uint8_t> bytes) {
    FormReadResult r = read_form_resource(bytes);
    if (!r.ok()) {
        // "载入窗口模板数据段出错!"
        fatal_runtime_error(0,
                            "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD"
                            "\xB6\xCE\xB3\xF6\xB4\xED!");
    }
    return std::move(*r.resource);
}

}  // namespace vel
