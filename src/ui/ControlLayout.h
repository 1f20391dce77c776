#pragma once
// Layout rules of the skinned controls that need no window: the message
// box's size and buttons, the progress bar's fill and the label's lines.
#include <functional>
#include <string>
#include <vector>

#include "ui/Geometry.h"

// ---- Message box ----------------------------------------------------------

// Window size from the text's measured size, its line count and one button frame.
Size MessageBoxWindowSize(int textWidth, int textHeight, int lines, int buttonWidth, int buttonHeight);

struct MessageBoxButtons {
    Rect first;    // control 5000
    Rect second;   // control 5001; empty for the one-button style
    bool hasSecond = false;
};
// Buttons for a client area cw x ch. Styles 4 (Yes/No) and 1 (OK/Cancel) have
// two buttons with a 20-pixel gap centred; every other style one centred button.
MessageBoxButtons LayoutMessageBoxButtons(int type, int cw, int ch, int buttonWidth, int buttonHeight);

// The answer of a button: 5000 gives 6 (Yes) for style 4 and 1 (OK) otherwise;
// 5001 gives 7 (No) for style 4 and 2 (Cancel) otherwise.
int MessageBoxResult(int type, unsigned controlId);

// The lines of a message ("\n" separates them) and where each is drawn:
// a block textWidth wide centred in the client area, from y 55, each line
// textHeight / lines tall and 3 pixels below the previous.
std::vector<std::wstring> SplitLines(const std::wstring& text);
std::vector<Rect> MessageTextLineRects(int cw, int textWidth, int textHeight, int lines);

// ---- Progress bar -----------------------------------------------------------

// The fill in two pieces of the fill image: its leftmost w / 2 columns and its
// rightmost w - w / 2, side by side, so both end caps show at any length.
struct FillPiece {
    int srcX = 0;
    int dstX = 0;
    int width = 0;
};
struct ProgressFill {
    int filled = 0;  // w
    FillPiece left;
    FillPiece right;
};
// fillLeft: x of the fill area; fillWidth: its width F. A range of zero width
// or a position outside the range never draws outside the fill area.
ProgressFill ComputeProgressFill(int fillLeft, int fillWidth, int lower, int upper, int position);
// The percentage text, or empty for a range of zero width.
std::wstring ProgressPercentText(int lower, int upper, int position);

// ---- Image button ------------------------------------------------------------

// Which of a button strip's four frames to draw: 3 disabled, 2 pressed,
// 1 hover, 0 normal. `stickyPressed` is set while the button is drawn pressed
// and cleared only when the left button is released, so a press that slides
// off the button keeps the pressed frame until then.
int ChooseButtonFrame(bool disabled, bool selected, bool hover, bool& stickyPressed);

// ---- Label lines --------------------------------------------------------------

// Breaks `text` into lines no wider than `lineWidth`, at any character.
// Carriage returns are dropped; a line feed ends a line. `measure` gives the
// width of a piece of text. A single character wider than the line stands
// alone on its line rather than never fitting.
std::vector<std::wstring> BreakLabelLines(const std::wstring& text, int lineWidth,
                                          const std::function<int(const std::wstring&)>& measure);
// Height the label needs for `lines` lines of height L with `spacing` between.
int LabelHeightFor(int lines, int lineHeight, int spacing);
