// What the end-to-end test needs from the X server that xdotool does not give it:
//
//   x11_probe colours WINDOW X Y W H [X Y W H ...]
//       reads the window's pixels and prints, for each rectangle (window coordinates), how
//       many pixels in a thousand are felt, card and black:  "felt=712 card=120 black=0"
//   x11_probe save WINDOW FILE [X Y W H]
//       writes the window's pixels, or those of one rectangle, as a binary PPM: kept when a
//       check fails, and compared byte for byte to see whether part of the table changed
//   x11_probe close WINDOW
//       asks the window to close the way a window manager's close button does
//       (WM_DELETE_WINDOW), not by destroying it or killing its client
//   x11_probe find TITLE
//       prints the top-level windows named TITLE, one id a line (the xdotool of Debian 12
//       misses names stored as UTF-8, which is how SDL's message box names itself)
//   x11_probe manager
//       exit status 0 when a window manager runs on the display (some client redirects the
//       root window's children, which only a window manager does), 3 when none does
//
// WINDOW is a decimal or 0x-prefixed id. Exit status 0 on success, 1 when the display, the
// window or the pixels cannot be had, 2 for a wrong command line.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int R, G, B;
};

// The table's felt is a dark green whose green leads red by 25 or more and blue by 10 or
// more all over the picture (sampled: 16..32 red, 52..97 green, 32..65 blue).
bool IsFelt(Rgb c) {
    return c.G >= c.R + 16 && c.G >= c.B + 6 && c.G <= 170;
}

// Card faces are white to light grey; card backs are a strong red or blue.
bool IsCard(Rgb c) {
    const int lo = std::min({c.R, c.G, c.B}), hi = std::max({c.R, c.G, c.B});
    const bool face = lo >= 170 && hi - lo <= 40;
    const bool redBack = c.R >= 150 && c.R >= c.G + 60 && c.R >= c.B + 60;
    const bool blueBack = c.B >= 120 && c.B >= c.R + 50 && c.B >= c.G + 30;
    return face || redBack || blueBack;
}

// The letterbox bars and a window not drawn yet.
bool IsBlack(Rgb c) {
    return std::max({c.R, c.G, c.B}) <= 16;
}

int XErrorToExit(Display* display, XErrorEvent* e) {
    char text[256];
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "x11_probe: X error: %s\n", text);
    std::exit(1);
}

bool ParseWindow(const char* text, Window* window) {
    char* end = nullptr;
    const unsigned long id = std::strtoul(text, &end, 0);
    if (end == text || *end != '\0' || id == 0) return false;
    *window = Window(id);
    return true;
}

// The window's pixels as 8-bit RGB, row by row.
struct Picture {
    int Width = 0, Height = 0;
    std::vector<Rgb> Pixels;
    Rgb At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

int MaskShift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int Channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    const unsigned long value = (pixel & mask) >> MaskShift(mask);
    const unsigned long max = mask >> MaskShift(mask);
    return int(value * 255 / max);
}

bool ReadPicture(Display* display, Window window, Picture* out) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return false;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image) return false;
    out->Width = attributes.width;
    out->Height = attributes.height;
    out->Pixels.resize(size_t(out->Width) * size_t(out->Height));
    for (int y = 0; y < out->Height; ++y) {
        for (int x = 0; x < out->Width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            out->Pixels[size_t(y) * size_t(out->Width) + size_t(x)] = {
                Channel(p, image->red_mask), Channel(p, image->green_mask),
                Channel(p, image->blue_mask)};
        }
    }
    XDestroyImage(image);
    return true;
}

