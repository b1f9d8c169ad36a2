#pragma once

#include "base/handles.h"

// What the renderer asks of the window it draws into, and nothing more: the
// window's own drawing context, the brackets of a repaint and a request for
// one. The shell answers it with the platform's windows, so the renderer
// never sees the window system.
class RenderWindow {
  public:
    // The window's own drawing context, valid for the window's whole life.
    virtual ContextHandle DrawingContext() = 0;
    // Bracket a repaint of the client area; the context stays the same one.
    virtual void BeginPaint() = 0;
    virtual void EndPaint() = 0;
    // The whole client area wants a repaint (every pixel may look different).
    virtual void InvalidateClient() = 0;

  protected:
    ~RenderWindow() = default;
};
