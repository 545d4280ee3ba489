// The only file that sees Xlib and libxdo; no Qt headers here (Xlib's macros clash with them).
#include "XdoTyping.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <vector>

extern "C" {
#include <xdo.h>
}

namespace table {

namespace {

xdo_t* xdo(void* p)
{
    return static_cast<xdo_t*>(p);
}

int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// A window that vanished between two calls raises BadWindow; Xlib's default handler would end the
// program. Errors are ignored for the time of one call and the handler before it is put back.
class QuietErrors
{
public:
    explicit QuietErrors(Display* dpy) : m_dpy(dpy), m_old(XSetErrorHandler(ignoreXError)) {}
    ~QuietErrors()
    {
        XSync(m_dpy, False);
        XSetErrorHandler(m_old);
    }

private:
    Display* m_dpy;
    XErrorHandler m_old;
};

// libxdo decodes the text with mbsrtowcs, so the C library must read it as UTF-8: under LC_CTYPE "C"
// typing stops at the first "µ". The locale is switched for the call only.
class Utf8Ctype
{
public:
    Utf8Ctype()
    {
        const char* now = std::setlocale(LC_CTYPE, nullptr);
        m_saved = now ? now : "C";
        if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0)
            return;
        m_switched = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    }
    ~Utf8Ctype()
    {
        if (m_switched)
            std::setlocale(LC_CTYPE, m_saved.c_str());
    }

private:
    std::string m_saved;
    bool m_switched = false;
};

KeySym keysymFor(char32_t c)
{
    // Latin-1 characters are their own keysyms; everything else has the Unicode keysym range.
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff))
        return KeySym(c);
    return KeySym(0x01000000 | c);
}

std::u32string decodeUtf8(const std::string& s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80 ? 0 : b < 0xe0 ? 1 : b < 0xf0 ? 2 : 3;
        char32_t c = extra == 0 ? b : b & (0x3f >> extra);
        for (int k = 1; k <= extra && i + k < s.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3f);
        out.push_back(c);
        i += extra + 1;
    }
    return out;
}

} // namespace

XdoTyping::XdoTyping(const std::string& displayName) : m_displayName(displayName)
{
    open();
}

XdoTyping::~XdoTyping()
{
    if (!m_xdo)
        return;
    Display* dpy = xdo(m_xdo)->xdpy;
    for (const auto& [keysym, keycode] : m_bound) {
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(dpy, keycode, 2, none, 1);
    }
    XSync(dpy, False);
    xdo_free(xdo(m_xdo));
}

void XdoTyping::open()
{
    if (m_displayName.empty())
        return;
    // Opened here rather than by xdo_new, which complains on stderr about a display that is not there.
    Display* dpy = XOpenDisplay(m_displayName.c_str());
    if (!dpy)
        return;
    xdo_t* x = xdo_new_with_opened_display(dpy, m_displayName.c_str(), 1);
    if (!x)
        return;
    x->quiet = 1;
    m_xdo = x;
}

unsigned long XdoTyping::findWindow(const std::vector<long>& pids) const
{
    if (!m_xdo || pids.empty())
        return 0;
    // Our own walk rather than xdo_search_windows: that one crashes when a window vanishes while it
    // reads its properties, and a program that is just starting makes and drops windows all the time.
    Display* dpy = xdo(m_xdo)->xdpy;
    QuietErrors quiet(dpy);
    const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    const auto pidOf = [&](Window w) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        long found = 0;
        if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
                Success &&
            data && format == 32 && count == 1)
            found = long(*reinterpret_cast<const unsigned long*>(data));
        if (data)
            XFree(data);
        return found;
    };
    // Top level windows, and their children for window managers that wrap each one in a frame.
    const auto search = [&](auto& self, Window parent, int depth) -> Window {
        Window root = 0;
        Window up = 0;
        Window* children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(dpy, parent, &root, &up, &children, &n))
            return 0;
        Window hit = 0;
        for (unsigned int i = n; i-- > 0 && !hit;) {
            XWindowAttributes attr;
            if (!XGetWindowAttributes(dpy, children[i], &attr) || attr.map_state != IsViewable)
                continue;
            if (std::find(pids.begin(), pids.end(), pidOf(children[i])) != pids.end())
                hit = children[i];
            else if (depth < 2)
                hit = self(self, children[i], depth + 1);
        }
        if (children)
            XFree(children);
        return hit;
    };
    return search(search, DefaultRootWindow(dpy), 0);
}

bool XdoTyping::windowExists(unsigned long window) const
{
    if (!m_xdo || !window)
        return false;
    Display* dpy = xdo(m_xdo)->xdpy;
    QuietErrors quiet(dpy);
    // Mapped or not: a window manager maps a minimised window again when it activates it.
    XWindowAttributes attr;
    return XGetWindowAttributes(dpy, window, &attr) != 0;
}

