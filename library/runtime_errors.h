#pragma once
// Fatal runtime errors and the orderly end of the program.
#include <functional>
#include <string>

namespace vel {

// The coded errors of the core library.
enum FatalCode : int {
    kErrIndexAbove = 1,
    kErrNotNumeric = 2,
    kErrDimensionCount = 3,
    kErrIndexBelowOne = 4,
    kErrTypeMismatch = 5,
    kErrStackUnbalanced = 6,
    kErrNoValue = 7,
    kErrCompareOnlyEqual = 8,
    kErrChoiceIndex = 9,
    kErrRedefineArray = 10,
    kErrArgumentType = 11,
};
// The fixed message of a coded error (GBK); empty for unknown codes.
std::string fatal_code_message(int code);

// Builds the box text, shows it (message box through the installed presenter,
// standard error otherwise) and ends the program with exit code -1.
[[noreturn]] void fatal_runtime_error(int code, std::string_view message_gbk);
// The box text of fatal_runtime_error (exposed for tests).
std::string fatal_box_text(int code, std::string_view message_gbk);
int fatal_error_count();

// How a fatal error is shown: (text, caption), both GBK. The window system
// installs a message box here once it exists.
using FatalPresenter = std::function<void(const std::string& text, const std::string& caption)>;
void set_fatal_presenter(FatalPresenter presenter);

// The logic's cleanup routine, run once at program end.
void register_cleanup(std::function<void()> cleanup);
// Hooks of the runtime's own parts (form runtime records, sound workers ...),
// run in registration order by end_program before the process exits.
void register_end_hook(std::function<void()> hook);
[[noreturn]] void end_program(int exit_code);
bool program_ending();

}  // namespace vel
