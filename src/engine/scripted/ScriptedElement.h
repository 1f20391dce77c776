#pragma once
// An element of a page script as the host sees it. The host may keep one
// (PageElement::Keep) past the document it came from; it then still answers
// questions, but clicking it leads nowhere and drawing it changes nothing.
#include <memory>
#include <string>

#include "engine/scripted/FieldText.h"
#include "engine/scripted/PageScript.h"
#include "framework/Handles.h"
#include "framework/PageEngine.h"

namespace scripted {

// The document an element belongs to, while that document is shown.
class ElementOwner {
public:
    virtual ~ElementOwner() = default;
    // `inFrame`: the link navigates a frame of the page, not the page.
    virtual void FollowLink(const std::wstring& href, bool inFrame) = 0;
    virtual void Redraw(const RECT& area) = 0;
};

class ScriptedElement : public PageElement, public std::enable_shared_from_this<ScriptedElement> {
public:
    ScriptedElement(ElementDef def, std::weak_ptr<ElementOwner> owner);

    std::wstring TagName() const override { return m_def.tag; }
    std::wstring ClassName() const override { return m_def.className; }
    bool IsDisabled() const override { return m_def.disabled; }
    RECT OffsetRect() const override;
    bool SetBackgroundPositionX(long pixels) override;
    // Follows the element's link, unless it is disabled: a disabled
    // control's default click does nothing.
    void Click() override;
    bool SameElement(const PageElement& other) const override { return &other == this; }
    std::shared_ptr<PageElement> Keep() override { return shared_from_this(); }

    const ElementDef& def() const { return m_def; }
    long backgroundX() const { return m_backgroundX; }
    // The body covers the whole window and follows its size.
    void SetSize(int width, int height);
    // The image its script line names, once fetched and read.
    void SetImage(fw::BitmapHandle image, SIZE size);
    HBITMAP image() const { return m_image.get(); }
    SIZE imageSize() const { return m_imageSize; }
    // What a field holds and where its caret is; null for other elements.
    FieldText* field() { return m_def.IsField() ? &m_field : nullptr; }
    const FieldText* field() const { return m_def.IsField() ? &m_field : nullptr; }

private:
    ElementDef m_def;
    long m_backgroundX = 0;
    fw::BitmapHandle m_image;
    SIZE m_imageSize{0, 0};
    FieldText m_field;
    std::weak_ptr<ElementOwner> m_owner;
};

}  // namespace scripted
