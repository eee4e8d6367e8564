// Sections: values · layout · nine parts · drawing · stream record.

#include "dxSkinImage.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "Streams.h"
#include "dxGDIPlusClasses.h"
#include "dxSkinCanvas.h"
#include "dxSkinControlGroup.h"
#include "dxSkinElement.h"
#include "dxSkinStreams.h"
#include "dxSkinsStrs.h"

namespace {

// Corners keep their size, edges and the centre may change it.
constexpr bool initialPartResizable[9] = {false, true, false, true, true, true, false, true, false};

}  // namespace

// ---- values --------------------------------------------------------------------------------

TdxSkinImage::TdxSkinImage(TPersistent* owner)
    : owner_(owner), margins_(new TcxRect(this)), picture_(new TdxPNGImage()) {
    margins_->OnChange = MakeEvent(this, &TdxSkinImage::MarginsChanged);
    picture_->OnChange = MakeEvent(this, &TdxSkinImage::PictureChanged);
    std::copy(std::begin(initialPartResizable), std::end(initialPartResizable), partResizable_);
}

TdxSkinImage::~TdxSkinImage() {
    delete picture_;
    delete margins_;
}

TdxSkinElement* TdxSkinImage::Element() const { return As<TdxSkinElement>(owner_); }

void TdxSkinImage::SetGradient(TdxSkinGradientMode value) {
    if (AssignIfChanged(gradient_, value)) Changed();
}

void TdxSkinImage::SetGradientBeginColor(TColor value) {
    if (AssignIfChanged(gradientBeginColor_, value)) Changed();
}

void TdxSkinImage::SetGradientEndColor(TColor value) {
    if (AssignIfChanged(gradientEndColor_, value)) Changed();
}

void TdxSkinImage::SetImageLayout(TdxSkinImageLayout value) {
    if (AssignIfChanged(imageLayout_, value)) Changed();
}

void TdxSkinImage::SetStates(TdxSkinElementStates value) {
    if (AssignIfChanged(states_, value)) Changed();
}

void TdxSkinImage::SetStretch(TdxSkinStretchMode value) {
    if (AssignIfChanged(stretch_, value)) Changed();
}

bool TdxSkinImage::Empty() const { return sourceName_.empty() && picture_->Empty(); }

void TdxSkinImage::Clear() {
    sourceName_.clear();
    picture_->ReplaceImage(nullptr);
    picture_->Changed(picture_);  // reports through PictureChanged
}

void TdxSkinImage::Assign(TPersistent* source) {
    auto* other = As<TdxSkinImage>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other->Empty()) {
        Clear();
    } else {
        picture_->Assign(other->picture_);
        sourceName_ = other->sourceName_;
        if (sourceName_.empty())
            if (TdxSkinElement* element = other->Element())
                sourceName_ = element->GetPath() + element->GetImageFileName(other);
    }
    SetGradientBeginColor(other->gradientBeginColor_);
    SetGradientEndColor(other->gradientEndColor_);
    SetGradient(other->gradient_);
    SetImageLayout(other->imageLayout_);
    margins_->Assign(other->margins_);
    SetStates(other->states_);
    SetStretch(other->stretch_);
}

bool TdxSkinImage::IsEqual(TdxSkinImage* other) {
    return other && imageLayout_ == other->imageLayout_ && Empty() == other->Empty() && states_ == other->states_ &&
           gradient_ == other->gradient_ && Integer(gradientBeginColor_) == Integer(other->gradientBeginColor_) &&
           Integer(gradientEndColor_) == Integer(other->gradientEndColor_) && stretch_ == other->stretch_ &&
           PointsEqual(FrameSize(), other->FrameSize()) && margins_->SameAs(other->margins_) &&
           picture_->HasSamePixels(other->picture_);
}

void TdxSkinImage::Changed() {
    dirty_ = true;
    if (OnChange) OnChange(this);
}

// ---- layout --------------------------------------------------------------------------------

int TdxSkinImage::OwnerImageCount() const {
    TdxSkinElement* element = Element();
    return element ? std::max(1, element->ImageCount()) : 1;
}

void TdxSkinImage::CheckInfo() {
    if (!dirty_) return;
    dirty_ = false;
    UpdateInfo();
}

