// A headless main window with the game's 634 x 436 client and its surfaces.
#pragma once

#include "platform/headless/headless_backend.h"
#include "platform/user/user.h"
#include "render/render_window.h"
#include "render/window_drawing.h"

class TestScreen final : public RenderWindow {
  public:
    TestScreen() {
        StartWindowSystem(backend_);
        RegisterWindowClass({"VarniskRenderTest", cs::ownDC, DefWindowProc, {}});
        handle = CreateWindowOf("VarniskRenderTest", "VARNISK", ws::caption | ws::sysMenu, 0, 0,
                                634 + 2 * frameBorderWidth,
                                436 + captionHeight + 2 * frameBorderWidth, nullptr, nullptr, 0, 0);
        screen.window = this;
        CreateSurfaces(screen);
    }
    ~TestScreen() {
        ReleaseSurfaces(screen);
        DestroyWindow(handle);
        ShutdownWindowSystem();
    }

    ContextHandle DrawingContext() override { return GetWindowContext(handle); }
    void BeginPaint() override { ::BeginPaint(handle); }
    void EndPaint() override { ::EndPaint(handle); }
    void InvalidateClient() override { InvalidateRect(handle, nullptr, true); }

    WindowHandle handle = nullptr;
    RenderResources screen{};

  private:
    HeadlessBackend backend_;
};
