#pragma once
// Layout rules of the skinned controls that need no window: the message
// box's size and buttons, the progress bar's fill and the label's lines.
//
// Measured sizes (text extents, bitmap frames) are real pixels; the margins
// and gaps named here are 96-DPI pixels that `scale` places. The progress
// fill works on the real widths of its images and needs no scale.
#include <functional>
#include <string>
#include <vector>

#include "ui/DpiScale.h"
#include "ui/Geometry.h"

// ---- Message box ----------------------------------------------------------

// Its styles, as the platform numbers them: one OK button, OK and Cancel,
// Yes and No.
constexpr int kBoxOk = 0;
constexpr int kBoxOkCancel = 1;
constexpr int kBoxYesNo = 4;
// Its two buttons' control ids, and the answers, as the platform numbers them.
constexpr unsigned kIdBoxButton1 = 5000;
constexpr unsigned kIdBoxButton2 = 5001;
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

// Window size from the text's measured size, its line count and one button frame.
Size MessageBoxWindowSize(int textWidth, int textHeight, int lines, int buttonWidth, int buttonHeight,
                          const DpiScale& scale);

struct MessageBoxButtons {
    Rect first;    // kIdBoxButton1
    Rect second;   // kIdBoxButton2; empty for the one-button style
    bool hasSecond = false;
};
// Buttons for a client area cw x ch. Yes/No and OK/Cancel have two buttons
// with a 20-pixel gap centred; every other style one centred button.
MessageBoxButtons LayoutMessageBoxButtons(int type, int cw, int ch, int buttonWidth, int buttonHeight,
                                          const DpiScale& scale);

// The answer of a button: the first gives Yes for Yes/No and OK otherwise; the
// second No for Yes/No and Cancel otherwise.
int MessageBoxResult(int type, unsigned controlId);

// The lines of a message ("\n" separates them) and where each is drawn:
// a block textWidth wide centred in the client area, from y 55, each line
// textHeight / lines tall and 3 pixels below the previous.
std::vector<std::wstring> SplitLines(const std::wstring& text);
std::vector<Rect> MessageTextLineRects(int cw, int textWidth, int textHeight, int lines,
                                       const DpiScale& scale);

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
// From one line's top to the next: a measured line height and the label's
// spacing (96-DPI pixels).
int LabelLinePitch(int lineHeight, int spacing, const DpiScale& scale);
// Height the label needs for `lines` lines of height L with `spacing` between.
int LabelHeightFor(int lines, int lineHeight, int spacing, const DpiScale& scale);
// A label's picture (real size) in a client area: 3 pixels in from the left,
// or from the right when it sits right, centred on the height.
Rect LabelPictureRect(Size client, Size picture, bool right, const DpiScale& scale);
// Where a label's text starts: 6 pixels past a picture `pictureWidth` real
// pixels wide, or at 0 without one.
int LabelTextLeft(int pictureWidth, const DpiScale& scale);
