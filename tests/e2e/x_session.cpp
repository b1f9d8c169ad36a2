#include "tests/e2e/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

// The window can vanish between looking it up and reading it (the game is
// quitting): Xlib's default handler would end the test, so errors only count.
int lastXError = 0;

int RecordXError(Display*, XErrorEvent* event) {
    lastXError = event->error_code;
    return 0;
}

std::string PropertyText(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 8)
            text.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return text;
}

std::string WindowTitle(Display* display, Window window) {
    const std::string title =
        PropertyText(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                     XInternAtom(display, "UTF8_STRING", False));
    return title.empty() ? PropertyText(display, window, XA_WM_NAME, AnyPropertyType) : title;
}

// Depth first through the tree, so a window manager's frames do not hide it.
Window FindByTitle(Display* display, Window parent, const std::string& title) {
    Window root = 0, parentOut = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &parentOut, &children, &count) == 0)
        return 0;
    const std::vector<Window> list(children, children + count);
    if (children != nullptr)
        XFree(children);
    for (const Window child : list) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, child, &attributes) == 0 ||
            attributes.map_state != IsViewable || attributes.c_class != InputOutput)
            continue;
        if (WindowTitle(display, child) == title)
            return child;
        if (const Window found = FindByTitle(display, child, title))
            return found;
    }
    return 0;
}

} // namespace

XSession::XSession(const std::string& display, std::chrono::milliseconds timeout) {
    XSetErrorHandler(RecordXError);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while ((display_ = XOpenDisplay(display.c_str())) == nullptr &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

XSession::~XSession() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

bool XSession::HasXTest() const {
    int event = 0, error = 0, major = 0, minor = 0;
    return XTestQueryExtension(display_, &event, &error, &major, &minor) != 0;
}

WindowPlace XSession::FindViewableWindow(const std::string& title) {
    WindowPlace place;
    const Window root = DefaultRootWindow(display_);
    const Window window = FindByTitle(display_, root, title);
    XWindowAttributes attributes{};
    Window child = 0;
    if (window == 0 || XGetWindowAttributes(display_, window, &attributes) == 0 ||
        !XTranslateCoordinates(display_, window, root, 0, 0, &place.rootX, &place.rootY, &child))
        return place;
    place.id = window, place.width = attributes.width, place.height = attributes.height;
    return place;
}

void XSession::Play(const WindowPlace& window, int zoom, const std::string& screenshotPrefix) {
    window_ = window, zoom_ = zoom, prefix_ = screenshotPrefix;
    XRaiseWindow(display_, window.id);
    XSetInputFocus(display_, window.id, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

WindowImage XSession::Capture() {
    lastXError = 0;
    XImage* image = XGetImage(display_, window_.id, 0, 0, static_cast<unsigned>(window_.width),
                              static_cast<unsigned>(window_.height), AllPlanes, ZPixmap);
    XSync(display_, False);
    if (image == nullptr || lastXError != 0) {
        if (image != nullptr)
            XDestroyImage(image);
        return {};
    }
    // The screens we start are 24 bits deep: each pixel is 32 bits, 0x??RRGGBB.
    const bool plain32 = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
                         image->green_mask == 0xFF00 && image->blue_mask == 0xFF &&
                         image->byte_order == LSBFirst;
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(window_.width) * window_.height);
    for (int y = 0; plain32 && y < window_.height; ++y)
        std::memcpy(rgb.data() + static_cast<std::size_t>(y) * window_.width,
                    image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line,
                    4 * static_cast<std::size_t>(window_.width));
    XDestroyImage(image);
    if (!plain32) {
        std::fprintf(stderr, "e2e: the window's pixels are not 32-bit 0x??RRGGBB\n");
        return {};
    }
    for (std::uint32_t& pixel : rgb)
        pixel &= 0xFFFFFFu;
    return WindowImage(window_.width, window_.height, zoom_, std::move(rgb));
}

void XSession::SaveScreenshot(const std::string& step) {
    std::string name = prefix_ + "-";
    for (const char c : step)
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '-');
    name += ".ppm";
    std::fprintf(stderr, "e2e: the window at \"%s\" %s %s\n", step.c_str(),
                 Capture().SavePpm(name) ? "is saved in" : "could not be saved as",
                 std::filesystem::absolute(name).c_str());
}

bool XSession::WaitUntil(const std::string& step,
                         const std::function<bool(const WindowImage&)>& check,
                         std::chrono::milliseconds timeout) {
    for (const auto deadline = std::chrono::steady_clock::now() + timeout;;
         std::this_thread::sleep_for(std::chrono::milliseconds(40))) {
        const WindowImage image = Capture();
        if (!image.Empty() && check(image))
            return true;
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "e2e: timed out waiting for: %s\n", step.c_str());
            SaveScreenshot(step);
            return false;
        }
    }
}

void XSession::Key(unsigned long keysym, bool down) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), down ? True : False,
                      CurrentTime);
    XSync(display_, False);
}

void XSession::Tap(unsigned long keysym) {
    Key(keysym, true);
    Key(keysym, false);
}

void XSession::MoveTo(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), window_.rootX + x * zoom_ + zoom_ / 2,
                         window_.rootY + y * zoom_ + zoom_ / 2, CurrentTime);
    XSync(display_, False);
}

void XSession::Click(int x, int y) {
    MoveTo(x, y);
    for (const Bool down : {True, False}) {
        XTestFakeButtonEvent(display_, 1, down, CurrentTime);
        XSync(display_, False);
    }
}
