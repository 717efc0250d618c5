// Looking at and driving the X desktop through the standard X tools (xdotool,
// xprop, xwininfo, ImageMagick's import), so the tests need no X headers.
#include <cstdio>
#include <sstream>

#include "desktop/fixture.h"

namespace desk {
namespace {

std::vector<WindowId> parse_ids(const std::string& text) {
    std::vector<WindowId> ids;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        if (!word.empty() && word.back() == ',') word.pop_back();
        char* end = nullptr;
        WindowId id = std::strtoul(word.c_str(), &end, 0);
        if (end && *end == '\0' && id != 0) ids.push_back(id);
    }
    return ids;
}

std::string hex(WindowId window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// The integer after `label` in xwininfo's report.
std::optional<int> field(const std::string& report, const std::string& label) {
    auto at = report.find(label);
    if (at == std::string::npos) return std::nullopt;
    return std::atoi(report.c_str() + at + label.size());
}

}  // namespace

std::vector<WindowId> Desktop::windows_of_pid(int pid, bool only_visible) const {
    std::vector<std::string> args{"xdotool", "search"};
    if (only_visible) args.push_back("--onlyvisible");
    args.insert(args.end(), {"--pid", std::to_string(pid)});
    return parse_ids(run(args, 5s).out);
}

std::vector<WindowId> Desktop::windows_named(const std::string& regex, bool only_visible) const {
    std::vector<std::string> args{"xdotool", "search"};
    if (only_visible) args.push_back("--onlyvisible");
    args.insert(args.end(), {"--name", regex});
    return parse_ids(run(args, 5s).out);
}

std::optional<WindowId> Desktop::wait_window(const std::function<std::vector<WindowId>()>& find,
                                             Millis timeout) const {
    std::optional<WindowId> found;
    poll_until(
        [&] {
            auto ids = find();
            if (!ids.empty()) found = ids.front();
            return found.has_value();
        },
        timeout, 50ms);
    return found;
}

std::vector<WindowId> Desktop::client_list() const {
    std::string text = property(0, "_NET_CLIENT_LIST");
    auto hash = text.find('#');
    return hash == std::string::npos ? std::vector<WindowId>{} : parse_ids(text.substr(hash + 1));
}

std::optional<Geometry> Desktop::geometry(WindowId window) const {
    auto result = run({"xwininfo", "-id", hex(window)}, 5s);
    if (!result.ok()) return std::nullopt;
    auto x = field(result.out, "Absolute upper-left X:");
    auto y = field(result.out, "Absolute upper-left Y:");
    auto w = field(result.out, "Width:");
    auto h = field(result.out, "Height:");
    if (!x || !y || !w || !h) return std::nullopt;
    return Geometry{*x, *y, *w, *h, result.out.find("IsViewable") != std::string::npos};
}

std::string Desktop::property(WindowId window, const std::string& name) const {
    std::vector<std::string> args{"xprop"};
    if (window == 0)
        args.push_back("-root");
    else
        args.insert(args.end(), {"-id", hex(window)});
    args.push_back(name);
    auto result = run(args, 5s);
    if (!result.ok() || result.out.find("not found") != std::string::npos ||
        result.out.find("no such atom") != std::string::npos)
        return {};
    while (!result.out.empty() && result.out.back() == '\n') result.out.pop_back();
    return result.out;
}

std::string Desktop::window_name(WindowId window) const {
    auto result = run({"xdotool", "getwindowname", std::to_string(window)}, 5s);
    while (!result.out.empty() && result.out.back() == '\n') result.out.pop_back();
    return result.out;
}

bool Desktop::is_active(WindowId window) const {
    return property(0, "_NET_ACTIVE_WINDOW").ends_with(" " + hex(window));
}

bool Desktop::xdotool(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv, 20s).ok();
}

bool Desktop::move_mouse(int x, int y) const {
    return xdotool({"mousemove", std::to_string(x), std::to_string(y)});
}

bool Desktop::click(int x, int y, int button, int repeat) const {
    return xdotool({"mousemove", std::to_string(x), std::to_string(y), "sleep", "0.05", "click",
                    "--repeat", std::to_string(repeat), "--delay", "80", std::to_string(button)});
}

bool Desktop::drag(int x0, int y0, int x1, int y1, int button) const {
    std::string b = std::to_string(button);
    std::vector<std::string> args{
        "mousemove", std::to_string(x0), std::to_string(y0), "sleep", "0.05", "mousedown", b};
    // Several steps, so that a drag threshold is crossed before the end.
    for (int step = 1; step <= 5; ++step) {
        args.insert(args.end(),
                    {"sleep", "0.05", "mousemove", std::to_string(x0 + (x1 - x0) * step / 5),
                     std::to_string(y0 + (y1 - y0) * step / 5)});
    }
    args.insert(args.end(), {"sleep", "0.1", "mouseup", b});
    return xdotool(args);
}

bool Desktop::key(const std::string& keysym) const {
    return xdotool({"key", keysym});
}

bool Desktop::keys(const std::vector<std::string>& keysyms) const {
    for (const std::string& keysym : keysyms)
        if (!key(keysym)) return false;
    return true;
}

bool Desktop::key_in(WindowId window, const std::string& keysym) const {
    // Keys sent to a window directly arrive marked as synthetic and Qt drops
    // them: focus it and press for real.
    std::string id = std::to_string(window);
    return xdotool({"windowactivate", "--sync", id}) && xdotool({"windowfocus", "--sync", id}) &&
           xdotool({"key", keysym});
}

bool Desktop::type_text(const std::string& text) const {
    return xdotool({"type", "--delay", "40", text});
}

std::optional<Image> Desktop::screenshot() const {
    fs::path file = m_root / "screenshot.ppm";
    if (!run({"/usr/bin/import", "-window", "root", "-depth", "8", "ppm:" + file.string()}, 20s)
             .ok())
        return std::nullopt;
    auto image = Image::load_ppm(file.string());
    std::remove(file.c_str());
    return image;
}

std::optional<Image> Desktop::window_image(WindowId window) const {
    auto placed = geometry(window);
    auto shot = screenshot();
    if (!placed || !shot) return std::nullopt;
    return shot->crop(placed->x, placed->y, placed->width, placed->height);
}

}  // namespace desk
