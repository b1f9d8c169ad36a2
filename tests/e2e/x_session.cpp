#include "tests/e2e/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cstring>
#include <thread>
#include <vector>

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
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 8) {
            text.assign(reinterpret_cast<const char*>(data), count);
        }
        XFree(data);
    }
    return text;
}

std::string WindowTitle(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    std::string title = PropertyText(display, window, netName, utf8);
    if (title.empty()) {
        title = PropertyText(display, window, XA_WM_NAME, AnyPropertyType);
    }
    return title;
}

// Depth first through the tree, so a window manager's frames do not hide it.
Window FindByTitle(Display* display, Window parent, const std::string& title) {
    Window root = 0;
    Window parentOut = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &parentOut, &children, &count) == 0) {
        return 0;
    }
    std::vector<Window> list(children, children + count);
    if (children != nullptr) {
        XFree(children);
    }
    for (const Window child : list) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, child, &attributes) == 0 ||
            attributes.map_state != IsViewable || attributes.c_class != InputOutput) {
            continue;
        }
        if (WindowTitle(display, child) == title) {
            return child;
        }
        if (const Window found = FindByTitle(display, child, title)) {
            return found;
        }
    }
    return 0;
}

int MaskShift(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
    const unsigned long value = (pixel & mask) >> MaskShift(mask);
    const unsigned long top = mask >> MaskShift(mask);
    return top == 0 ? 0 : static_cast<std::uint32_t>(value * 255 / top);
}

} // namespace

XSession::XSession(const std::string& display, std::chrono::milliseconds timeout) {
    XSetErrorHandler(RecordXError);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while ((display_ = XOpenDisplay(display.c_str())) == nullptr &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (display_ != nullptr) {
        int event = 0;
        int error = 0;
        int major = 0;
        int minor = 0;
        hasXTest_ = XTestQueryExtension(display_, &event, &error, &major, &minor) != 0;
    }
}

XSession::~XSession() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

WindowPlace XSession::FindViewableWindow(const std::string& title) {
    WindowPlace place;
    const Window root = DefaultRootWindow(display_);
    const Window window = FindByTitle(display_, root, title);
    XWindowAttributes attributes{};
    if (window == 0 || XGetWindowAttributes(display_, window, &attributes) == 0) {
        return place;
    }
    Window child = 0;
    if (!XTranslateCoordinates(display_, window, root, 0, 0, &place.rootX, &place.rootY, &child)) {
        return place;
    }
    place.id = window;
    place.width = attributes.width;
    place.height = attributes.height;
    return place;
}

WindowImage XSession::Capture(const WindowPlace& window, int zoom) {
    lastXError = 0;
    XImage* image = XGetImage(display_, window.id, 0, 0, static_cast<unsigned>(window.width),
                              static_cast<unsigned>(window.height), AllPlanes, ZPixmap);
    XSync(display_, False);
    if (image == nullptr || lastXError != 0) {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        return {};
    }
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(window.width) * window.height);
    const bool plain32 = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
                         image->green_mask == 0xFF00 && image->blue_mask == 0xFF &&
                         image->byte_order == LSBFirst;
    for (int y = 0; y < window.height; ++y) {
        std::uint32_t* out = rgb.data() + static_cast<std::size_t>(y) * window.width;
        if (plain32) {
            const char* row = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
            for (int x = 0; x < window.width; ++x) {
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, row + x * 4, sizeof pixel);
                out[x] = pixel & 0xFFFFFFu;
            }
            continue;
        }
        for (int x = 0; x < window.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            out[x] = Channel(pixel, image->red_mask) << 16 |
                     Channel(pixel, image->green_mask) << 8 | Channel(pixel, image->blue_mask);
        }
    }
    XDestroyImage(image);
    return WindowImage(window.width, window.height, zoom, std::move(rgb));
}

void XSession::FocusWindow(const WindowPlace& window) {
    XRaiseWindow(display_, window.id);
    XSetInputFocus(display_, window.id, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

void XSession::Key(unsigned long keysym, bool down) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    XSync(display_, False);
}

void XSession::MovePointer(const WindowPlace& window, int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), window.rootX + x, window.rootY + y,
                         CurrentTime);
    XSync(display_, False);
}

void XSession::Button(int button, bool down) {
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), down ? True : False, CurrentTime);
    XSync(display_, False);
}
