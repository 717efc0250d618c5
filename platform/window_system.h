#pragma once
// The window system: top-level windows, controls, pop-up menus, timers, the
// message loop with nested (modal) loops, posted calls, screen and cursor.
//
// Everything here runs on the user-interface thread only. Texts are GBK bytes
// at this interface. A Widget is a top-level window or a control; it is owned
// by whoever created it and lives until destroy_widget (destroying a window
// destroys its controls with it). Callbacks are never called for a widget
// after destroy_widget has been entered for it or its window.
//
// Coordinates: a window's geometry is its outer rectangle (frame included) in
// screen pixels; a control's is its rectangle in its parent's client area.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

struct Widget;  // opaque

struct Point {
    int x = 0;
    int y = 0;
};
struct Size {
    int width = 0;
    int height = 0;
};
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// ---- start-up and the loop ------------------------------------------------
// Creates the application object (once; later calls do nothing) and the
// hidden object that receives posted calls. False when no display answers.
bool init_window_system();
bool window_system_ready();
// Runs the main loop until quit_message_loop; returns its code.
int run_message_loop();
void quit_message_loop(int code);
// From now on SIGTERM, SIGHUP and SIGINT call `request` on the user-interface
// thread, from the loop (main or nested), instead of killing the process.
// Once only; false without a window system.
bool on_end_request(std::function<void()> request);
// From now on a broken connection to the display calls `lost` (on whichever
// thread found it) instead of the window system's own exit(). `lost` must end
// the process; if it returns, the process exits with status 1. False without
// a window system.
bool on_display_lost(std::function<void()> lost);
// Runs a nested loop until `finished` answers true. The condition is checked
// whenever wake_nested_loops is called (and after each posted call), so the
// caller that makes it true calls wake_nested_loops.
void run_nested_loop(const std::function<bool()>& finished);
void wake_nested_loops();
// Queues a call to run on the user-interface thread after the current event.
void post(std::function<void()> call);
// Handles every event that is waiting now (tests).
void process_pending_events();

// ---- screen and cursor ----------------------------------------------------
Size screen_size();  // the primary screen
// Every screen of the desktop in screen pixels, the primary first.
std::vector<Rect> screen_rects();
// From now on `removed` is posted whenever a screen goes away, so it runs
// once screen_rects no longer lists it.
void on_screen_removed(std::function<void()> removed);
Point cursor_pos();  // in screen coordinates

// ---- events ---------------------------------------------------------------
enum KeyStateBits : int { kKeyCtrl = 1, kKeyShift = 2, kKeyAlt = 4 };

enum class MouseAction { left_down, left_up, left_double, right_down, right_up, move };
struct MouseEvent {
    MouseAction action = MouseAction::move;
    int x = 0;  // in the client area of the widget that received it
    int y = 0;
    int keys = 0;  // KeyStateBits
};

// Every member is optional. "false stops" means: returning false keeps the
// platform from handling the input itself (no focus change, no typing ...).
struct WidgetCallbacks {
    std::function<bool(const MouseEvent&)> mouse;                // false stops
    std::function<bool(int key_code, bool down, int keys)> key;  // false stops
    // A typed character (code point below 0x80 or a GBK code): return it,
    // 0 to swallow it, or another code to type that instead.
    std::function<int(int code)> character;
    std::function<bool(int notches, int keys)> wheel;  // false stops
    std::function<void(bool gained)> focus;
    std::function<void()> moved;
    std::function<void()> resized;
    std::function<void()> shown;
    std::function<void()> hidden;
    std::function<void(bool active)> activated;
    // The user (or the window manager) asks a window to close: return false
    // to keep it. When it answers true the platform does nothing more: the
    // owner decides whether and when to destroy the window.
    std::function<bool()> close_requested;
    // Button clicked, edit content changed (by the user or by set_text),
    // list or combo selection changed by the user.
    std::function<void()> changed;
    // A surface must be repainted: called after the presented image (or the
    // background colour) has been painted, with the area.
    std::function<void(Rect area)> paint;
};
void set_callbacks(Widget* w, WidgetCallbacks callbacks);
// Delivers mouse input as if the user gave it at (x, y) of the widget's
// client area (tests and automation); the callbacks see it first.
void send_mouse(Widget* w, const MouseEvent& e);
// Delivers a key press and its release as if typed on the widget (tests and
// automation): a Windows virtual-key code (digits and letters are their
// ASCII codes), KeyStateBits, and the character it types (GBK, may be empty).
void send_key(Widget* w, int virtual_key, int keys, std::string_view typed);

