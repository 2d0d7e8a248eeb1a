// mapwatch: starts a program and reports, to the millisecond, when each of its top-level windows
// is mapped. xdotool --sync polls only every half second, far too coarse for a start-up time.
//
//   mapwatch [--key KEYSYM] [--key-delay MS] [--quit-after-key] [--] PROGRAM [ARG...]
//
// It selects SubstructureNotify on the root window before the program starts, so every MapNotify
// of a child of the root (override-redirect windows included) reaches it, stamped with the
// monotonic clock as it arrives. The zero of every time is the instant just before execvp.
//
// With --key, KEY_DELAY ms after the first window maps, it moves the pointer over that window,
// gives it the input focus (there may be no window manager to do so) and types the key through
// XTest; the next window mapped after that is reported with its time from the key.
//
// Output on stdout, one line per fact, flushed at once:
//   exec PID
//   map MS 0xWINDOW or=0|1 WxH+X+Y name="..." class="..."
//   key MS 0xWINDOW
//   after-key MS 0xWINDOW
//   exit STATUS
// The program's own stdout goes to mapwatch's stderr. On SIGTERM, SIGINT or SIGHUP mapwatch ends
// the program's process group (SIGTERM, then SIGKILL after 2 s) and exits.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

std::int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

double msBetween(std::int64_t from, std::int64_t to) {
    return double(to - from) / 1e6;
}

void onSignal(int sig) {
    const unsigned char byte = static_cast<unsigned char>(sig);
    // Nothing useful can be done in a handler when the pipe is full: the loop wakes anyway.
    [[maybe_unused]] auto written = write(g_signalPipe[1], &byte, 1);
}

// Windows can vanish between their MapNotify and our questions about them.
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += (c == '\n') ? ' ' : c;
    }
    return out + '"';
}

std::string windowName(Display* dpy, Window w) {
    const Atom netWmName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, netWmName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        std::string name(reinterpret_cast<char*>(data), count);
        XFree(data);
        if (!name.empty())
            return name;
    }
    char* legacy = nullptr;
    if (XFetchName(dpy, w, &legacy) != 0 && legacy != nullptr) {
        std::string name(legacy);
        XFree(legacy);
        return name;
    }
    return {};
}

std::string windowClass(Display* dpy, Window w) {
    XClassHint hint{};
    if (XGetClassHint(dpy, w, &hint) == 0)
        return {};
    std::string text = std::string(hint.res_name ? hint.res_name : "") + "." +
                       (hint.res_class ? hint.res_class : "");
    XFree(hint.res_name);
    XFree(hint.res_class);
    return text;
}

struct Options {
    std::optional<std::string> key;
    int keyDelayMs = 300;
    bool quitAfterKey = false;
    char** program = nullptr;
};

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: mapwatch [--key KEYSYM] [--key-delay MS] [--quit-after-key] "
                         "[--] PROGRAM [ARG...]\n");
    std::exit(2);
}

Options parse(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--key" && i + 1 < argc)
            options.key = argv[++i];
        else if (arg == "--key-delay" && i + 1 < argc)
            options.keyDelayMs = std::atoi(argv[++i]);
        else if (arg == "--quit-after-key")
            options.quitAfterKey = true;
        else if (arg == "--") {
            ++i;
            break;
        } else if (arg.starts_with("--"))
            usage();
        else
            break;
    }
    if (i >= argc)
        usage();
    options.program = argv + i;
    return options;
}

// Starts the program in its own process group and returns its pid and the instant just before
// its execvp. The child reports that instant and, should execvp fail, its errno through a pipe
// that closes on a successful exec.
pid_t launch(char** program, std::int64_t& execNs) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        std::perror("mapwatch: pipe");
        std::exit(1);
    }
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("mapwatch: fork");
        std::exit(1);
    }
    if (pid == 0) {
        close(report[0]);
        setpgid(0, 0);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        signal(SIGPIPE, SIG_DFL);
        const std::int64_t t = nowNs();
        [[maybe_unused]] auto a = write(report[1], &t, sizeof t);
        execvp(program[0], program);
        const int error = errno;
        [[maybe_unused]] auto b = write(report[1], &error, sizeof error);
        _exit(127);
    }
    close(report[1]);
    if (read(report[0], &execNs, sizeof execNs) != sizeof execNs) {
        std::fprintf(stderr, "mapwatch: the child did not start\n");
        std::exit(1);
    }
    int error = 0;
    if (read(report[0], &error, sizeof error) == sizeof error) {
        std::fprintf(stderr, "mapwatch: cannot run %s: %s\n", program[0], std::strerror(error));
        std::exit(127);
    }
    close(report[0]);
    return pid;
}

