#include "ui/ControlLayout.h"

#include <algorithm>

namespace {
// Line gaps of the message box's text; its block starts this far down.
constexpr int kMessageLineGap = 3;
constexpr int kMessageTextTop = 55;
}  // namespace

Size MessageBoxWindowSize(int textWidth, int textHeight, int lines, int buttonWidth, int buttonHeight,
                          const DpiScale& scale) {
    // The text always keeps its 30-pixel margins: a text almost as wide as
    // the buttons' row would otherwise run into the frame.
    const int margins = scale.Length(60);
    const int buttonsWidth = 2 * buttonWidth + margins;
    const int width = buttonsWidth >= textWidth + margins ? buttonsWidth : textWidth + margins;
    // The same gap per line as MessageTextLineRects leaves.
    const int lineGaps = scale.Length(kMessageLineGap) * lines;
    return Size{width, textHeight + lineGaps + scale.Length(90) + buttonHeight};
}

MessageBoxButtons LayoutMessageBoxButtons(int type, int cw, int ch, int buttonWidth, int buttonHeight,
                                          const DpiScale& scale) {
    MessageBoxButtons b;
    const int bottom = ch - scale.Length(30);
    const int top = bottom - buttonHeight;
    if (type == kBoxYesNo || type == kBoxOkCancel) {
        // Half the 20-pixel gap each side of the centre, so the pair stays
        // centred whatever the rounding.
        const int halfGap = scale.Length(10);
        b.first = Rect{cw / 2 - halfGap - buttonWidth, top, cw / 2 - halfGap, bottom};
        b.second = Rect{cw / 2 + halfGap, top, cw / 2 + halfGap + buttonWidth, bottom};
        b.hasSecond = true;
    } else {
        const int left = (cw - buttonWidth) / 2;
        b.first = Rect{left, top, left + buttonWidth, bottom};
    }
    return b;
}

int MessageBoxResult(int type, unsigned controlId) {
    if (controlId == kIdBoxButton1) return type == kBoxYesNo ? kAnswerYes : kAnswerOk;
    return type == kBoxYesNo ? kAnswerNo : kAnswerCancel;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find(L'\n', start)) != std::wstring::npos; start = pos + 1)
        lines.push_back(text.substr(start, pos - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<Rect> MessageTextLineRects(int cw, int textWidth, int textHeight, int lines, const DpiScale& scale) {
    std::vector<Rect> rects;
    if (lines < 1) return rects;
    const int pitch = textHeight / lines;
    const int left = (cw - textWidth) / 2;
    const int gap = scale.Length(kMessageLineGap);
    int top = scale.Px(kMessageTextTop);
    for (int i = 0; i < lines; ++i) {
        rects.push_back(Rect{left, top, left + textWidth, top + pitch});
        top += pitch + gap;
    }
    return rects;
}

ProgressFill ComputeProgressFill(int fillLeft, int fillWidth, int lower, int upper, int position) {
    ProgressFill f;
    const int span = upper - lower;
    if (span <= 0 || fillWidth <= 0) return f;
    const double exact = static_cast<double>(fillWidth) / span * position;
    f.filled = std::clamp(static_cast<int>(exact), 0, fillWidth);
    const int leftWidth = f.filled / 2;
    const int rightWidth = f.filled - leftWidth;
    f.left = FillPiece{0, fillLeft, leftWidth};
    f.right = FillPiece{fillWidth - rightWidth, fillLeft + leftWidth, rightWidth};
    return f;
}

std::wstring ProgressPercentText(int lower, int upper, int position) {
    const int span = upper - lower;
    if (span == 0) return std::wstring();
    return std::to_wstring(position * 100 / span) + L"%";
}

int ChooseButtonFrame(bool disabled, bool selected, bool hover, bool& stickyPressed) {
    if (disabled) return 3;
    if (selected || stickyPressed) {
        stickyPressed = true;
        return 2;
    }
    return hover ? 1 : 0;
}

std::vector<std::wstring> BreakLabelLines(const std::wstring& text, int lineWidth,
                                          const std::function<int(const std::wstring&)>& measure) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (wchar_t ch : text) {
        if (ch == L'\r') continue;
        if (ch == L'\n') {
            lines.push_back(line);
            line.clear();
            continue;
        }
        line.push_back(ch);
        if (measure(line) > lineWidth && line.size() > 1) {
            line.pop_back();
            lines.push_back(line);
            line.assign(1, ch);
        }
    }
    lines.push_back(line);
    return lines;
}

int LabelLinePitch(int lineHeight, int spacing, const DpiScale& scale) { return lineHeight + scale.Length(spacing); }

int LabelHeightFor(int lines, int lineHeight, int spacing, const DpiScale& scale) {
    return lineHeight + (std::max(lines, 1) - 1) * LabelLinePitch(lineHeight, spacing, scale);
}

Rect LabelPictureRect(Size client, Size picture, bool right, const DpiScale& scale) {
    const int inset = scale.Length(3);
    const int x = right ? client.cx - picture.cx - inset : inset;
    return RectFromSize(x, (client.cy - picture.cy) / 2, picture.cx, picture.cy);
}

int LabelTextLeft(int pictureWidth, const DpiScale& scale) {
    return pictureWidth ? pictureWidth + scale.Length(6) : 0;
}
