#include "engine/ie/ComValues.h"

#include "framework/Handles.h"

namespace ie {

namespace {
// VariantChangeType only reads its source but is declared to take it mutable.
HRESULT ConvertTo(Variant& out, const VARIANT& source, VARTYPE type) {
    return ::VariantChangeType(out.get(), const_cast<VARIANT*>(&source), 0, type);
}
}  // namespace

Bstr::Bstr(const std::wstring& text)
    : m_s(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

Bstr::~Bstr() { ::SysFreeString(m_s); }

BSTR* Bstr::put() noexcept {
    ::SysFreeString(m_s);
    m_s = nullptr;
    return &m_s;
}

std::wstring Bstr::str() const { return m_s ? std::wstring(m_s, ::SysStringLen(m_s)) : std::wstring(); }

const VARIANT& Deref(const VARIANT& v) {
    const VARIANT* p = &v;
    // A by-reference variant may point at another; a chain is not expected
    // but costs nothing to follow a few steps of.
    for (int i = 0; i < 4 && p->vt == (VT_BYREF | VT_VARIANT) && p->pvarVal; ++i) p = p->pvarVal;
    return *p;
}

std::wstring VariantText(const VARIANT& v) {
    const VARIANT& value = Deref(v);
    if (value.vt == VT_BSTR)
        return value.bstrVal ? std::wstring(value.bstrVal, ::SysStringLen(value.bstrVal)) : std::wstring();
    if (value.vt == (VT_BYREF | VT_BSTR))
        return value.pbstrVal && *value.pbstrVal ? std::wstring(*value.pbstrVal, ::SysStringLen(*value.pbstrVal))
                                                 : std::wstring();
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return std::wstring();
    Variant converted;
    if (FAILED(ConvertTo(converted, value, VT_BSTR))) return std::wstring();
    return VariantText(*converted);
}

long VariantLong(const VARIANT& v, long fallback) {
    const VARIANT& value = Deref(v);
    if (value.vt == VT_I4) return value.lVal;
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return fallback;
    Variant converted;
    if (FAILED(ConvertTo(converted, value, VT_I4))) return fallback;
    return (*converted).lVal;
}

IDispatch* VariantDispatch(const VARIANT& v) {
    const VARIANT& value = Deref(v);
    if (value.vt == VT_DISPATCH) return value.pdispVal;
    if (value.vt == (VT_BYREF | VT_DISPATCH) && value.ppdispVal) return *value.ppdispVal;
    return nullptr;
}

VARIANT_BOOL* VariantBoolSlot(const VARIANT& v) {
    const VARIANT& value = Deref(v);
    return value.vt == (VT_BYREF | VT_BOOL) ? value.pboolVal : nullptr;
}

const VARIANT* Argument(const DISPPARAMS* params, UINT index) {
    if (!params || !params->rgvarg || index >= params->cArgs) return nullptr;
    return &params->rgvarg[params->cArgs - 1 - index];
}

bool SameObject(IUnknown* a, IUnknown* b) {
    if (!a || !b) return false;
    fw::ComPtr<IUnknown> ua, ub;
    if (FAILED(a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(ua.put())))) return false;
    if (FAILED(b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(ub.put())))) return false;
    return ua.get() == ub.get();
}

}  // namespace ie