int endProgram(pid_t pid) {
    kill(-pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        usleep(10'000);
    }
    kill(-pid, SIGKILL);
    waitpid(pid, &status, 0);
    return status;
}

int exitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Puts the pointer over the window and gives it the focus, and waits until the server has done
// both, so that the key's time that follows holds only the key.
void aimAt(Display* dpy, Window w) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(dpy, w, &attributes) != 0)
        XTestFakeMotionEvent(dpy, DefaultScreen(dpy), attributes.x + attributes.width / 2,
                             attributes.y + attributes.height / 2, CurrentTime);
    XSetInputFocus(dpy, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
}

void typeKey(Display* dpy, KeyCode code) {
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    XFlush(dpy);
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    setvbuf(stdout, nullptr, _IOLBF, 0);

    Display* dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr) {
        std::fprintf(stderr, "mapwatch: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXErrors);
    KeyCode keyCode = 0;
    if (options.key) {
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(dpy, &event, &error, &major, &minor)) {
            std::fprintf(stderr, "mapwatch: the X server has no XTest extension\n");
            return 1;
        }
        keyCode = XKeysymToKeycode(dpy, XStringToKeysym(options.key->c_str()));
        if (keyCode == 0) {
            std::fprintf(stderr, "mapwatch: no key for keysym %s\n", options.key->c_str());
            return 2;
        }
    }
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return 1;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGCHLD, SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::int64_t execNs = 0;
    const pid_t pid = launch(options.program, execNs);
    std::printf("exec %d\n", int(pid));

    Window firstWindow = None;
    std::int64_t keyDueNs = -1;
    std::int64_t keyNs = -1;
    bool afterKeyReported = false;
    for (;;) {
        int timeoutMs = -1;
        if (keyDueNs >= 0 && keyNs < 0)
            timeoutMs = int(std::max<std::int64_t>(0, (keyDueNs - nowNs() + 999'999) / 1'000'000));
        pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}};
        if (XPending(dpy) == 0 && poll(fds, 2, timeoutMs) < 0 && errno != EINTR)
            break;
        const std::int64_t wokeNs = nowNs();

        unsigned char sig = 0;
        while (read(g_signalPipe[0], &sig, 1) == 1) {
            if (sig == SIGCHLD) {
                int status = 0;
                if (waitpid(pid, &status, WNOHANG) == pid) {
                    std::printf("exit %d\n", exitCode(status));
                    return exitCode(status);
                }
            } else {
                std::printf("exit %d\n", exitCode(endProgram(pid)));
                return 0;
            }
        }

        while (XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type != MapNotify || event.xmap.event != root)
                continue;
            const Window w = event.xmap.window;
            XWindowAttributes a{};
            XGetWindowAttributes(dpy, w, &a);
            std::printf("map %.3f 0x%lx or=%d %dx%d%+d%+d name=%s class=%s\n",
                        msBetween(execNs, wokeNs), w, event.xmap.override_redirect ? 1 : 0, a.width,
                        a.height, a.x, a.y, quoted(windowName(dpy, w)).c_str(),
                        quoted(windowClass(dpy, w)).c_str());
            if (firstWindow == None) {
                firstWindow = w;
                if (options.key)
                    keyDueNs = wokeNs + std::int64_t{options.keyDelayMs} * 1'000'000;
            } else if (keyNs >= 0 && !afterKeyReported) {
                afterKeyReported = true;
                std::printf("after-key %.3f 0x%lx\n", msBetween(keyNs, wokeNs), w);
                if (options.quitAfterKey) {
                    std::printf("exit %d\n", exitCode(endProgram(pid)));
                    return 0;
                }
            }
        }

        if (keyDueNs >= 0 && keyNs < 0 && nowNs() >= keyDueNs) {
            aimAt(dpy, firstWindow);
            keyNs = nowNs();
            typeKey(dpy, keyCode);
            std::printf("key %.3f 0x%lx\n", msBetween(execNs, keyNs), firstWindow);
        }
    }
    std::printf("exit %d\n", exitCode(endProgram(pid)));
    return 1;
}
