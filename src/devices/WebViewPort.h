// What the browser links need of a web view: open an address, step through its history, and
// say which page it shows. A view reports each finished navigation to the links itself.
#pragma once

#include <string>

namespace talvex {

class WebViewPort {
  public:
    virtual ~WebViewPort() = default;
    // Starts opening an address; a page may finish loading later. newWindow: in a window of
    // its own, leaving this view where it is.
    virtual void navigate(const std::string& address, bool newWindow) = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    // The address and title of the page shown; empty before the first page.
    virtual std::string currentAddress() const = 0;
    virtual std::string currentTitle() const = 0;
    // Lets the window paint and answer while a page the tape asked for loads.
    virtual void processEvents() {}
};

}  // namespace talvex
