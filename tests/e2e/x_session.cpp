#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <png.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace wobblux::e2e {

void sleepFor(milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, int keepOpenFd) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        // Never outlive the test, even if it is killed before it can end us.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(127);
        }
        for (const std::string& variable : environment) {
            putenv(const_cast<char*>(variable.c_str()));
        }
        for (int fd = 3; fd < 256; ++fd) {
            if (fd != keepOpenFd) {
                close(fd);
            }
        }
        execv(argv[0], argv.data());
        std::perror(argv[0]);
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    stop();
}

bool ChildProcess::waitForExit(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!exited_) {
        const pid_t result = waitpid(pid_, &waitStatus_, WNOHANG);
        if (result == pid_) {
            exited_ = true;
            break;
        }
        if (Clock::now() >= deadline) {
            break;
        }
        sleepFor(milliseconds(20));
    }
    return exited_;
}

void ChildProcess::stop() {
    if (pid_ <= 0 || exited_) {
        return;
    }
    kill(pid_, SIGTERM);
    if (!waitForExit(milliseconds(1000))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &waitStatus_, 0);
        exited_ = true;
    }
}

VirtualScreen::VirtualScreen(int width, int height,
                             const std::vector<std::string>& serverArguments) {
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::vector<std::string> command = serverArguments;
    command.insert(command.begin(), {"/usr/bin/Xvfb", "-screen", "0", screen});
    start(command, {});
}

std::unique_ptr<VirtualScreen> VirtualScreen::twoMonitors(int width, int height) {
    std::unique_ptr<VirtualScreen> nested(
        new VirtualScreen(std::make_unique<VirtualScreen>(2 * width, height)));
    const std::string monitor = std::to_string(width) + "x" + std::to_string(height);
    nested->start({"/usr/bin/Xephyr", "+xinerama", "-extension", "RANDR", "-screen", monitor,
                   "-screen", monitor},
                  {"DISPLAY=" + nested->host_->name()});
    return nested;
}

void VirtualScreen::start(std::vector<std::string> command,
                          const std::vector<std::string>& environment) {
    // The server picks a free display number itself and writes it to this pipe once it is ready.
    int ready[2];
    if (pipe(ready) != 0) {
        throw std::runtime_error("pipe failed");
    }
    command.insert(command.end(),
                   {"-displayfd", std::to_string(ready[1]), "-nolisten", "tcp", "-noreset"});
    server_ = std::make_unique<ChildProcess>(command, environment, ready[1]);
    close(ready[1]);

    // A hung Xvfb must fail the test, not block it: wait for each byte with a deadline.
    const auto deadline = Clock::now() + milliseconds(10000);
    std::string number;
    char c = 0;
    while (c != '\n') {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        pollfd readyFd{ready[0], POLLIN, 0};
        if (left <= 0 || poll(&readyFd, 1, static_cast<int>(left)) <= 0 ||
            read(ready[0], &c, 1) != 1) {
            break;
        }
        if (c != '\n') {
            number += c;
        }
    }
    close(ready[0]);
    if (c != '\n' || number.empty()) {
        throw std::runtime_error(command.front() + " did not start within ten seconds");
    }
    name_ = ":" + number;
}

namespace {

XErrorHandler defaultErrorHandler = nullptr;

// Windows come and go while a test looks at them (wine makes and drops little windows of its own
// all the time): asking about one that has just gone is no failure of the test, and the call
// simply finds nothing. Any other error ends the test as Xlib's own handler does.
int ignoreVanishedWindows(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        return 0;
    }
    return defaultErrorHandler(display, error);
}

}  // namespace

XClient::XClient(const std::string& displayName) {
    display_ = XOpenDisplay(displayName.c_str());
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open display " + displayName);
    }
    XErrorHandler previous = XSetErrorHandler(ignoreVanishedWindows);
    if (previous != ignoreVanishedWindows) {
        defaultErrorHandler = previous;
    }
}

XClient::~XClient() {
    XCloseDisplay(display_);
}

std::string XClient::title(Window window) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(display_, window, &name) != 0 && name != nullptr) {
        result = name;
        XFree(name);
    }
    return result;
}

Window XClient::waitForWindow(const std::string& wanted, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    do {
        Window root;
        Window parent;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
            Window found = None;
            for (unsigned int i = 0; i < count && found == None; ++i) {
                XWindowAttributes attributes;
                if (title(children[i]) == wanted &&
                    XGetWindowAttributes(display_, children[i], &attributes) &&
                    attributes.map_state == IsViewable) {
                    found = children[i];
                }
            }
            if (children != nullptr) {
                XFree(children);
            }
            if (found != None) {
                return found;
            }
        }
        sleepFor(milliseconds(50));
    } while (Clock::now() < deadline);
    return None;
}

