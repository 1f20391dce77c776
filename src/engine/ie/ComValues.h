#pragma once
// Owners and readers for the COM values the page engine passes around:
// BSTRs, VARIANTs (including the by-reference ones event arguments come
// in) and object identities.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace ie {

// An owned BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text);
    ~Bstr();
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const noexcept { return m_s; }
    // For out-parameters: frees what is held and hands out the slot.
    BSTR* put() noexcept;
    std::wstring str() const;

private:
    BSTR m_s = nullptr;
};

// An owned VARIANT, cleared on scope exit.
class Variant {
public:
    Variant() noexcept { ::VariantInit(&m_v); }
    ~Variant() { ::VariantClear(&m_v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() noexcept { return &m_v; }
    const VARIANT& operator*() const noexcept { return m_v; }

private:
    VARIANT m_v;
};

// The value a VARIANT stands for: event arguments declared VARIANT* arrive
// as VT_BYREF|VT_VARIANT and are followed to what they point at.
const VARIANT& Deref(const VARIANT& v);
// The value as text ("" when it has none or cannot be converted).
std::wstring VariantText(const VARIANT& v);
// The value as a number, or `fallback`.
long VariantLong(const VARIANT& v, long fallback);
// The object a VT_DISPATCH (or by-reference one) holds, not AddRef'd.
IDispatch* VariantDispatch(const VARIANT& v);
// Where a VARIANT_BOOL out-argument (VT_BYREF|VT_BOOL) is to be written.
VARIANT_BOOL* VariantBoolSlot(const VARIANT& v);

// The argument at `index` in declaration order: DISPPARAMS lists them last
// first. Null when the caller passed fewer.
const VARIANT* Argument(const DISPPARAMS* params, UINT index);

// Whether two interface pointers belong to one COM object (same IUnknown).
bool SameObject(IUnknown* a, IUnknown* b);

}  // namespace ie
