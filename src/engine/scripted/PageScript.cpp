#include "engine/scripted/PageScript.h"

#include <algorithm>

#include "base/Utf8Text.h"
#include "engine/PageRules.h"
#include "engine/scripted/CssColour.h"

namespace scripted {

namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Splits off the first blank-separated word; `rest` keeps what follows it.
std::wstring_view FirstWord(std::wstring_view line, std::wstring_view* rest) {
    line = Trim(line);
    size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    *rest = Trim(line.substr(end));
    return line.substr(0, end);
}

// "\n" in texts and alerts is a line break; "\\" a backslash; "\"" a quote.
std::wstring Unescape(std::wstring_view s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 1 < s.size()) {
            const wchar_t next = s[i + 1];
            if (next == L'n' || next == L'\\' || next == L'"') {
                out += next == L'n' ? L'\n' : next;
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

struct Attribute {
    std::wstring key;
    std::wstring value;
    bool hasValue = false;
};

// key=value pairs and bare words; a value that starts with a quote runs to
// the closing quote (or the end of the line) and may hold blanks.
std::vector<Attribute> Tokenize(std::wstring_view s) {
    std::vector<Attribute> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsBlank(s[i])) ++i;
        if (i >= s.size()) break;
        Attribute a;
        while (i < s.size() && !IsBlank(s[i]) && s[i] != L'=') a.key += s[i++];
        if (i < s.size() && s[i] == L'=') {
            a.hasValue = true;
            ++i;
            if (i < s.size() && s[i] == L'"') {
                ++i;
                std::wstring raw;
                while (i < s.size() && s[i] != L'"') {
                    if (s[i] == L'\\' && i + 1 < s.size()) raw += s[i++];
                    raw += s[i++];
                }
                ++i;  // the closing quote, if there is one
                a.value = Unescape(raw);
            } else {
                while (i < s.size() && !IsBlank(s[i])) a.value += s[i++];
            }
        }
        out.push_back(std::move(a));
    }
    return out;
}

// Leading digits with an optional sign ("12px" is 12); no digits is 0.
int ParseNumber(std::wstring_view v) {
    size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == L'-' || v[i] == L'+')) negative = v[i++] == L'-';
    long value = 0;
    while (i < v.size() && v[i] >= L'0' && v[i] <= L'9') {
        value = value * 10 + (v[i++] - L'0');
        if (value > PageScript::kMaxCoordinate) value = PageScript::kMaxCoordinate;
    }
    return static_cast<int>(negative ? -value : value);
}

bool FlagValue(const Attribute& a) {
    return !a.hasValue || !(SameHtmlName(a.value, L"false") || a.value == L"0");
}

// 0 (the engine's own size) for none; otherwise within the label bounds.
int LabelSize(std::wstring_view v) {
    const int size = ParseNumber(v);
    if (size <= 0) return 0;
    return std::min(std::max(size, PageScript::kMinLabelSize), PageScript::kMaxLabelSize);
}

size_t CountImages(const PageScript& page) {
    return static_cast<size_t>(
        std::count_if(page.elements.begin(), page.elements.end(), [](const ElementDef& e) { return !e.src.empty(); }));
}