bool XdoTyping::hasWindowManager() const
{
    if (!m_xdo)
        return false;
    Display* dpy = xdo(m_xdo)->xdpy;
    const Atom supported = XInternAtom(dpy, "_NET_SUPPORTED", False);
    const Atom active = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QuietErrors quiet(dpy);
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), supported, 0, 4096, False, XA_ATOM, &type, &format, &count,
                           &after, &data) != Success ||
        !data)
        return false;
    bool found = false;
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !found; ++i)
        found = atoms[i] == active;
    XFree(data);
    return found;
}

bool XdoTyping::requestActivation(unsigned long window) const
{
    if (!m_xdo || !window)
        return false;
    QuietErrors quiet(xdo(m_xdo)->xdpy);
    return xdo_activate_window(xdo(m_xdo), window) == XDO_SUCCESS;
}

bool XdoTyping::focus(unsigned long window) const
{
    if (!m_xdo || !window)
        return false;
    QuietErrors quiet(xdo(m_xdo)->xdpy);
    return xdo_focus_window(xdo(m_xdo), window) == XDO_SUCCESS;
}

bool XdoTyping::focusIsOn(unsigned long window) const
{
    if (!m_xdo || !window)
        return false;
    Display* dpy = xdo(m_xdo)->xdpy;
    QuietErrors quiet(dpy);
    Window w = 0;
    int revert = 0;
    XGetInputFocus(dpy, &w, &revert);
    const Window root = DefaultRootWindow(dpy);
    // Focus None and PointerRoot are 0 and 1, never a window of ours.
    while (w > PointerRoot && w != root) {
        if (w == window)
            return true;
        Window r = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(dpy, w, &r, &parent, &children, &n))
            return false;
        if (children)
            XFree(children);
        w = parent;
    }
    return false;
}

bool XdoTyping::bindMissing(const std::u32string& text)
{
    Display* dpy = xdo(m_xdo)->xdpy;
    std::vector<KeySym> missing;
    for (char32_t c : text) {
        const KeySym keysym = keysymFor(c);
        if (m_bound.count(keysym) || XKeysymToKeycode(dpy, keysym) != 0 ||
            std::find(missing.begin(), missing.end(), keysym) != missing.end())
            continue;
        missing.push_back(keysym);
    }
    if (missing.empty())
        return false;
    int low = 0;
    int high = 0;
    XDisplayKeycodes(dpy, &low, &high);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(dpy, KeyCode(low), high - low + 1, &perCode);
    if (!map)
        return false;
    std::vector<KeyCode> spare;
    for (int code = high; code >= low; --code) {
        bool empty = true;
        for (int i = 0; i < perCode && empty; ++i)
            empty = map[(code - low) * perCode + i] == NoSymbol;
        bool ours = false;
        for (const auto& bound : m_bound)
            ours = ours || bound.second == code;
        if (empty && !ours)
            spare.push_back(KeyCode(code));
    }
    XFree(map);
    bool changed = false;
    for (size_t i = 0; i < missing.size() && i < spare.size(); ++i) {
        KeySym syms[2] = {missing[i], missing[i]};
        XChangeKeyboardMapping(dpy, spare[i], 2, syms, 1);
        m_bound[missing[i]] = spare[i];
        changed = true;
    }
    XSync(dpy, False);
    return changed;
}

bool XdoTyping::type(const std::string& utf8, unsigned delayUs)
{
    if (!m_xdo)
        return false;
    if (utf8.empty())
        return true;
    // A character the keyboard map lacks gets a spare keycode of its own that stays bound. libxdo would
    // bind one for the moment of the key press and undo it at once, and a program that looks the key up
    // only after that (every Qt program) gets nothing.
    if (bindMissing(decodeUtf8(utf8))) {
        // libxdo reads the keyboard map once, when it connects.
        xdo_free(xdo(m_xdo));
        m_xdo = nullptr;
        open();
        if (!m_xdo)
            return false;
    }
    Utf8Ctype ctype;
    QuietErrors quiet(xdo(m_xdo)->xdpy);
    return xdo_enter_text_window(xdo(m_xdo), CURRENTWINDOW, utf8.c_str(), delayUs) == XDO_SUCCESS;
}

bool XdoTyping::pressEnter(unsigned delayUs) const
{
    if (!m_xdo)
        return false;
    QuietErrors quiet(xdo(m_xdo)->xdpy);
    return xdo_send_keysequence_window(xdo(m_xdo), CURRENTWINDOW, "Return", delayUs) == XDO_SUCCESS;
}

} // namespace table