int Colours(Display* display, Window window, const std::vector<int>& rects) {
    Picture picture;
    if (!ReadPicture(display, window, &picture)) {
        std::fprintf(stderr, "x11_probe: cannot read the pixels of window 0x%lx\n", window);
        return 1;
    }
    for (size_t i = 0; i + 3 < rects.size(); i += 4) {
        const int x0 = std::clamp(rects[i], 0, picture.Width);
        const int y0 = std::clamp(rects[i + 1], 0, picture.Height);
        const int x1 = std::clamp(rects[i] + rects[i + 2], x0, picture.Width);
        const int y1 = std::clamp(rects[i + 1] + rects[i + 3], y0, picture.Height);
        long felt = 0, card = 0, black = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const Rgb c = picture.At(x, y);
                felt += IsFelt(c);
                card += IsCard(c);
                black += IsBlack(c);
            }
        }
        const long total = std::max(1L, long(x1 - x0) * long(y1 - y0));
        std::printf("felt=%ld card=%ld black=%ld\n", felt * 1000 / total, card * 1000 / total,
                    black * 1000 / total);
    }
    return 0;
}

// RECT is empty for the whole window, else X Y W H in window coordinates.
int Save(Display* display, Window window, const char* path, const std::vector<int>& rect) {
    Picture picture;
    if (!ReadPicture(display, window, &picture)) return 1;
    int x0 = 0, y0 = 0, x1 = picture.Width, y1 = picture.Height;
    if (rect.size() == 4) {
        x0 = std::clamp(rect[0], 0, picture.Width);
        y0 = std::clamp(rect[1], 0, picture.Height);
        x1 = std::clamp(rect[0] + rect[2], x0, picture.Width);
        y1 = std::clamp(rect[1] + rect[3], y0, picture.Height);
    }
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return 1;
    std::fprintf(f, "P6\n%d %d\n255\n", x1 - x0, y1 - y0);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgb c = picture.At(x, y);
            const unsigned char rgb[3] = {uint8_t(c.R), uint8_t(c.G), uint8_t(c.B)};
            std::fwrite(rgb, 1, 3, f);
        }
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

int Close(Display* display, Window window) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XSync(display, False);
    return 0;
}

std::string WindowName(Display* display, Window window) {
    XTextProperty property;
    if (!XGetWMName(display, window, &property) || !property.value) return {};
    std::string name(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
    return name;
}

int Find(Display* display, const char* title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 1;
    for (unsigned i = 0; i < count; ++i)
        if (WindowName(display, children[i]) == title) std::printf("0x%lx\n", children[i]);
    if (children) XFree(children);
    return 0;
}

int Manager(Display* display) {
    XWindowAttributes root;
    if (!XGetWindowAttributes(display, DefaultRootWindow(display), &root)) return 1;
    return (root.all_event_masks & SubstructureRedirectMask) ? 0 : 3;
}

int Usage() {
    std::fputs(
        "usage: x11_probe colours WINDOW X Y W H [X Y W H ...] | save WINDOW FILE [X Y W H] |"
        " close WINDOW | find TITLE | manager\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || (argc < 3 && std::string(argv[1]) != "manager")) return Usage();
    const std::string command = argv[1];
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("x11_probe: cannot open the display\n", stderr);
        return 1;
    }
    XSetErrorHandler(XErrorToExit);
    int status = 2;
    Window window = 0;
    if (command == "manager" && argc == 2) {
        status = Manager(display);
    } else if (command == "find" && argc == 3) {
        status = Find(display, argv[2]);
    } else if (!ParseWindow(argv[2], &window)) {
        status = Usage();
    } else if (command == "colours" && argc >= 7 && (argc - 3) % 4 == 0) {
        std::vector<int> rects;
        for (int i = 3; i < argc; ++i)
            rects.push_back(std::atoi(argv[i]));
        status = Colours(display, window, rects);
    } else if (command == "save" && (argc == 4 || argc == 8)) {
        std::vector<int> rect;
        for (int i = 4; i < argc; ++i)
            rect.push_back(std::atoi(argv[i]));
        status = Save(display, window, argv[3], rect);
    } else if (command == "close" && argc == 3) {
        status = Close(display, window);
    } else {
        status = Usage();
    }
    XCloseDisplay(display);
    return status;
}