// ---- windows --------------------------------------------------------------
struct WindowOptions {
    bool caption = false;       // title bar and frame; false = borderless
    bool resizable = false;     // with caption: a resizable frame
    bool skip_taskbar = true;   // no taskbar button (re-applied after every show)
    bool stays_on_top = false;  // the top-most band
    std::string title;          // GBK
};
Widget* create_window(const WindowOptions& options);
bool is_window(const Widget* w);
void set_window_title(Widget* w, std::string_view title);
void activate_window(Widget* w);  // raise and give it the focus
void set_stays_on_top(Widget* w, bool on);
// The window manager's move: the window follows the mouse while the left
// button is held, as when its caption is dragged.
void start_system_move(Widget* w);
// The X11 window id of the widget's window, 0 when it has none yet.
std::uint64_t native_handle(Widget* w);

// ---- controls -------------------------------------------------------------
enum class ControlKind { label, edit, button, combo, list, panel };
Widget* create_control(Widget* parent, ControlKind kind);
void reparent(Widget* control, Widget* new_parent);
// Stacks `w` directly below `above` (siblings); nullptr raises it to the top.
void stack_below(Widget* w, Widget* above);
// Keyboard focus order: whether Tab stops at the control at all, and
// `second` directly after `first` (controls of one window).
void set_tab_stop(Widget* w, bool on);
void set_tab_order(Widget* first, Widget* second);

// ---- common to windows and controls --------------------------------------
void destroy_widget(Widget* w);
Rect geometry(Widget* w);
void set_geometry(Widget* w, Rect r);
Size client_size(Widget* w);
void set_visible(Widget* w, bool on);  // showing never activates a control
bool is_visible(Widget* w);
void set_enabled(Widget* w, bool on);
bool is_enabled(Widget* w);
void set_focus(Widget* w);
bool has_focus(Widget* w);
// Windows system cursor identifiers: 32512 arrow, 32513 I-beam, 32514 wait,
// 32515 cross, 32516 up arrow, 32642-32645 sizes, 32646 size-all,
// 32648 no, 32649 hand, 32650 app-starting, 32651 help. 0 = default arrow.
void set_system_cursor(Widget* w, int cursor_id);

// ---- texts: window title, label and button caption, edit content ---------
void set_text(Widget* w, std::string_view text);
std::string text(Widget* w);

// ---- edit boxes ------------------------------------------------------------
struct EditOptions {
    int max_bytes = 0;   // counted in GBK bytes; 0 = unlimited
    int input_mode = 0;  // 3: only digits and '-' (codes 32 and above)
    int password_char = 0;
    bool multi_line = false;
    bool border = true;
};
void set_edit_options(Widget* w, const EditOptions& options);
// start -1 puts the caret after the last character with nothing selected.
void set_selection(Widget* w, int start, int length);
int selection_start(Widget* w);

// ---- combo and list boxes (item indexes 0-based) --------------------------
int item_count(Widget* w);
std::string item_text(Widget* w, int index);     // empty when out of range
int add_item(Widget* w, std::string_view text);  // its index, or -1
bool set_item_text(Widget* w, int index, std::string_view text);
bool remove_item(Widget* w, int index);
int current_index(Widget* w);  // -1 = none
// Selects `index` (-1 = none) without calling `changed`.
void set_current_index(Widget* w, int index);

