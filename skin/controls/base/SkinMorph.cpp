#include "skin/controls/base/SkinMorph.h"

#include "skin/model/draw/EffectBmp.h"

QImage MorphFrame(const QImage& Normal, const QImage& Active, int Step, TqvMorphKind Kind) {
    TqvEffectBmp from(Normal);
    const TqvEffectBmp to(Active);
    const double kf = double(Step) / kMorphSteps;
    switch (Kind) {
    case mkDefault: from.Morph(to, kf); break;
    case mkGradient: from.MorphGrad(to, kf); break;
    case mkLeftGradient: from.MorphLeftGrad(to, kf); break;
    case mkRightGradient: from.MorphRightGrad(to, kf); break;
    case mkLeftSlide: from.MorphLeftSlide(to, kf); break;
    case mkRightSlide: from.MorphRightSlide(to, kf); break;
    case mkPush: from.MorphPush(to, kf); break;
    }
    return from.Image().convertToFormat(QImage::Format_RGB32);
}
