#include "skin/controls/labels/SkinLabels.h"

#include "platform/Shell.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/TextEffects.h"

#include <QGuiApplication>

namespace {
unsigned AlignFlag(TAlignment a) { return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT; }
TRect Moved(const TRect& r, int dx, int dy) { return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }
}  // namespace

int TqvStdLabelLook::Lookup(TqvSkinData* SD, const QString& Name) {
    if (!SD || SD->Empty) return -1;
    const int i = SD->GetControlIndex(Name);
    if (i == -1) return -1;
    if (const auto* r = dynamic_cast<const TqvDataSkinStdLabelControl*>(SD->CtrlList[std::size_t(i)].get())) {
        FontName = r->FontName;
        FontStyle = r->FontStyle;
        FontHeight = r->FontHeight;
        FontColor = r->FontColor;
        ActiveFontColor = r->ActiveFontColor;
    }
    return i;
}

// ---- TqvSkinStdLabel ----

TqvSkinStdLabel::TqvSkinStdLabel(QObject* AOwner) : TCustomLabel(AOwner) { SetTransparent(true); }

void TqvSkinStdLabel::SetSkinData(TqvSkinData* v) {
    FSD = v;
    if (v) ChangeSkinData();
}

void TqvSkinStdLabel::ChangeSkinData() {
    GetSkinData();
    AdjustBounds();
    update();
}

void TqvSkinStdLabel::SetEllipsType(TqvEllipsType v) {
    if (FEllipsType == v) return;
    FEllipsType = v;
    update();
}

void TqvSkinStdLabel::DoDrawText(TCanvas& C, TRect& R, unsigned Flags) {
    GetSkinData();
    QString text = GetLabelText();
    if (Flags & DT_CALCRECT) {
        if (text.isEmpty()) text = QStringLiteral(" ");
        else if (ShowAccelChar() && text == QLatin1String("&")) text += QLatin1Char(' ');
    }
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    if (FEllipsType == qvetEndEllips) Flags |= DT_END_ELLIPSIS;
    else if (FEllipsType == qvetPathEllips) Flags |= DT_PATH_ELLIPSIS;
    if (FIndex == -1) {
        C.SetFont(FUseSkinFont ? FDefaultFont : Font());
    } else {
        C.SetFont(Font());
        if (FUseSkinFont) {
            C.Font().SetName(FLook.FontName);
            C.Font().SetStyle(FLook.FontStyle);
            C.Font().SetHeight(FLook.FontHeight);
        }
        C.Font().SetColor(FUseSkinColor ? FLook.FontColor : Font().Color());
    }
    if (Flags & DT_CALCRECT) {
        C.DrawText(text, R, Flags);
        return;
    }
    C.Brush().SetStyle(bsClear);
    if (Enabled()) {
        DrawTextRun(C, text, R, Flags);
        return;
    }
    const bool skin = FIndex != -1;
    C.Font().SetColor(skin ? FSD->SkinColors().cBtnHighLight() : clBtnHighlight);
    DrawTextRun(C, text, Moved(R, 1, 1), Flags);
    C.Font().SetColor(skin ? FSD->SkinColors().cBtnShadow() : clBtnShadow);
    DrawTextRun(C, text, R, Flags);
}

void TqvSkinStdLabel::PaintSkinTo(TCanvas& C, int X, int Y, const QString& AText) {
    const QString* old = FPaintText;
    FPaintText = &AText;
    TRect R = ClientRect();
    if (!Transparent()) {
        C.Brush().SetColor(Color());
        C.FillRect(Moved(R, X, Y));
    }
    C.Brush().SetStyle(bsClear);
    const unsigned flags = DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0u) | AlignFlag(Alignment());
    if (Layout() != tlTop) {
        TRect m = R;
        DoDrawText(C, m, flags | DT_CALCRECT);
        const int dy = Layout() == tlBottom ? R.Height() - m.Bottom : (R.Height() - m.Bottom) / 2;
        R = Moved(R, 0, dy);
    }
    R = Moved(R, X, Y);
    DoDrawText(C, R, flags);
    FPaintText = old;
}

// ---- TqvSkinLinkLabel ----