void XClient::geometry(Window window, int& x, int& y, int& width, int& height) {
    XWindowAttributes attributes = {};  // all 0 if the window has gone
    XGetWindowAttributes(display_, window, &attributes);
    width = attributes.width;
    height = attributes.height;
    x = 0;
    y = 0;
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
}

Image XClient::capture(Window window) {
    // Read through the root window: without a window manager the toolkit may place the window
    // partly off the screen, and a window's own image must lie wholly on it. Pixels off the
    // screen stay black.
    int originX, originY, width, height;
    geometry(window, originX, originY, width, height);
    Image result;
    result.width = width;
    result.height = height;
    result.rgb.assign(static_cast<std::size_t>(3 * width * height), 0);

    Screen* screen = DefaultScreenOfDisplay(display_);
    const int left = std::max(originX, 0);
    const int top = std::max(originY, 0);
    const int right = std::min(originX + width, WidthOfScreen(screen));
    const int bottom = std::min(originY + height, HeightOfScreen(screen));
    if (right <= left || bottom <= top) {
        return result;
    }
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), left, top,
                              static_cast<unsigned int>(right - left),
                              static_cast<unsigned int>(bottom - top), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return result;
    }
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            const unsigned long pixel = XGetPixel(image, column - left, row - top);
            std::uint8_t* out = &result.rgb[3 * ((row - originY) * width + (column - originX))];
            out[0] = static_cast<std::uint8_t>((pixel & image->red_mask) >> 16);
            out[1] = static_cast<std::uint8_t>((pixel & image->green_mask) >> 8);
            out[2] = static_cast<std::uint8_t>(pixel & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return result;
}

void XClient::movePointer(Window window, int x, int y) {
    int originX, originY, width, height;
    geometry(window, originX, originY, width, height);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), originX + x, originY + y, CurrentTime);
    XSync(display_, False);
}

void XClient::tapKey(const char* keysymName) {
    const KeyCode code = keycode(keysymName);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

KeyCode XClient::keycode(const char* keysymName) {
    return XKeysymToKeycode(display_, XStringToKeysym(keysymName));
}

void XClient::pressKey(KeyCode code) {
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XSync(display_, False);
}

void XClient::releaseKey(KeyCode code) {
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

void XClient::pressButton(unsigned int button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XSync(display_, False);
}

void XClient::releaseButton(unsigned int button) {
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

void XClient::drag(Window window, unsigned int button, int x0, int y0, int x1, int y1, int steps) {
    movePointer(window, x0, y0);
    pressButton(button);
    for (int step = 1; step <= steps; ++step) {
        movePointer(window, x0 + (x1 - x0) * step / steps, y0 + (y1 - y0) * step / steps);
        // Let the program see each motion as its own event.
        sleepFor(milliseconds(10));
    }
    releaseButton(button);
}

void XClient::resize(Window window, int width, int height) {
    XResizeWindow(display_, window, static_cast<unsigned int>(width),
                  static_cast<unsigned int>(height));
    XSync(display_, False);
}

void XClient::setKeyRepeat(milliseconds delay, milliseconds interval) {
    XAutoRepeatOn(display_);
    XkbSetAutoRepeatRate(display_, XkbUseCoreKbd, static_cast<unsigned int>(delay.count()),
                         static_cast<unsigned int>(interval.count()));
    XSync(display_, False);
}

int XClient::countDamage(Window window, milliseconds period) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XDamageQueryExtension(display_, &eventBase, &errorBase)) {
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    // One notification when the window goes from undamaged to damaged; subtracting the damage
    // re-arms it, so each frame gives one more.
    const Damage damage = XDamageCreate(display_, window, XDamageReportNonEmpty);
    XSync(display_, False);
    int count = 0;
    const auto deadline = Clock::now() + period;
    while (Clock::now() < deadline) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == eventBase + XDamageNotify) {
                ++count;
                XDamageSubtract(display_, damage, None, None);
            }
        }
        sleepFor(milliseconds(5));
    }
    XDamageDestroy(display_, damage);
    XSync(display_, False);
    return count;
}

void XClient::requestClose(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

bool writePng(const Image& image, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < image.height; ++row) {
        png_write_row(png, const_cast<png_bytep>(image.at(0, row)));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace wobblux::e2e