// ---- surfaces: windows and drawing panels ---------------------------------
// The fill used beyond the attached pixels: 0x00BBGGRR, or
// 0xFF000000 for the system's button-face colour.
void set_background_colour(Widget* w, std::uint32_t colour);
// In-memory layout of presented pixels: one 32-bit word per pixel, rows top
// down. kXRGB words read 0x00RRGGBB, kXBGR words read 0x00BBGGRR.
enum class PixelLayout { kXRGB, kXBGR };
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // words per row
    PixelLayout layout = PixelLayout::kXBGR;
    // Device pixels per client pixel: width and height are device pixels,
    // ratio times the client area they show.
    double ratio = 1.0;
};
// Device pixels per client pixel of the widget's window as it is shown now
// (above 1 on high-density screens, maybe fractional); 1 when unknown.
double device_ratio(Widget* w);
// Shows the owner's own pixels from now on: the owner keeps them alive and in
// place until it attaches others or detaches, and calls present_attached
// after changing them. Beyond them the background colour shows.
void attach_pixels(Widget* w, const PixelView& pixels);
void detach_pixels(Widget* w);
// Puts the changed `areas` of the attached pixels (in their device pixels)
// on the screen, together: one write to the server for all of them.
void present_attached(Widget* w, std::span<const Rect> areas);
inline void present_attached(Widget* w, Rect area) {
    present_attached(w, std::span<const Rect>(&area, 1));
}
// The colour of client pixel (x, y) as painted (0x00BBGGRR): the device
// pixel at its top-left corner; for tests; 0 outside.
std::uint32_t surface_pixel(Widget* w, int x, int y);
// What the window's buffer for the screen holds of the whole widget, at its
// device pixels (rows top down, each pixel 0x00BBGGRR), for tests; empty
// when there is none.
std::vector<std::uint32_t> presented_pixels(Widget* w);
void request_repaint(Widget* w, Rect area);
// Marks a window whose surfaces are redrawn often (every second, say), before
// it is first shown. On X11 their pixels then go to the server directly, with
// no buffer of the toolkit in between; elsewhere nothing changes. Such a
// window holds only surfaces: other controls would not be painted.
void set_redrawn_often(Widget* window);

// ---- pop-up menus -----------------------------------------------------------
struct MenuEntry {
    std::string caption;  // GBK; "-" is a separator
    int command = 0;      // given back when chosen; 0 = not choosable
    bool checked = false;
    bool disabled = false;
    std::vector<MenuEntry> children;
};
// Shows `entries` as a pop-up menu with its top-left corner (its top-right
// when align_right) at `at` in screen coordinates, waits until it closes and
// returns the chosen command, 0 for none. Timers keep firing meanwhile.
int popup_menu(Widget* owner, const std::vector<MenuEntry>& entries, Point at, bool align_right);

// ---- timers ------------------------------------------------------------------
using TimerId = int;
// Calls `tick` every `interval_ms` (above 0) until stop_timer.
TimerId start_timer(int interval_ms, std::function<void()> tick);
void stop_timer(TimerId id);

// ---- common file dialog ------------------------------------------------------
struct FileDialogOptions {
    bool save = false;
    std::string title;      // GBK
    std::string file_name;  // preset
    std::string filter;     // "name|pattern|name|pattern||"
    int filter_index = 0;   // 1-based; 0 = the first
    std::string directory;
    std::string default_extension;
};
// The chosen path (GBK), or none when cancelled.
std::optional<std::string> run_file_dialog(const FileDialogOptions& options);
// Unit tests answer the dialog instead of a person; an empty responder
// brings the real dialog back.
using FileDialogResponder = std::function<std::optional<std::string>(const FileDialogOptions&)>;
void set_file_dialog_responder(FileDialogResponder responder);

// ---- fatal errors ---------------------------------------------------------------
// A message box without owner, error icon and OK button; returns when closed.
void show_error_box(std::string_view text, std::string_view caption);

}  // namespace plat
