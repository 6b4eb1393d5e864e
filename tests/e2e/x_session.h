#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace wobblux::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A child process started with fork and exec. It is killed at the death of the process that
// started it, and ended by its own id when this object goes.
class ChildProcess {
  public:
    // Starts `arguments` (the program path first) with the extra environment variables given
    // as "NAME=value". Output goes to the test's own output.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment = {}, int keepOpenFd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Waits up to `timeout` for the process to end; returns true and records its wait status
    // if it did.
    bool waitForExit(milliseconds timeout);
    bool exited() const { return exited_; }
    int waitStatus() const { return waitStatus_; }

    // Ends the process: SIGTERM, then SIGKILL if it has not gone within a second.
    void stop();

  private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int waitStatus_ = 0;
};

// An Xvfb server of our own, on a display number it picks itself, given any further arguments
// (such as "-extension", "GLX" for a server without GL). Throws if it is not ready within ten
// seconds.
class VirtualScreen {
  public:
    VirtualScreen(int width = 640, int height = 480,
                  const std::vector<std::string>& serverArguments = {});
    // Two monitors of width x height side by side: one screen twice as wide, whose two Xinerama
    // heads are the monitors (Xephyr, shown in an Xvfb of its own). RandR is off, since with it
    // wine sees one monitor; it reads Xinerama's.
    static std::unique_ptr<VirtualScreen> twoMonitors(int width, int height);
    const std::string& name() const { return name_; }  // e.g. ":5"

  private:
    explicit VirtualScreen(std::unique_ptr<VirtualScreen> host) : host_(std::move(host)) {}
    void start(std::vector<std::string> command, const std::vector<std::string>& environment);

    std::string name_;
    std::unique_ptr<VirtualScreen> host_;  // the server a nested one shows in
    std::unique_ptr<ChildProcess> server_;
};

// An RGB image read back from a window; pixel (x, y) with y growing downwards.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, rows top to bottom

    const std::uint8_t* at(int x, int y) const { return &rgb[3 * (y * width + x)]; }
};

// A box of pixels, [left, right) x [top, bottom).
struct Region {
    int left, top, right, bottom;
};

// A client connection acting as the user: finds windows, sends real input through the XTest
// extension and reads pixels back.
class XClient {
  public:
    explicit XClient(const std::string& displayName);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    Display* display() const { return display_; }

    // Waits for a top-level window with exactly this title; returns None on timeout.
    Window waitForWindow(const std::string& title, milliseconds timeout);
    std::string title(Window window);

    // Window size and its origin on the screen.
    void geometry(Window window, int& x, int& y, int& width, int& height);

    Image capture(Window window);

    // Input through XTest, as a real keyboard and mouse would give it. Positions are in the
    // window's own pixels.
    void movePointer(Window window, int x, int y);
    void tapKey(const char* keysymName);
    KeyCode keycode(const char* keysymName);
    void pressKey(KeyCode code);
    void releaseKey(KeyCode code);
    // Sets how the server repeats a held key: the first repeat after `delay`, then one every
    // `interval`.
    void setKeyRepeat(milliseconds delay, milliseconds interval);
    void pressButton(unsigned int button);
    void releaseButton(unsigned int button);
    // Holds `button`, moves the pointer in `steps` events from (x0, y0) to (x1, y1), releases.
    void drag(Window window, unsigned int button, int x0, int y0, int x1, int y1, int steps);

    void resize(Window window, int width, int height);

    // Counts the X DAMAGE notifications the window gets within `period`: each frame the program
    // shows damages it, whatever the picture, so this measures drawing, not what is drawn.
    int countDamage(Window window, milliseconds period);

    // Asks the window to close, as a window manager does when the user clicks its close box.
    void requestClose(Window window);

  private:
    Display* display_ = nullptr;
};

// Writes an RGB image as a PNG file; returns false on failure.
bool writePng(const Image& image, const std::string& path);

void sleepFor(milliseconds duration);

}  // namespace wobblux::e2e
