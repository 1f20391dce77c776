#pragma once
// Plain rectangles and sizes for the portable layout rules (same meaning as
// the platform's RECT: right and bottom are exclusive).

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

inline Rect RectFromSize(int x, int y, int cx, int cy) { return Rect{x, y, x + cx, y + cy}; }

struct Size {
    int cx = 0, cy = 0;
    bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};
