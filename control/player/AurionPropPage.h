// CAurionPropPage ("Aurion.AurionPropPage.1"): the control's one property page,
// titled "General", without fields (no property of the control is persisted or
// edited there). It keeps a reference to each object it was given.
#pragma once

#include <atomic>
#include <vector>

#include "platform/com/ControlSite.h"

namespace aurion {

inline constexpr std::string_view PropPageTitle = "General";
inline constexpr std::string_view PropPageCaption = "Aurion Property Page";

class AurionPropPage final : public platform::IPropertyPage {
public:
    // The new page holds one reference, owned by the caller.
    static AurionPropPage* Create();

    platform::HRESULT QueryInterface(const platform::Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    platform::HRESULT GetPageInfo(platform::PageInfo& info) override;
    platform::HRESULT SetObjects(std::span<platform::IUnknown* const> objects) override;

    AurionPropPage(const AurionPropPage&) = delete;
    AurionPropPage& operator=(const AurionPropPage&) = delete;

private:
    AurionPropPage();
    ~AurionPropPage();
    void ReleaseObjects();

    std::atomic<uint32_t> m_refs{1};
    std::vector<platform::IUnknown*> m_objects;  // one reference each
};

}  // namespace aurion