void TdxSkinImage::UpdateInfo() {
    int frames[dxSkinElementStateCount] = {};
    stateCount_ = 0;
    for (int s = 0; s < dxSkinElementStateCount; ++s)
        if (states_.Contains(TdxSkinElementState(s))) frames[s] = stateCount_++;
    frameSize_ = TSize{picture_->Width(), picture_->Height()};
    if (stateCount_ > 0) {
        LONG& along = imageLayout_ == ilVertical ? frameSize_.cy : frameSize_.cx;
        along = along / OwnerImageCount() / stateCount_;
    }
    const int w = frameSize_.cx, h = frameSize_.cy;
    for (int s = 0; s < dxSkinElementStateCount; ++s) {
        const int n = frames[s];
        stateRects_[s] = imageLayout_ == ilVertical ? TRect{0, n * h, w, (n + 1) * h} : TRect{n * w, 0, (n + 1) * w, h};
    }
}

TSize TdxSkinImage::FrameSize() {
    CheckInfo();
    return frameSize_;
}

int TdxSkinImage::StateCount() {
    CheckInfo();
    return stateCount_;
}

TRect TdxSkinImage::GetStateRect(int imageIndex, TdxSkinElementState state) {
    CheckInfo();
    TRect r = stateRects_[std::min<int>(state, dxSkinElementStateCount - 1)];
    if (imageIndex > 0) {
        // 64-bit arithmetic: an image index far beyond the strip must not wrap around.
        const Int64 along =
            Int64(imageIndex) * stateCount_ * (imageLayout_ == ilVertical ? frameSize_.cy : frameSize_.cx);
        const int shift = int(std::clamp<Int64>(along, 0, 0x3FFFFFFF));
        r = imageLayout_ == ilVertical ? ShiftRect(r, 0, shift) : ShiftRect(r, shift, 0);
    }
    return r;
}

TdxSkinElementState TdxSkinImage::AdjustState(TdxSkinElementState state) const {
    if (states_.Contains(state)) return state;
    for (int s = 0; s < dxSkinElementStateCount; ++s)
        if (states_.Contains(TdxSkinElementState(s))) return TdxSkinElementState(s);
    return state;
}

// ---- nine parts ----------------------------------------------------------------------------

void TdxSkinImage::CalculateParts(const TRect& r, TParts& parts, TPartFlags& visible, bool fit) {
    std::copy(std::begin(initialPartResizable), std::end(initialPartResizable), partResizable_);
    int ml = margins_->Left(), mt = margins_->Top(), mr = margins_->Right(), mb = margins_->Bottom();
    if (fit) {
        const int dx = ml + mr - RectWidth(r);
        if (dx > 0) {
            const int sum = ml + mr;
            ml -= MulDiv(ml, dx, sum);
            mr -= MulDiv(mr, dx, sum);
            for (int row = 0; row < 3; ++row) partResizable_[0 * 3 + row] = partResizable_[2 * 3 + row] = true;
        }
        const int dy = mt + mb - RectHeight(r);
        if (dy > 0) {
            const int sum = mt + mb;
            mt -= MulDiv(mt, dy, sum);
            mb -= MulDiv(mb, dy, sum);
            for (int column = 0; column < 3; ++column)
                partResizable_[column * 3 + 0] = partResizable_[column * 3 + 2] = true;
        }
    }
    TRect in{r.left + ml, r.top + mt, r.right - mr, r.bottom - mb};
    in.left = std::min(in.left, r.right);
    in.right = std::min(std::max(in.right, in.left), r.right);
    in.top = std::min(in.top, r.bottom);
    in.bottom = std::min(std::max(in.bottom, in.top), r.bottom);
    const int xs[4] = {r.left, in.left, in.right, r.right};
    const int ys[4] = {r.top, in.top, in.bottom, r.bottom};
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) {
            const int i = column * 3 + row;
            if (!visible[i]) continue;
            parts[i] = TRect{xs[column], ys[row], xs[column + 1], ys[row + 1]};
            visible[i] = parts[i].left < parts[i].right && parts[i].top < parts[i].bottom;
        }
}

// ---- drawing -------------------------------------------------------------------------------

void TdxSkinImage::Draw(HDC dc, const TRect& r, int imageIndex, TdxSkinElementState state) {
    const TSize frame = FrameSize();
    if (frame.cx < 1 || frame.cy < 1 || IsRectEmpty(&r)) return;
    RECT area = r;
    if (!RectVisible(dc, &area)) return;
    TdxSkinCanvas canvas;
    canvas.BeginPaint(dc, r);
    try {
        DrawEx(&canvas, r, imageIndex, state);
    } catch (...) {
        canvas.EndPaint();
        throw;
    }
    canvas.EndPaint();
}

