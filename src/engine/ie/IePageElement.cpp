#include "engine/ie/IePageElement.h"

#include "engine/ie/ComValues.h"

namespace ie {

std::wstring IePageElement::TagName() const {
    Bstr tag;
    if (!m_element || FAILED(m_element->get_tagName(tag.put()))) return std::wstring();
    return tag.str();
}

// The className property is the class attribute's text in every document
// mode, where getAttribute wants "className" in some and "class" in others.
std::wstring IePageElement::ClassName() const {
    Bstr name;
    if (!m_element || FAILED(m_element->get_className(name.put()))) return std::wstring();
    return name.str();
}

bool IePageElement::IsDisabled() const {
    if (!m_element) return false;
    Bstr attribute(L"disabled");
    Variant value;
    if (FAILED(m_element->getAttribute(attribute.get(), 0, value.get()))) return false;
    return (*value).vt == VT_BOOL && (*value).boolVal != VARIANT_FALSE;
}

RECT IePageElement::OffsetRect() const {
    long left = 0, top = 0, width = 0, height = 0;
    if (m_element) {
        m_element->get_offsetLeft(&left);
        m_element->get_offsetTop(&top);
        m_element->get_offsetWidth(&width);
        m_element->get_offsetHeight(&height);
    }
    return RECT{left, top, left + width, top + height};
}

bool IePageElement::SetBackgroundPositionX(long pixels) {
    if (!m_element) return false;
    fw::ComPtr<IHTMLStyle> style;
    if (FAILED(m_element->get_style(style.put())) || !style) return false;
    VARIANT position;
    ::VariantInit(&position);
    position.vt = VT_I4;
    position.lVal = pixels;
    return SUCCEEDED(style->put_backgroundPositionX(position));
}

void IePageElement::Click() {
    if (m_element) m_element->click();
}

bool IePageElement::SameElement(const PageElement& other) const {
    const auto* ieOther = dynamic_cast<const IePageElement*>(&other);
    return ieOther && SameObject(m_element.get(), ieOther->m_element.get());
}

std::shared_ptr<PageElement> IePageElement::Keep() { return std::make_shared<IePageElement>(m_element); }

}  // namespace ie