TqvSkinLinkLabel::TqvSkinLinkLabel(QObject* AOwner) : TCustomLabel(AOwner) {
    FDefaultFont.SetStyle(fsUnderline);
    SetTransparent(true);
    Font().Assign(FDefaultFont);
    setCursor(Qt::PointingHandCursor);
}

void TqvSkinLinkLabel::SetSkinData(TqvSkinData* v) {
    FSD = v;
    if (v) ChangeSkinData();
}

void TqvSkinLinkLabel::ChangeSkinData() {
    GetSkinData();
    update();
}

void TqvSkinLinkLabel::SetGlowEffect(bool v) {
    FGlowEffect = v;
    update();
}

void TqvSkinLinkLabel::SetGlowSize(int v) {
    FGlowSize = v;
    update();
}

void TqvSkinLinkLabel::SetUseUnderLine(bool v) {
    if (FUseUnderLine == v) return;
    FUseUnderLine = v;
    update();
}

void TqvSkinLinkLabel::DoDrawText(TCanvas& C, TRect& R, unsigned Flags) {
    GetSkinData();
    QString text = GetLabelText();
    const bool measure = Flags & DT_CALCRECT;
    if (measure && (text.isEmpty() || (ShowAccelChar() && text == QLatin1String("&")))) text = QStringLiteral(" ");
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    TColor halo;
    if (FIndex == -1) {
        C.SetFont(FUseSkinFont ? FDefaultFont : Font());
        if (FMouseIn) C.Font().SetColor(FDefaultActiveFontColor);
        halo = FDefaultActiveFontColor;
    } else {
        C.SetFont(Font());
        if (FUseSkinFont) {
            C.Font().SetName(FLook.FontName);
            C.Font().SetStyle(FLook.FontStyle);
            C.Font().SetHeight(FLook.FontHeight);
        }
        C.Font().SetColor(FMouseIn && !FGlowEffect ? FLook.ActiveFontColor : FLook.FontColor);
        halo = FLook.ActiveFontColor;
    }
    const TFontStyles st = C.Font().Style();
    C.Font().SetStyle(FUseUnderLine ? st | fsUnderline : st & ~TFontStyles(fsUnderline));
    if (measure) {
        // The glow's room below the text is part of the label's size.
        C.DrawText(text, R, Flags);
        if (FGlowEffect) R.Bottom += FGlowSize;
        return;
    }
    // The glow sits the text lower at all times, so it does not jump on hover.
    const TRect r = FGlowEffect ? Moved(R, 0, FGlowSize) : R;
    FHaloColor = TColor(-1);
    FUnderline = C.Font().Style() & fsUnderline;
    C.Brush().SetStyle(bsClear);
    if (!Enabled()) {
        const bool skin = FIndex != -1;
        C.Font().SetColor(skin ? FSD->SkinColors().cBtnHighLight() : clBtnHighlight);
        DrawTextRun(C, text, Moved(r, 1, 1), Flags);
        C.Font().SetColor(skin ? FSD->SkinColors().cBtnShadow() : clBtnShadow);
        DrawTextRun(C, text, r, Flags);
        return;
    }
    if (FMouseIn && FGlowEffect) {
        FHaloColor = halo;
        DrawTextWithHalo(C, r, text, FGlowSize, halo, 0, Flags);
        RecordTextRun({text, r, C.Font().Color(), Flags});
        return;
    }
    DrawTextRun(C, text, r, Flags);
}

void TqvSkinLinkLabel::enterEvent(QEnterEvent* e) {
    TCustomLabel::enterEvent(e);
    FMouseIn = true;
    update();
}

void TqvSkinLinkLabel::leaveEvent(QEvent* e) {
    TCustomLabel::leaveEvent(e);
    FMouseIn = false;
    update();
}

void TqvSkinLinkLabel::Click() {
    TCustomLabel::Click();
    if (!FURL.isEmpty()) ShellActions().Open(FURL);
}

// ---- TqvSkinTextLabel ----

TqvSkinTextLabel::TqvSkinTextLabel(QObject* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 65);
    FLines.OnChange = [this](TStringList*) {
        AdjustBounds();
        update();
    };
}

