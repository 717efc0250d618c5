#include "library/sound/sound_commands.h"

#include <mutex>
#include <string>
#include <vector>

#include "library/blocks.h"
#include "library/runtime_errors.h"
#include "library/sound/midi_player.h"
#include "library/sound/riff_chunks.h"
#include "library/sound/wave_player.h"
#include "platform/fs/file.h"
#include "platform/fs/paths.h"

namespace vel {

namespace {

// Larger files are not sounds this player could hold in memory anyway.
constexpr std::int64_t kMaxSoundFile = 256 * 1024 * 1024;

std::vector<std::uint8_t> read_sound_file(const char* gbk_name) {
    std::vector<std::uint8_t> bytes;
    if (!gbk_name || !*gbk_name) return bytes;
    const std::optional<std::string> path = plat::fs::native_path(gbk_name);
    if (!path) return bytes;
    plat::fs::File file = plat::fs::File::open(
        *path, plat::fs::Access::read, plat::fs::Create::open_existing, plat::fs::Share::share_all);
    if (!file.is_open()) return bytes;
    const std::int64_t size = file.size();
    if (size <= 0 || size > kMaxSoundFile) return bytes;
    bytes.resize(static_cast<std::size_t>(size));
    const std::int64_t got = file.read_at(0, bytes.data(), bytes.size());
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

void register_end_once() {
    static std::once_flag once;
    std::call_once(once, [] { register_end_hook([] { stop_all(true); }); });
}

}  // namespace

int play_data(std::span<const std::uint8_t> bytes, bool loop) {
    if (bytes.empty()) return 0;
    register_end_once();
    if (looks_like_wave(bytes)) return start_wave_player(bytes, loop) ? 1 : 0;
    if (looks_like_midi(bytes)) {
        midi_play(bytes, loop);
        return 1;
    }
    return 0;
}

void stop_all(bool wait) {
    midi_stop();
    stop_wave_players(wait);
}

void cmd_play_sound(ResultRecord* result, int count, const ArgRecord* args) {
    result->set_logical(false);
    if (count < 1 || !args) return;
    const bool loop = count >= 2 && args[1].present() && args[1].as_logical();
    if (args[0].tag == TAG_BYTESET) {
        const auto bytes = byteset_span(args[0].as_ptr<const std::uint8_t>());
        result->set_logical(play_data(bytes, loop) == 1);
    } else if (args[0].tag == TAG_TEXT) {
        const std::vector<std::uint8_t> bytes = read_sound_file(args[0].as_text());
        result->set_logical(play_data(bytes, loop) == 1);
    }
}

void cmd_stop_sound(ResultRecord*, int, const ArgRecord*) {
    stop_all(false);
}

}  // namespace vel
