#include <mutex>

#include "platform/audio/pulse_device.h"
#include "platform/audio/pulse_library.h"

namespace plat {

namespace {

void on_context_state(pa_context*, void* userdata) {
    pa().pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(userdata), 0);
}

}  // namespace

PulseConnection& PulseConnection::instance() {
    // Never destroyed: the mainloop thread may outlive static destruction.
    static PulseConnection* connection = new PulseConnection();
    return *connection;
}

bool PulseConnection::connect() {
    // Workers of several players may open outputs at the same moment.
    static std::mutex setup;
    std::lock_guard guard(setup);
    // No library, no sound: every output opens nothing.
    if (!pulse_library()) return false;
    if (!m_mainloop) {
        m_mainloop = pa().pa_threaded_mainloop_new();
        if (!m_mainloop) return false;
        if (pa().pa_threaded_mainloop_start(m_mainloop) < 0) {
            pa().pa_threaded_mainloop_free(m_mainloop);
            m_mainloop = nullptr;
            return false;
        }
    }
    pa().pa_threaded_mainloop_lock(m_mainloop);
    if (m_context && pa().pa_context_get_state(m_context) != PA_CONTEXT_READY) {
        // The server went away: start over with a fresh context.
        pa().pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa().pa_context_disconnect(m_context);
        pa().pa_context_unref(m_context);
        m_context = nullptr;
    }
    if (!m_context) {
        m_context = pa().pa_context_new(pa().pa_threaded_mainloop_get_api(m_mainloop), "VELclock");
        if (m_context) {
            pa().pa_context_set_state_callback(m_context, on_context_state, m_mainloop);
            if (pa().pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
                for (;;) {
                    pa_context_state_t state = pa().pa_context_get_state(m_context);
                    if (state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state)) break;
                    pa().pa_threaded_mainloop_wait(m_mainloop);
                }
            }
            if (pa().pa_context_get_state(m_context) != PA_CONTEXT_READY) {
                pa().pa_context_set_state_callback(m_context, nullptr, nullptr);
                pa().pa_context_disconnect(m_context);
                pa().pa_context_unref(m_context);
                m_context = nullptr;
            }
        }
    }
    bool ready = m_context != nullptr;
    pa().pa_threaded_mainloop_unlock(m_mainloop);
    return ready;
}

}  // namespace plat
