// Hosting a window-owning control. The host implements IControlSite and hands it
// to the control through IOleControl::SetClientSite; Activate makes the control
// create its own message window on the calling (host's) thread. A control that
// has not been activated has no window.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/window/MessageWindow.h"

namespace platform {

// A picture in 32-bit pixels 0xAARRGGBB, row after row from the top.
struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

enum class MessageKind { Information, Exclamation, Critical, Question };

class IControlSite : public IUnknown {
public:
    [[nodiscard]] virtual WindowHandle HostWindow() = 0;
    // The control's state changed in a way its container may want to save.
    virtual void OnModified() = 0;
    // The host's user-interface service: dialogs and message boxes for the control.
    virtual void ShowMessage(std::string_view caption, std::string_view text, MessageKind kind) = 0;

protected:
    ~IControlSite() = default;
};

class IOleControl : public IUnknown {
public:
    virtual HRESULT SetClientSite(IControlSite* site) = 0;
    virtual HRESULT Activate() = 0;
    virtual HRESULT Deactivate() = 0;
    virtual HRESULT GetWindow(WindowHandle& window) = 0;
    virtual HRESULT GetPropertyPages(std::vector<Guid>& pages) = 0;

protected:
    ~IOleControl() = default;
};

class IViewObject : public IUnknown {
public:
    // Renders the control's picture into an image of the given size.
    virtual HRESULT Draw(int width, int height, Image& image) = 0;
    // The 16 x 16 toolbox image.
    virtual HRESULT GetToolboxImage(Image& image) = 0;

protected:
    ~IViewObject() = default;
};

struct PageInfo {
    std::string Title;
    std::string Caption;
    int Width = 0;
    int Height = 0;
};

class IPropertyPage : public IUnknown {
public:
    virtual HRESULT GetPageInfo(PageInfo& info) = 0;
    // The objects whose properties the page shows (the page has no fields).
    virtual HRESULT SetObjects(std::span<IUnknown* const> objects) = 0;

protected:
    ~IPropertyPage() = default;
};

}  // namespace platform
