#include "platform/x11_window.h"

#if defined(TARRABEL_HAVE_X11)
#include <SDL_syswm.h>
#endif

namespace tarrabel::platform {

#if defined(TARRABEL_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)

namespace {

struct XWindowHandle {
    Display* Server = nullptr;
    Window Id = 0;
};

bool XHandle(SDL_Window* window, XWindowHandle* out) {
    if (!window) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    out->Server = info.info.x11.display;
    out->Id = info.info.x11.window;
    return out->Server && out->Id;
}

}  // namespace

bool ServerWindowRect(SDL_Window* window, SDL_Rect* out) {
    XWindowHandle x;
    if (!XHandle(window, &x)) return false;
    XSync(x.Server, False);  // after whatever SDL asked of the server a moment ago
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(x.Server, x.Id, &attributes)) return false;
    int rootX = 0, rootY = 0;
    Window child = 0;
    if (!XTranslateCoordinates(x.Server, x.Id, attributes.root, 0, 0, &rootX, &rootY, &child))
        return false;
    *out = {rootX, rootY, attributes.width, attributes.height};
    return true;
}

bool WindowManagerRuns(SDL_Window* window) {
    XWindowHandle x;
    if (!XHandle(window, &x)) return false;
    XWindowAttributes root;
    if (!XGetWindowAttributes(x.Server, DefaultRootWindow(x.Server), &root)) return false;
    return (root.all_event_masks & SubstructureRedirectMask) != 0;
}

bool PlaceServerWindow(SDL_Window* window, const SDL_Rect& place) {
    XWindowHandle x;
    if (!XHandle(window, &x) || place.w <= 0 || place.h <= 0) return false;
    XMoveResizeWindow(x.Server, x.Id, place.x, place.y, unsigned(place.w), unsigned(place.h));
    XSync(x.Server, False);
    return true;
}

#else

bool ServerWindowRect(SDL_Window*, SDL_Rect*) {
    return false;
}
bool WindowManagerRuns(SDL_Window*) {
    return false;
}
bool PlaceServerWindow(SDL_Window*, const SDL_Rect&) {
    return false;
}

#endif

}  // namespace tarrabel::platform
