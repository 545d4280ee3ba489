#pragma once

#include <map>
#include <string>
#include <vector>

namespace table {

// libxdo behind a header that drags in neither Xlib nor libxdo: Xlib's macros (None, Bool, Status)
// break Qt headers, so only XdoTyping.cpp sees them. Window ids are plain numbers here.
class XdoTyping
{
public:
    // displayName empty: no display is opened and every call fails.
    explicit XdoTyping(const std::string& displayName);
    ~XdoTyping();
    XdoTyping(const XdoTyping&) = delete;
    XdoTyping& operator=(const XdoTyping&) = delete;

    bool isOpen() const { return m_xdo != nullptr; }

    // A viewable window whose _NET_WM_PID is one of pids; 0 when there is none (yet).
    unsigned long findWindow(const std::vector<long>& pids) const;
    bool windowExists(unsigned long window) const; // mapped or not

    // Whether a window manager answers _NET_ACTIVE_WINDOW requests (it raises and focuses for us).
    bool hasWindowManager() const;
    // Asks the window manager to activate the window; it does so a moment later.
    bool requestActivation(unsigned long window) const;
    // Sets the input focus directly; done when this returns. Fails for an unmapped window.
    bool focus(unsigned long window) const;
    // The input focus is on the window or one of its children.
    bool focusIsOn(unsigned long window) const;

    // Types UTF-8 text into the focused window through XTEST, delayUs microseconds per key.
    bool type(const std::string& utf8, unsigned delayUs);
    bool pressEnter(unsigned delayUs) const;

private:
    bool bindMissing(const std::u32string& text);
    void open();

    std::string m_displayName;
    void* m_xdo = nullptr;                          // xdo_t
    std::map<unsigned long, unsigned char> m_bound; // keysym -> the spare keycode we gave it
};

} // namespace table
