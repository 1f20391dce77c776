#pragma once
// A page element as the browser control's DOM gives it (IHTMLElement).
// A kept copy holds the page's object: let it go before the engine closes,
// and on the engine's thread.
#include <windows.h>
#include <mshtml.h>

#include <memory>

#include "framework/Handles.h"
#include "framework/PageEngine.h"

namespace ie {

class IePageElement final : public PageElement {
public:
    explicit IePageElement(fw::ComPtr<IHTMLElement> element) : m_element(std::move(element)) {}

    std::wstring TagName() const override;
    std::wstring ClassName() const override;
    bool IsDisabled() const override;
    RECT OffsetRect() const override;
    bool SetBackgroundPositionX(long pixels) override;
    void Click() override;
    bool SameElement(const PageElement& other) const override;
    std::shared_ptr<PageElement> Keep() override;

private:
    fw::ComPtr<IHTMLElement> m_element;
};

}  // namespace ie
