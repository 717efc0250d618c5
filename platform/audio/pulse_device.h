#pragma once
// The PulseAudio wave device: one threaded mainloop and context per process,
// connected on first use (the library is loaded then too); one playback
// stream per open output.
#include "platform/audio/wave_out.h"

struct pa_context;
struct pa_threaded_mainloop;

namespace plat {

WaveDevice& pulse_wave_device();

// The shared connection. connect() returns false (quickly) when no server
// answers; a later call tries again. Callers lock the mainloop around every
// use of the context.
class PulseConnection {
public:
    static PulseConnection& instance();
    bool connect();
    pa_threaded_mainloop* mainloop() const { return m_mainloop; }
    pa_context* context() const { return m_context; }

private:
    pa_threaded_mainloop* m_mainloop = nullptr;
    pa_context* m_context = nullptr;  // guarded by the mainloop lock
};

}  // namespace plat
