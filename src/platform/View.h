#pragma once

#include <string>
#include <vector>

#include "geometry/Geometry.h"

namespace platform {

class Painter;
class View;

// What a view tells the window that shows it. A view without a host (while it is being
// built, or in a test) keeps the same state as plain data.
class ViewHost {
  public:
    virtual ~ViewHost() = default;
    // A rectangle in view units to repaint on the next display pass.
    virtual void viewDidMarkRect(const View& view, const Rect& rect) = 0;
    virtual void viewDidMarkWhole(const View& view) = 0;
    virtual void viewDidSetTitle(const View& view, const std::string& title) = 0;
};

struct KeyEvent {
    std::string characters;  // the text the key produced, empty for a bare modifier
};

// A view with a frame in pixels and bounds in view units. Bounds start at (0, 0, frame
// size) with scale 1; the scale divides the bounds size. Damage marks accumulate until the
// host's display pass clears them.
class View {
  public:
    explicit View(Rect frame);
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Rect frame() const { return frame_; }
    // The host reports a new size in pixels; the bounds origin and scale are kept.
    void setFrameSize(float width, float height);

    Rect bounds() const;
    void setBoundsOrigin(Point origin);
    // Multiplies the scale; (1/u, 1/u) followed by (x, x) leaves x.
    void scaleUnitSquareToSize(double sx, double sy);
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }

    // An empty rectangle adds nothing.
    void setNeedsDisplayInRect(const Rect& rect);
    // True marks the whole view; false drops every mark.
    void setNeedsDisplay(bool flag);
    bool needsDisplay() const { return wholeMarked_ || !marks_.empty(); }
    bool wholeMarked() const { return wholeMarked_; }
    // The rectangles marked since the last display pass, in order.
    const std::vector<Rect>& marks() const { return marks_; }
    // Called by the host when the display pass has painted the marks.
    void clearMarks();

    void setTitle(const std::string& title);
    const std::string& title() const { return title_; }

    void setHost(ViewHost* host) { host_ = host; }
    ViewHost* host() const { return host_; }

    virtual void drawRect(Painter& painter, const Rect& area);
    virtual bool isOpaque() const { return false; }
    virtual bool acceptsFirstResponder() const { return false; }
    virtual void keyDown(const KeyEvent& event);
    virtual void awakeFromNib() {}
    virtual void windowDidResize() {}
    virtual void windowDidBecomeMain() {}

    // Past this many separate marks in one display interval (a hidden window is never
    // painted) the view falls back to one whole-view mark instead of growing without bound.
    static constexpr std::size_t kMaxMarks = 1024;

  private:
    Rect frame_;
    Point boundsOrigin_;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    std::vector<Rect> marks_;
    bool wholeMarked_ = false;
    std::string title_;
    ViewHost* host_ = nullptr;
};

// The view of the document window that was main last, or none when no such window is
// open. Hosts set it on activation; a view that is destroyed stops being current.
View* currentView();
void setCurrentView(View* view);

}  // namespace platform