void TqvSkinTextLabel::SetSkinData(TqvSkinData* v) {
    FSD = v;
    if (v) ChangeSkinData();
}

void TqvSkinTextLabel::ChangeSkinData() {
    GetSkinData();
    AdjustBounds();
    update();
}

void TqvSkinTextLabel::SetLines(const TStrings& v) { FLines.Assign(v); }

void TqvSkinTextLabel::SetAlignment(TAlignment v) {
    if (FAlignment == v) return;
    FAlignment = v;
    update();
}

void TqvSkinTextLabel::SetLayout(TTextLayout v) {
    if (FLayout == v) return;
    FLayout = v;
    update();
}

void TqvSkinTextLabel::SetWordWrap(bool v) {
    if (FWordWrap == v) return;
    FWordWrap = v;
    AdjustBounds();
    update();
}

void TqvSkinTextLabel::SetAutoSize(bool v) {
    if (FAutoSize == v) return;
    FAutoSize = v;
    AdjustBounds();
}

void TqvSkinTextLabel::FontChanged() {
    AdjustBounds();
    update();
}

void TqvSkinTextLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

QString TqvSkinTextLabel::GetLabelText() const {
    QString s;
    for (int i = 0; i < FLines.Count(); ++i) s += FLines.Get(i) + QLatin1Char('\n');
    return s;
}

void TqvSkinTextLabel::DoDrawText(TCanvas& C, TRect& R, unsigned Flags) {
    GetSkinData();
    const QString text = GetLabelText();
    if (FIndex == -1) {
        C.SetFont(FUseSkinFont ? FDefaultFont : Font());
    } else {
        C.SetFont(Font());
        if (FUseSkinFont) {
            C.Font().SetName(FLook.FontName);
            C.Font().SetStyle(FLook.FontStyle);
            C.Font().SetHeight(FLook.FontHeight);
        }
        C.Font().SetColor(FUseSkinColor ? FLook.FontColor : Font().Color());
    }
    if (Flags & DT_CALCRECT) {
        C.DrawText(text, R, Flags);
        return;
    }
    auto run = [&](const TRect& r) {
        FRuns.push_back({text, r, C.Font().Color(), Flags});
        TRect rr = r;
        C.DrawText(text, rr, Flags);
    };
    C.Brush().SetStyle(bsClear);
    if (Enabled()) {
        run(R);
        return;
    }
    const bool skin = FIndex != -1;
    C.Font().SetColor(skin ? FSD->SkinColors().cBtnHighLight() : clBtnHighlight);
    run(Moved(R, 1, 1));
    C.Font().SetColor(skin ? FSD->SkinColors().cBtnShadow() : clBtnShadow);
    run(R);
}

void TqvSkinTextLabel::Paint() {
    FRuns.clear();
    TCanvas& C = Canvas();
    TRect R = ClientRect();
    const unsigned flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u) | AlignFlag(FAlignment);
    if (FLayout != tlTop) {
        TRect m = R;
        DoDrawText(C, m, flags | DT_CALCRECT);
        // The text ends with a line break: its empty last line does not count.
        m.Bottom -= C.TextHeight(QStringLiteral("A"));
        const int dy = FLayout == tlBottom ? Height() - m.Bottom : (Height() - m.Bottom) / 2;
        R = Moved(R, 0, dy);
    }
    DoDrawText(C, R, flags);
}

QImage TqvSkinTextLabel::PaintToImage() {
    if (Width() <= 0 || Height() <= 0) return {};
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QImage* own = Canvas().Image();
    Canvas().SetImage(&img);
    Canvas().SetFont(Font());
    Paint();
    Canvas().SetImage(own);
    return img;
}

void TqvSkinTextLabel::AdjustBounds() {
    if (!FAutoSize || Loading()) return;
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas c(&scratch);
    TRect R = ClientRect();
    DoDrawText(c, R, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
    int x = Left();
    if (FAlignment == taRightJustify) x += Width() - R.Right;
    R.Bottom -= c.TextHeight(QStringLiteral("A"));
    SetBounds(x, Top(), R.Right, R.Bottom);
}