void TdxSkinImage::DrawEx(TdxSkinCanvas* canvas, const TRect& r, int imageIndex, TdxSkinElementState state) {
    if (Empty()) {
        if (HasGradient()) {
            TParts parts;
            TPartFlags visible;
            std::fill(std::begin(visible), std::end(visible), true);
            CalculateParts(r, parts, visible, true);
            if (visible[4]) canvas->FillRectByGradient(parts[4], gradientBeginColor_, gradientEndColor_, gradient_);
        }
        return;
    }
    CheckInfo();
    state = AdjustState(state);
    if (stretch_ == smNoResize) {
        canvas->DrawImageNoResize(picture_, CenteredRect(r, frameSize_.cx, frameSize_.cy),
                                  GetStateRect(imageIndex, state));
        return;
    }
    TPartFlags visible;
    std::fill(std::begin(visible), std::end(visible), true);
    TParts sourceParts, destParts;
    CalculateParts(GetStateRect(imageIndex, state), sourceParts, visible, false);
    CalculateParts(r, destParts, visible, true);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            const int i = column * 3 + row;
            if (visible[i]) DrawPart(canvas, destParts[i], sourceParts[i], partResizable_[i], column == 1 && row == 1);
        }
}

void TdxSkinImage::DrawPart(TdxSkinCanvas* canvas, const TRect& dest, const TRect& source, bool resizable,
                            bool isCentre) {
    if (isCentre && HasGradient())
        canvas->FillRectByGradient(dest, gradientBeginColor_, gradientEndColor_, gradient_);
    else if (!resizable)
        canvas->DrawImageNoResize(picture_, dest, source);
    else if (stretch_ == smTile)
        canvas->DrawImageTiled(picture_, dest, source);
    else
        canvas->DrawImage(picture_, dest, source);
}

// ---- stream record -------------------------------------------------------------------------

void TdxSkinImage::ReadData(TStream* stream, double version) {
    TRect& margins = *margins_->GetRectPointer();
    margins.left = ReadSkinInteger(stream);
    margins.top = ReadSkinInteger(stream);
    margins.right = ReadSkinInteger(stream);
    margins.bottom = ReadSkinInteger(stream);
    imageLayout_ = TdxSkinImageLayout(ReadSkinByte(stream));
    Byte states[2] = {ReadSkinByte(stream), ReadSkinByte(stream)};
    states_ = TdxSkinElementStates::FromBits(states[0] | (unsigned(states[1]) << 8));
    stretch_ = TdxSkinStretchMode(ReadSkinByte(stream));
    if (version >= dxSkinStreamVersion) {
        gradientBeginColor_ = ReadSkinInteger(stream);
        gradientEndColor_ = ReadSkinInteger(stream);
        gradient_ = TdxSkinGradientMode(ReadSkinByte(stream));
    }
    const Integer size = ReadSkinInteger(stream);
    if (size > 0) {
        CheckSkinStreamCount(stream, size, 1);
        const Int64 start = stream->Position();
        std::vector<Byte> png(size_t(size), 0);
        stream->ReadBuffer(png.data(), size);
        if (!IsSkinPngLayoutSound(png.data(), png.size()))
            throw EdxSkin(ResolveResourceString(&sdxSkinInvalidStreamFormat));
        TdxSkinPartStream* window = SharedSkinPartStream();
        window->SetBounds(stream, start, start + size);
        window->SetPosition(0);
        try {
            picture_->LoadFromStream(window);
        } catch (const Exception&) {
            // The decoder refused the bytes: the skin data is broken, not the program.
            throw EdxSkin(ResolveResourceString(&sdxSkinInvalidStreamFormat));
        }
        // Whatever the decoder consumed, the next field starts after the stored picture.
        stream->SetPosition(start + size);
    }
    dirty_ = true;
}

void TdxSkinImage::WriteData(TStream* stream) {
    const TRect& margins = margins_->Rect();
    WriteSkinInteger(stream, margins.left);
    WriteSkinInteger(stream, margins.top);
    WriteSkinInteger(stream, margins.right);
    WriteSkinInteger(stream, margins.bottom);
    WriteSkinByte(stream, Byte(imageLayout_));
    const auto bits = unsigned(states_.Bits());
    WriteSkinByte(stream, Byte(bits & 0xFF));
    WriteSkinByte(stream, Byte((bits >> 8) & 0xFF));
    WriteSkinByte(stream, Byte(stretch_));
    WriteSkinInteger(stream, gradientBeginColor_);
    WriteSkinInteger(stream, gradientEndColor_);
    WriteSkinByte(stream, Byte(gradient_));
    TMemoryStream png;
    if (!Empty()) picture_->SaveToStream(&png);
    WriteSkinInteger(stream, Integer(png.Size()));
    if (png.Size() > 0) stream->WriteBuffer(png.Memory(), Integer(png.Size()));
}
