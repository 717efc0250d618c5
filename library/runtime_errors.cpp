#include "library/runtime_errors.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "platform/text/error_output.h"

namespace vel {
namespace {

struct EndState {
    std::mutex lock;
    FatalPresenter presenter;
    std::function<void()> cleanup;
    std::vector<std::function<void()>> hooks;
    std::atomic<bool> ending{false};
    std::atomic<int> errors{0};
};
EndState& state() {
    static EndState s;
    return s;
}

// The messages of the coded errors, GBK.
const char* const k_code_messages[] = {
    "",
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2"
    "\xE5"
    "\xB7\xB6\xCE\xA7",
    "\xCE\xB4\xB5\xC3\xB5\xBD\xCB\xF9\xD0\xE8\xD2\xAA\xB5\xC4\xCA\xFD\xD6\xB5\xD0\xCD\xCA\xFD\xBE"
    "\xDD",
    "\xD2\xFD\xD3\xC3\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xCA\xB1\xCE\xAC\xCA\xFD\xB2\xBB\xCE\xAA"
    "1\xC7\xD2\xB2\xBB\xB5\xC8\xD3\xDA\xB8\xC3\xCA\xFD\xD7\xE9\xC4\xBF\xC7\xB0\xCB\xF9\xBE\xDF\xD3"
    "\xD0"
    "\xB5\xC4\xCE\xAC\xCA\xFD",
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3"
    "\xDA"
    "\xB5\xC8\xD3\xDA"
    "1",
    "\xCA\xFD\xBE\xDD\xBB\xF2\xCA\xFD\xD7\xE9\xC0\xE0\xD0\xCD\xB2\xBB\xC6\xA5\xC5\xE4",
    "\xB5\xF7\xD3\xC3"
    "DLL\xC3\xFC\xC1\xEE\xBA\xF3\xB7\xA2\xCF\xD6\xB6\xD1\xD5\xBB\xB4\xED\xCE\xF3",
    "\xD7\xD3\xD3\xEF\xBE\xE4\xB2\xCE\xCA\xFD\xCE\xB4\xB7\xB5\xBB\xD8\xCA\xFD\xBE\xDD\xBB\xF2\xD5"
    "\xDF"
    "\xB7\xB5\xBB\xD8\xC1\xCB\xB7\xC7\xCF\xB5\xCD\xB3\xBB\xF9\xB1\xBE\xC0\xE0\xD0\xCD\xBB\xF2\xCA"
    "\xFD"
    "\xD7\xE9\xD0\xCD\xCA\xFD\xBE\xDD",
    "\xB1\xBB\xB1\xC8\xBD\xCF\xCA\xFD\xBE\xDD\xD6\xBB\xC4\xDC\xCA\xB9\xD3\xC3\xB5\xC8\xD3\xDA\xBB"
    "\xF2"
    "\xB2\xBB\xB5\xC8\xD3\xDA\xC3\xFC\xC1\xEE\xB1\xC8\xBD\xCF",
    "\xA1\xB0\xB6\xE0\xCF\xEE\xD1\xA1\xD4\xF1\xA1\xB1\xC3\xFC\xC1\xEE\xB5\xC4\xCB\xF7\xD2\xFD\xD6"
    "\xB5"
    "\xB2\xCE\xCA\xFD\xD0\xA1\xD3\xDA\xC1\xE3\xBB\xF2\xB3\xAC\xB3\xF6\xC1\xCB\xCB\xF9\xCC\xE1\xB9"
    "\xA9"
    "\xB2\xCE\xCA\xFD\xB1\xED\xB7\xB6\xCE\xA7",
    "\xA1\xB0\xD6\xD8\xB6\xA8\xD2\xE5\xCA\xFD\xD7\xE9\xA1\xB1\xC3\xFC\xC1\xEE\xB5\xC4\xCA\xFD\xD7"
    "\xE9"
    "\xCE\xAC\xB6\xA8\xD2\xE5\xB2\xCE\xCA\xFD\xD6\xB5\xB1\xD8\xD0\xEB\xB4\xF3\xD3\xDA\xC1\xE3\xBB"
    "\xF2"
    "\xB5\xA5\xCE\xAC\xCA\xB1\xB4\xF3\xD3\xDA\xB5\xC8\xD3\xDA\xC1\xE3",
    "\xCB\xF9\xCC\xE1\xB9\xA9\xB2\xCE\xCA\xFD\xB5\xC4\xCA\xFD\xBE\xDD\xC0\xE0\xD0\xCD\xB2\xBB\xB7"
    "\xFB"
    "\xBA\xCF\xD2\xAA\xC7\xF3",
};

const char k_box_head[] = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";  // 运行时出错!
const char k_code_label[] = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";         // 错误代码：
const char k_message_label[] = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";      // 错误信息：
const char k_caption[] = "\xB4\xED\xCE\xF3";                                    // 错误

}  // namespace

std::string fatal_code_message(int code) {
    if (code < 1 || code > 11) return {};
    return k_code_messages[code];
}

std::string fatal_box_text(int code, std::string_view message_gbk) {
    std::string text = k_box_head;
    if (code != 0) {
        text += k_code_label;
        text += std::to_string(code);
        text += "\r\n\r\n";
    }
    if (!message_gbk.empty()) {
        text += k_message_label;
        text += message_gbk;
        text += "\r\n";
    }
    return text;
}

int fatal_error_count() {
    return state().errors.load();
}

void set_fatal_presenter(FatalPresenter presenter) {
    std::lock_guard guard(state().lock);
    state().presenter = std::move(presenter);
}

void fatal_runtime_error(int code, std::string_view message_gbk) {
    EndState& s = state();
    ++s.errors;
    const std::string text = fatal_box_text(code, message_gbk);
    FatalPresenter presenter;
    {
        std::lock_guard guard(s.lock);
        presenter = s.presenter;
    }
    // A fatal error raised while showing a fatal error must not recurse.
    if (presenter && s.errors.load() == 1) {
        presenter(text, k_caption);
    } else {
        plat::write_error_output(text + "\n");
    }
    end_program(-1);
}

void register_cleanup(std::function<void()> cleanup) {
    std::lock_guard guard(state().lock);
    state().cleanup = std::move(cleanup);
}

void register_end_hook(std::function<void()> hook) {
    std::lock_guard guard(state().lock);
    state().hooks.push_back(std::move(hook));
}

bool program_ending() {
    return state().ending.load();
}

void end_program(int exit_code) {
    EndState& s = state();
    // A second end (a clean-up routine that fails fatally) ends at once.
    if (s.ending.exchange(true)) std::_Exit(exit_code);
    std::function<void()> cleanup;
    std::vector<std::function<void()>> hooks;
    {
        std::lock_guard guard(s.lock);
        cleanup = std::move(s.cleanup);
        s.cleanup = nullptr;
        hooks = std::move(s.hooks);
        s.hooks.clear();
    }
    if (cleanup) cleanup();
    for (auto& hook : hooks) hook();
    std::fflush(nullptr);
    std::_Exit(exit_code);
}

}  // namespace vel
