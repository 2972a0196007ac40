#pragma once
// Colours, fonts and the drawing canvas. A canvas draws on a device context
// that its owner lends it (the paint DC inside WM_PAINT) or that it asks for
// itself for the length of one drawing operation.

#include "runtime/win32/Handles.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// An RGB value (0x00BBGGRR) or, with the top bit set, a system colour index.
using TColor = std::int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clWindow = static_cast<TColor>(0x80000000u | COLOR_WINDOW);
inline constexpr TColor clWindowText = static_cast<TColor>(0x80000000u | COLOR_WINDOWTEXT);
inline constexpr TColor clBtnFace = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = static_cast<TColor>(0x80000000u | COLOR_BTNSHADOW);
inline constexpr TColor clBtnHighlight = static_cast<TColor>(0x80000000u | COLOR_BTNHIGHLIGHT);

// Resolves a system colour reference to the colour the system shows now.
COLORREF ColorToRGB(TColor Color);
// The colour an identifier such as clBtnFace names, or false when unknown.
bool IdentToColor(std::string_view Ident, TColor& Color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont {
public:
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return FName; }
    int Height() const { return FHeight; }
    int Charset() const { return FCharset; }
    TColor Color() const { return FColor; }
    TFontStyles Style() const { return FStyle; }
    void SetName(const std::string& Value);
    void SetHeight(int Value);
    void SetCharset(int Value);
    void SetColor(TColor Value);
    void SetStyle(TFontStyles Value);
    // Copies every attribute of Source.
    void Assign(const TFont& Source);

    // The font object for these attributes, made on first use and remade
    // after a change. Raises EOSError when the system cannot make it.
    HFONT Handle() const;

    // Called after any attribute changed; the previous font object stays
    // alive until it returns, so windows can be handed the new one first.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    int FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    mutable TGdiObject FHandle;
};

struct TBrush {
    TColor Color = clWhite;
};

struct TPen {
    TColor Color = clBlack;
    int Mode = R2_COPYPEN; // a binary raster operation (R2_*)
};

class TCanvas {
public:
    TCanvas() = default;
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TBrush Brush;
    TPen Pen;
    TFont Font;
    void SetFont(const TFont& Value) { Font.Assign(Value); }

    // The pen mode governs the one-pixel outline only; the interior inside
    // it is always painted with the brush, so a no-operation pen keeps
    // whatever lies under the outline.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void FillRect(const RECT& Rect);
    SIZE TextExtent(const std::string& Text);
    // Text with its top-left corner at (X, Y), clipped to Rect, over Rect
    // painted in the brush colour.
    void TextRect(const RECT& Rect, int X, int Y, const std::string& Text);

    // Lends the canvas a DC (null takes it back); operations use it as is.
    void SetHandle(HDC DC) { FHandle = DC; }
    HDC Handle() const { return FHandle; }

protected:
    // A DC for one operation when none is lent; raises when there is none.
    virtual HDC AcquireDC();
    virtual void ReleaseDC(HDC DC);

private:
    class TDrawScope;
    HDC FHandle = nullptr;
};
