#pragma once

#include <functional>
#include <memory>
#include <string>

namespace orvane {

// The About window as the program's logic sees it. Sizes and places are in screen pixels.
class AboutView
{
public:
    virtual ~AboutView() = default;

    // The window's width, border included where the platform knows it.
    virtual int width() const = 0;
    // The window's height, border included where the platform knows it.
    virtual int height() const = 0;
    // The screen's width.
    virtual int screenWidth() const = 0;
    // The screen's height.
    virtual int screenHeight() const = 0;
    // Places the window's top-left corner at (left, top), which may be negative or fractional.
    virtual void move(float left, float top) = 0;
    // The window's caption.
    virtual std::string caption() const = 0;
    // Replaces the window's caption.
    virtual void setCaption(const std::string& caption) = 0;
    // The text of the label `Version`.
    virtual std::string versionText() const = 0;
    // Replaces the text of the label `Version`.
    virtual void setVersionText(const std::string& text) = 0;
    // Puts the main window's icon into the image `Image2`.
    virtual void showMainWindowIcon() = 0;
    // Calls `handler` whenever the button `Command1` is pressed.
    virtual void setCommand1Click(std::function<void()> handler) = 0;
    // Shows the window modally; returns once it has been closed.
    virtual void showModal() = 0;
    // Closes the window, which ends a modal showing.
    virtual void unload() = 0;
};

// Creates the About window afresh each time it is opened.
class AboutWindowFactory
{
public:
    virtual ~AboutWindowFactory() = default;

    // A new About window in its designed state, not yet shown; destroyed with the pointer.
    virtual std::unique_ptr<AboutView> load() = 0;
};

} // namespace orvane
