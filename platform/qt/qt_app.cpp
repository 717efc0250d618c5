// The application object, the main and nested loops, posted calls, timers,
// screen and cursor.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "platform/qt/qt_internal.h"

namespace plat {
namespace {

// QApplication keeps references to argc and argv for its whole life.
int g_argc = 1;
char g_arg0[] = "velclock";
char* g_argv[] = {g_arg0, nullptr};

// Receives posted calls: the stand-in for the hidden message window.
QObject* g_post_target = nullptr;

struct NestedLoop {
    QEventLoop loop;
    const std::function<bool()>* finished;
};
std::vector<NestedLoop*> g_nested;

// Qt delivers no timeout of a QTimer while its own handler still runs (a
// message box waiting inside it, say), where the window system the program
// was written for goes on delivering them, nested. So a timer is a chain of
// QTimers in one phase: while the ticks of the first n are all waiting, the
// n+1st carries on, and it stops again when they return. Nested waits end
// innermost first, so the busy ones are always the first n. The n+1st is
// started only when a loop inside a tick is about to wait, not at every
// tick: a tick that returns at once costs no timer registration.
struct Timer {
    int interval_ms = 0;
    std::function<void()> tick;
    std::vector<QTimer*> chain;  // owned; handed to deleteLater when stopped
    std::size_t busy = 0;        // ticks under way: links 0 ... busy - 1 wait
    bool stopped = false;
};

std::map<TimerId, std::shared_ptr<Timer>> g_timers;
TimerId g_next_timer = 1;
int g_ticks_under_way = 0;  // of all timers

void fire(const std::weak_ptr<Timer>& weak, std::size_t link);

QTimer* make_link(const std::shared_ptr<Timer>& timer, std::size_t link) {
    auto* q = new QTimer;
    // A one-second tick must not drift against the wall clock's seconds.
    q->setTimerType(timer->interval_ms <= 2000 ? Qt::PreciseTimer : Qt::CoarseTimer);
    q->setInterval(timer->interval_ms);
    QObject::connect(q, &QTimer::timeout,
                     [weak = std::weak_ptr<Timer>(timer), link] { fire(weak, link); });
    return q;
}

// A loop is about to wait inside a tick: the next link of every busy timer
// carries its ticks on.
void carry_on_busy_timers() {
    if (g_ticks_under_way == 0) return;
    for (auto& [id, timer] : g_timers) {
        if (timer->busy == 0 || timer->stopped) continue;
        if (timer->chain.size() == timer->busy)
            timer->chain.push_back(make_link(timer, timer->busy));
        QTimer* next = timer->chain[timer->busy];
        if (!next->isActive()) next->start();
    }
}

void fire(const std::weak_ptr<Timer>& weak, std::size_t link) {
    const std::shared_ptr<Timer> timer = weak.lock();  // alive until the tick returns
    if (!timer || timer->stopped) return;
    timer->busy = link + 1;
    ++g_ticks_under_way;
    auto tick = timer->tick;  // the tick may stop the timer
    tick();
    --g_ticks_under_way;
    if (timer->stopped) return;
    timer->busy = link;
    if (timer->chain.size() > link + 1) timer->chain[link + 1]->stop();
}

// Qt's own texts (standard buttons "确定", "取消" ..., the file dialog's
// labels) in Chinese, for every dialog from the first on.
void install_chinese_translations(QCoreApplication* app) {
    auto* translator = new QTranslator(app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

bool init_window_system() {
    if (g_post_target) return true;
    if (!QApplication::instance()) {
        // A write to a display that went away fails and is reported as a
        // broken connection, instead of a SIGPIPE killing the process.
        std::signal(SIGPIPE, SIG_IGN);
        // Placing, stacking, shaping and clicking through a window are X11
        // calls: Qt runs on X (Xwayland in a Wayland session, where Qt would
        // pick its Wayland platform first) unless the user chose a platform.
        const bool platform_was_set = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const bool platform_chosen = !platform.isEmpty();
        if ((!platform_chosen || platform.startsWith("xcb")) && !qt::x11_display_answers()) {
            std::fprintf(stderr, "No X display answers at DISPLAY=\"%s\".\n",
                         qgetenv("DISPLAY").constData());
            return false;
        }
        if (!platform_chosen)
            qputenv("QT_QPA_PLATFORM", "xcb");
        else if (!platform.startsWith("xcb"))
            std::fprintf(stderr,
                         "QT_QPA_PLATFORM=%s is not xcb: the saved place, keep on top, embed in "
                         "the desktop, click-through and the shapes will not work.\n",
                         platform.constData());
        // Shared-memory images make the backing store wait a round trip for
        // the server before every paint; sending the few pixels of a small
        // repaint costs less than that wait, on both sides (the program in
        // bench/clock_cpu.sh: 0.46 -> 0.36 ms of CPU a second). Only the
        // connection made here reads it; children do not inherit it.
        const bool chosen_by_user = qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
        if (!chosen_by_user) qputenv("QT_XCB_NO_MITSHM", "1");
        new QApplication(g_argc, g_argv);
        if (!chosen_by_user) qunsetenv("QT_XCB_NO_MITSHM");
        // Programs the clock starts choose their own platform.
        if (!platform_chosen && platform_was_set)
            qputenv("QT_QPA_PLATFORM", platform);
        else if (!platform_chosen)
            qunsetenv("QT_QPA_PLATFORM");
    }
    auto* app = qobject_cast<QApplication*>(QApplication::instance());
    if (!app) return false;
    // The form runtime decides when the program ends, not the last window.
    app->setQuitOnLastWindowClosed(false);
    install_chinese_translations(app);
    g_post_target = new QObject(app);
    return true;
}

bool window_system_ready() {
    return g_post_target != nullptr;
}

int run_message_loop() {
    return QApplication::exec();
}

void quit_message_loop(int code) {
    QCoreApplication::exit(code);
}

void run_nested_loop(const std::function<bool()>& finished) {
    if (finished()) return;
    NestedLoop nested;
    nested.finished = &finished;
    g_nested.push_back(&nested);
    nested.loop.exec(QEventLoop::AllEvents);
    std::erase(g_nested, &nested);
}

void wake_nested_loops() {
    for (NestedLoop* n : g_nested)
        if ((*n->finished)()) n->loop.exit(0);
}

void post(std::function<void()> call) {
    if (!g_post_target) return;
    QMetaObject::invokeMethod(
        g_post_target,
        [call = std::move(call)] {
            call();
            wake_nested_loops();
        },
        Qt::QueuedConnection);
}

void process_pending_events() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

Size screen_size() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    QRect r = screen->geometry();
    return {r.width(), r.height()};
}

std::vector<Rect> screen_rects() {
    std::vector<Rect> out;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) {
        const QRect r = primary->geometry();
        out.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == primary) continue;
        const QRect r = screen->geometry();
        out.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return out;
}

void on_screen_removed(std::function<void()> removed) {
    if (!g_post_target) return;
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, g_post_target,
                     [removed = std::move(removed)] { post(removed); });
}

Point cursor_pos() {
    QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

TimerId start_timer(int interval_ms, std::function<void()> tick) {
    if (interval_ms <= 0 || !tick) return 0;
    auto timer = std::make_shared<Timer>();
    timer->interval_ms = interval_ms;
    timer->tick = std::move(tick);
    timer->chain.push_back(make_link(timer, 0));
    timer->chain.front()->start();
    static QPointer<QAbstractEventDispatcher> watched;
    if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(); d && d != watched) {
        QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, carry_on_busy_timers);
        watched = d;
    }
    TimerId id = g_next_timer++;
    g_timers.emplace(id, std::move(timer));
    return id;
}

void stop_timer(TimerId id) {
    auto it = g_timers.find(id);
    if (it == g_timers.end()) return;
    it->second->stopped = true;
    // The timer may be stopped from inside its own tick: delete it later.
    for (QTimer* q : it->second->chain) {
        q->stop();
        q->deleteLater();
    }
    g_timers.erase(it);
}

}  // namespace plat