void ReadElement(std::wstring_view rest, PageScript& page) {
    if (page.elements.size() > PageScript::kMaxElements) return;
    const std::vector<Attribute> tokens = Tokenize(rest);
    if (tokens.size() < 2 || tokens[0].hasValue || tokens[1].hasValue) return;
    if (tokens[0].key.empty() || tokens[1].key.empty()) return;
    if (page.Find(tokens[0].key) != PageScript::kNone) return;  // ids are unique; "body" is taken

    ElementDef e;
    e.id = tokens[0].key;
    e.tag = tokens[1].key;
    for (size_t k = 2; k < tokens.size(); ++k) {
        const Attribute& a = tokens[k];
        if (SameHtmlName(a.key, L"disabled")) {
            e.disabled = FlagValue(a);
        } else if (SameHtmlName(a.key, L"plain")) {
            e.plain = FlagValue(a);
        } else if (SameHtmlName(a.key, L"frame")) {
            e.inFrame = FlagValue(a);
        } else if (!a.hasValue) {
            continue;
        } else if (SameHtmlName(a.key, L"x")) {
            e.x = ParseNumber(a.value);
        } else if (SameHtmlName(a.key, L"y")) {
            e.y = ParseNumber(a.value);
        } else if (SameHtmlName(a.key, L"w")) {
            e.width = std::max(0, ParseNumber(a.value));
        } else if (SameHtmlName(a.key, L"h")) {
            e.height = std::max(0, ParseNumber(a.value));
        } else if (SameHtmlName(a.key, L"class")) {
            e.className = a.value;
        } else if (SameHtmlName(a.key, L"href")) {
            e.href = a.value;
        } else if (SameHtmlName(a.key, L"text")) {
            e.text = a.value;
        } else if (SameHtmlName(a.key, L"bg")) {
            e.background = ParseCssColour(a.value);
        } else if (SameHtmlName(a.key, L"fade")) {
            e.fade = ParseCssColour(a.value);
        } else if (SameHtmlName(a.key, L"src")) {
            if (CountImages(page) < PageScript::kMaxImages) e.src = a.value;
        } else if (SameHtmlName(a.key, L"size")) {
            e.labelSize = LabelSize(a.value);
        } else if (SameHtmlName(a.key, L"parent")) {
            // Only an element already read can be a parent: no cycles.
            const size_t parent = page.Find(a.value);
            e.parent = parent == PageScript::kNone ? 0 : parent;
        }
    }
    page.elements.push_back(std::move(e));
}

void ReadLine(std::wstring_view line, PageScript& page) {
    line = Trim(line);
    if (line.empty() || line.front() == L'#') return;
    std::wstring_view rest;
    const std::wstring_view keyword = FirstWord(line, &rest);
    if (SameHtmlName(keyword, L"title")) {
        page.title = std::wstring(rest);
    } else if (SameHtmlName(keyword, L"background")) {
        page.background = ParseCssColour(rest);
    } else if (SameHtmlName(keyword, L"text")) {
        if (page.text.size() < PageScript::kMaxTextLines) page.text.push_back(Unescape(rest));
    } else if (SameHtmlName(keyword, L"element")) {
        ReadElement(rest, page);
    } else if (SameHtmlName(keyword, L"onload")) {
        std::wstring_view target;
        if (SameHtmlName(FirstWord(rest, &target), L"navigate")) {
            std::wstring_view ignored;
            page.onloadNavigate = std::wstring(FirstWord(target, &ignored));
        }
    } else if (SameHtmlName(keyword, L"onunload")) {
        std::wstring_view text;
        if (SameHtmlName(FirstWord(rest, &text), L"alert")) page.onunloadAlert = Unescape(text);
    }
}

}  // namespace

bool ElementDef::Contains(int px, int py) const {
    return px >= x && px < x + width && py >= y && py < y + height;
}

bool ElementDef::IsField() const { return SameHtmlName(tag, L"input"); }

PageScript::PageScript() {
    ElementDef body;
    body.id = L"body";
    body.tag = L"body";
    elements.push_back(std::move(body));
}

size_t PageScript::Find(std::wstring_view id) const {
    for (size_t i = 0; i < elements.size(); ++i) {
        if (elements[i].id == id) return i;
    }
    return kNone;
}

size_t PageScript::HitTest(int x, int y) const {
    for (size_t i = elements.size(); i-- > 1;) {
        if (elements[i].Contains(x, y)) return i;
    }
    return 0;
}

PageScript ParsePageScript(std::string_view utf8) {
    PageScript page;
    const std::wstring text = text::DecodeUtf8(utf8);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        ReadLine(std::wstring_view(text).substr(start, end - start), page);
        start = end + 1;
    }
    return page;
}

}  // namespace scripted
