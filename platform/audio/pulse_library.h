#pragma once
// The PulseAudio client library, loaded when a sound first plays rather than
// at start-up: a clock that never rings never maps it. Its functions are
// called through the table, by their own names (pa().pa_stream_write).
#include <pulse/pulseaudio.h>

namespace plat {

// clang-format off
#define VEL_PULSE_FUNCTIONS(X) \
    X(pa_context_connect) \
    X(pa_context_disconnect) \
    X(pa_context_get_state) \
    X(pa_context_new) \
    X(pa_context_set_state_callback) \
    X(pa_context_unref) \
    X(pa_frame_size) \
    X(pa_gettimeofday) \
    X(pa_operation_unref) \
    X(pa_sample_spec_valid) \
    X(pa_stream_connect_playback) \
    X(pa_stream_cork) \
    X(pa_stream_disconnect) \
    X(pa_stream_flush) \
    X(pa_stream_get_state) \
    X(pa_stream_get_time) \
    X(pa_stream_is_corked) \
    X(pa_stream_new) \
    X(pa_stream_set_state_callback) \
    X(pa_stream_set_underflow_callback) \
    X(pa_stream_trigger) \
    X(pa_stream_unref) \
    X(pa_stream_write) \
    X(pa_threaded_mainloop_free) \
    X(pa_threaded_mainloop_get_api) \
    X(pa_threaded_mainloop_lock) \
    X(pa_threaded_mainloop_new) \
    X(pa_threaded_mainloop_signal) \
    X(pa_threaded_mainloop_start) \
    X(pa_threaded_mainloop_unlock) \
    X(pa_threaded_mainloop_wait) \
    X(pa_timeval_add) \
    X(pa_usec_to_bytes)
// clang-format on

struct PulseLibrary {
#define VEL_PULSE_MEMBER(name) decltype(&::name) name = nullptr;
    VEL_PULSE_FUNCTIONS(VEL_PULSE_MEMBER)
#undef VEL_PULSE_MEMBER
};

// The library, loaded on the first call (thread-safe); null when it or one of
// its functions is missing, and then for good: there is no sound.
const PulseLibrary* pulse_library();
// The loaded library; only where pulse_library() has answered non-null.
inline const PulseLibrary& pa() {
    return *pulse_library();
}

}  // namespace plat
