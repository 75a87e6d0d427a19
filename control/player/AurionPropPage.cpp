#include "control/player/AurionPropPage.h"

#include "control/AurionInterface.h"
#include "control/player/ModuleState.h"

namespace aurion {

namespace {
// The framework's default page size, in dialog pixels.
constexpr int PageWidth = 250;
constexpr int PageHeight = 62;
}  // namespace

AurionPropPage* AurionPropPage::Create() { return new AurionPropPage(); }

AurionPropPage::AurionPropPage() { ModuleObjectCreated(); }

AurionPropPage::~AurionPropPage() {
    ReleaseObjects();
    ModuleObjectDestroyed();
}

platform::HRESULT AurionPropPage::QueryInterface(const platform::Guid& iid, void** out) {
    if (out == nullptr) return platform::E_POINTER;
    if (iid == platform::IID_IUnknown || iid == platform::IID_IPropertyPage) {
        *out = static_cast<platform::IPropertyPage*>(this);
        AddRef();
        return platform::S_OK;
    }
    *out = nullptr;
    return platform::E_NOINTERFACE;
}

uint32_t AurionPropPage::AddRef() { return ++m_refs; }

uint32_t AurionPropPage::Release() {
    uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

platform::HRESULT AurionPropPage::GetPageInfo(platform::PageInfo& info) {
    info.Title = std::string(PropPageTitle);
    info.Caption = std::string(PropPageCaption);
    info.Width = PageWidth;
    info.Height = PageHeight;
    return platform::S_OK;
}

platform::HRESULT AurionPropPage::SetObjects(std::span<platform::IUnknown* const> objects) {
    ReleaseObjects();
    for (platform::IUnknown* object : objects) {
        if (object == nullptr) continue;
        object->AddRef();
        m_objects.push_back(object);
    }
    return platform::S_OK;
}

void AurionPropPage::ReleaseObjects() {
    for (platform::IUnknown* object : m_objects) object->Release();
    m_objects.clear();
}

}  // namespace aurion
