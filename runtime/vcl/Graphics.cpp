#include "runtime/vcl/Graphics.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"

#include <array>
#include <utility>

namespace {

struct TColorIdent {
    std::string_view Name;
    TColor Color;
};

constexpr std::array<TColorIdent, 7> ColorIdents{{
    {"clBlack", clBlack},
    {"clWhite", clWhite},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clBtnHighlight", clBtnHighlight},
}};

TGdiObject MakeBrush(TColor color) {
    TGdiObject brush(::CreateSolidBrush(ColorToRGB(color)));
    if (!brush)
        throw EOSError(Messages::DialogDrawingFailed());
    return brush;
}

} // namespace

COLORREF ColorToRGB(TColor Color) {
    const auto value = static_cast<std::uint32_t>(Color);
    if ((value & 0x80000000u) != 0)
        return ::GetSysColor(static_cast<int>(value & 0xFFu));
    return value & 0xFFFFFFu;
}

bool IdentToColor(std::string_view Ident, TColor& Color) {
    for (const TColorIdent& entry : ColorIdents) {
        if (entry.Name == Ident) {
            Color = entry.Color;
            return true;
        }
    }
    return false;
}

void TFont::SetName(const std::string& Value) {
    FName = Value;
    Changed();
}

void TFont::SetHeight(int Value) {
    FHeight = Value;
    Changed();
}

void TFont::SetCharset(int Value) {
    FCharset = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value) {
    FStyle = Value;
    Changed();
}

void TFont::Assign(const TFont& Source) {
    if (&Source == this)
        return;
    FName = Source.FName;
    FHeight = Source.FHeight;
    FCharset = Source.FCharset;
    FColor = Source.FColor;
    FStyle = Source.FStyle;
    Changed();
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        FHandle.reset(::CreateFontA(FHeight, 0, 0, 0, (FStyle & fsBold) != 0 ? FW_BOLD : FW_NORMAL,
                                    (FStyle & fsItalic) != 0, (FStyle & fsUnderline) != 0,
                                    (FStyle & fsStrikeOut) != 0, static_cast<BYTE>(FCharset),
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, FName.c_str()));
        if (!FHandle)
            throw EOSError(Messages::FontFailed(FName));
    }
    return static_cast<HFONT>(FHandle.get());
}

void TFont::Changed() {
    const TGdiObject previous = std::move(FHandle);
    if (OnChange)
        OnChange();
}

// Holds a DC for one drawing operation and puts the DC's state back after it.
class TCanvas::TDrawScope {
public:
    explicit TDrawScope(TCanvas& canvas) : FCanvas(canvas) {
        FDC = canvas.FHandle;
        if (FDC == nullptr) {
            FDC = canvas.AcquireDC();
            FOwned = true;
        }
        FSaved = ::SaveDC(FDC);
    }
    ~TDrawScope() {
        if (FSaved != 0)
            ::RestoreDC(FDC, FSaved);
        if (FOwned)
            FCanvas.ReleaseDC(FDC);
    }
    TDrawScope(const TDrawScope&) = delete;
    TDrawScope& operator=(const TDrawScope&) = delete;
    HDC DC() const { return FDC; }

private:
    TCanvas& FCanvas;
    HDC FDC = nullptr;
    bool FOwned = false;
    int FSaved = 0;
};

HDC TCanvas::AcquireDC() {
    throw EOSError(Messages::DialogDrawingFailed());
}

void TCanvas::ReleaseDC(HDC) {}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    TDrawScope scope(*this);
    const RECT interior{X1 + 1, Y1 + 1, X2 - 1, Y2 - 1};
    const TGdiObject brush = MakeBrush(Brush.Color);
    if (interior.left < interior.right && interior.top < interior.bottom)
        ::FillRect(scope.DC(), &interior, static_cast<HBRUSH>(brush.get()));
    const TGdiObject pen(::CreatePen(PS_SOLID, 1, ColorToRGB(Pen.Color)));
    if (!pen)
        throw EOSError(Messages::DialogDrawingFailed());
    const TSelectObject selectPen(scope.DC(), pen.get());
    const TSelectObject selectBrush(scope.DC(), ::GetStockObject(NULL_BRUSH));
    ::SetROP2(scope.DC(), Pen.Mode);
    ::Rectangle(scope.DC(), X1, Y1, X2, Y2);
}

void TCanvas::FillRect(const RECT& Rect) {
    TDrawScope scope(*this);
    const TGdiObject brush = MakeBrush(Brush.Color);
    ::FillRect(scope.DC(), &Rect, static_cast<HBRUSH>(brush.get()));
}

SIZE TCanvas::TextExtent(const std::string& Text) {
    TDrawScope scope(*this);
    const TSelectObject selectFont(scope.DC(), Font.Handle());
    SIZE size{0, 0};
    if (!::GetTextExtentPoint32A(scope.DC(), Text.data(), static_cast<int>(Text.size()), &size))
        throw EOSError(Messages::DialogDrawingFailed());
    return size;
}

void TCanvas::TextRect(const RECT& Rect, int X, int Y, const std::string& Text) {
    TDrawScope scope(*this);
    const TSelectObject selectFont(scope.DC(), Font.Handle());
    ::SetBkMode(scope.DC(), OPAQUE);
    ::SetBkColor(scope.DC(), ColorToRGB(Brush.Color));
    ::SetTextColor(scope.DC(), ColorToRGB(Font.Color()));
    // Some systems clip the glyphs but not an underline or strike-out line
    // to the rectangle; a clip region holds for everything ExtTextOut draws.
    // The DC's saved state brings the previous region back.
    ::IntersectClipRect(scope.DC(), Rect.left, Rect.top, Rect.right, Rect.bottom);
    ::ExtTextOutA(scope.DC(), X, Y, ETO_CLIPPED | ETO_OPAQUE, &Rect, Text.data(),
                  static_cast<UINT>(Text.size()), nullptr);
}
