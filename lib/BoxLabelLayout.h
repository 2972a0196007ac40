#pragma once
// Where a framed caption puts its text: the clipping rectangle inside the
// frame, X by alignment and Y centred. Division truncates toward zero, so a
// caption larger than the box is cut evenly (-5 halves to -2).

struct TBoxLabelRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

inline TBoxLabelRect BoxLabelTextRect(int Width, int Height) {
    return {2, 1, Width - 2, Height - 1};
}

// Alignment 0 left, 1 right, 2 centre; any other value places as left.
inline int BoxLabelTextX(int Alignment, int Width, int TextWidth) {
    switch (Alignment) {
    case 1:
        return Width - TextWidth - 2;
    case 2:
        return (Width - TextWidth) / 2;
    default:
        return 2;
    }
}

inline int BoxLabelTextY(int Height, int TextHeight) {
    return (Height - TextHeight) / 2;
}
