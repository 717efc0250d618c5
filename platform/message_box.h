#pragma once
// Message boxes: a text, a caption and a style word in the Windows layout
// (button set in bits 0-3, icon in bits 4-7, default button in bits 8-11,
// modality in bits 12-13). The answer is the pressed button's id.
//
// Unit tests put a scripted responder in place of the real box.
#include <functional>
#include <string>
#include <string_view>

namespace plat {

enum MessageBoxStyle : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbAbortRetryIgnore = 0x2,
    kMbYesNoCancel = 0x3,
    kMbYesNo = 0x4,
    kMbRetryCancel = 0x5,
    kMbButtonMask = 0xF,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
    kMbIconMask = 0xF0,
    kMbDefaultButtonMask = 0xF00,
    kMbSystemModal = 0x1000,
    kMbTaskModal = 0x2000,
};

// Button ids, as the box answers them.
enum MessageBoxAnswer : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdAbort = 3,
    kIdRetry = 4,
    kIdIgnore = 5,
    kIdYes = 6,
    kIdNo = 7,
};

struct MessageBoxRequest {
    std::string text;     // GBK
    std::string caption;  // GBK
    unsigned style = 0;
};

// Answers a box instead of a person; returns a button id.
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;

// Replaces the real box; an empty responder brings the real box back.
void set_message_box_responder(MessageBoxResponder responder);

// Shows the box (without owner) and waits until it is closed. Timers and
// other events keep being handled meanwhile. Answers kIdOk when no display
// is available (the text then goes to standard error).
int message_box(std::string_view text, std::string_view caption, unsigned style);

}  // namespace plat
