// The offscreen back end: windows exist only as titles over the driver's
// pictures, and every wait returns at once.
#include "plat/graphics.hpp"

namespace korvan::plat {

namespace {
class OffscreenWindow final : public ScreenWindow {
public:
    explicit OffscreenWindow(std::string_view title) : title_(title) {}
    void set_title(std::string_view title) override { title_ = title; }
    const std::string& title() const override { return title_; }
    void refresh() override {}

private:
    std::string title_;
};

class OffscreenGraphics final : public Graphics {
public:
    explicit OffscreenGraphics(const ScreenInfo& screen) : screen_(screen) {}

    ScreenInfo screen() const override { return screen_; }
    bool headless() const override { return true; }

    std::unique_ptr<ScreenWindow> open_window(const WindowPlacement&, std::string_view title,
                                              const Picture*, WindowEvents*) override
    {
        return std::make_unique<OffscreenWindow>(title);
    }

    void wait_until(const std::function<bool()>&) override {}
    void poll() override {}

private:
    ScreenInfo screen_;
};
}  // namespace

std::unique_ptr<Graphics> make_offscreen_graphics(const ScreenInfo& screen)
{
    return std::make_unique<OffscreenGraphics>(screen);
}

}  // namespace korvan::plat
