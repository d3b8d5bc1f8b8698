#pragma once
// TColor: the suite's colour value, laid out $00BBGGRR (red in the low byte). Values from
// $80000000 up name system colours by index and are resolved against the running style only
// where a widget draws them.

#include <QColor>
#include <QtGlobal>

namespace corvana {

using TColor = quint32;

constexpr TColor RGB(int r, int g, int b) { return TColor(r & 255) | TColor(g & 255) << 8 | TColor(b & 255) << 16; }
constexpr int GetRValue(TColor c) { return int(c & 255); }
constexpr int GetGValue(TColor c) { return int(c >> 8 & 255); }
constexpr int GetBValue(TColor c) { return int(c >> 16 & 255); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080, clNavy = 0x800000,
                 clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF,
                 clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;

constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clScrollBar = clSystemColor | 0, clBackground = clSystemColor | 1, clActiveCaption = clSystemColor | 2,
                 clInactiveCaption = clSystemColor | 3, clMenu = clSystemColor | 4, clWindow = clSystemColor | 5,
                 clWindowFrame = clSystemColor | 6, clMenuText = clSystemColor | 7, clWindowText = clSystemColor | 8,
                 clCaptionText = clSystemColor | 9, clActiveBorder = clSystemColor | 10,
                 clInactiveBorder = clSystemColor | 11, clAppWorkSpace = clSystemColor | 12,
                 clHighlight = clSystemColor | 13, clHighlightText = clSystemColor | 14, clBtnFace = clSystemColor | 15,
                 clBtnShadow = clSystemColor | 16, clGrayText = clSystemColor | 17, clBtnText = clSystemColor | 18,
                 clInactiveCaptionText = clSystemColor | 19, clBtnHighlight = clSystemColor | 20,
                 cl3DDkShadow = clSystemColor | 21, cl3DLight = clSystemColor | 22, clInfoText = clSystemColor | 23,
                 clInfoBk = clSystemColor | 24;

constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0; }

// A plain colour from TColor; system colours resolve through the application palette.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor &color);

} // namespace corvana
