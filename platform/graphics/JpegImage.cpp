#include "JpegImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "Format.h"

// Sections: the library's managers, decoding, encoding, TJPEGImage.
//
// The library reports errors by calling the error manager's exit routine, which must not return:
// it jumps back (longjmp) to the frame that called into the library. No C++ object with a
// destructor may live in the frames it jumps over, so the routines that call the library keep
// only plain locals, and the stream callbacks catch every C++ exception, park it, and make the
// library fail instead; it is raised again once the library's objects are destroyed.

// --- the library's managers

namespace {

constexpr size_t kBufferSize = 4096;

struct TJpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<TJpegErrorManager*>(cinfo->err)->jump, 1); }
void OutputMessage(j_common_ptr) {}  // warnings are not printed

struct TStreamSource {
    jpeg_source_mgr pub;
    TStream* stream;
    std::exception_ptr* failure;
    JOCTET buffer[kBufferSize];
};

// Reads the next block; -1 when the stream raised (the exception is parked).
Integer ReadBlock(TStreamSource* source) noexcept {
    try {
        return source->stream->Read(source->buffer, Integer(kBufferSize));
    } catch (...) {
        *source->failure = std::current_exception();
        return -1;
    }
}

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<TStreamSource*>(cinfo->src);
    const Integer count = ReadBlock(source);
    // A file that ends early is an error, not a picture padded with grey.
    if (count <= 0) ERREXIT(cinfo, count < 0 ? JERR_FILE_READ : JERR_INPUT_EOF);
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = size_t(count);
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    auto* source = reinterpret_cast<TStreamSource*>(cinfo->src);
    while (count > long(source->pub.bytes_in_buffer)) {
        count -= long(source->pub.bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    if (count > 0) {
        source->pub.next_input_byte += count;
        source->pub.bytes_in_buffer -= size_t(count);
    }
}

void TermSource(j_decompress_ptr) {}

struct TStreamDestination {
    jpeg_destination_mgr pub;
    TStream* stream;
    std::exception_ptr* failure;
    JOCTET buffer[kBufferSize];
};

bool WriteBlock(TStreamDestination* destination, size_t count) noexcept {
    try {
        destination->stream->WriteBuffer(destination->buffer, Integer(count));
        return true;
    } catch (...) {
        *destination->failure = std::current_exception();
        return false;
    }
}

void InitDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<TStreamDestination*>(cinfo->dest);
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = kBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<TStreamDestination*>(cinfo->dest);
    if (!WriteBlock(destination, kBufferSize)) ERREXIT(cinfo, JERR_FILE_WRITE);
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<TStreamDestination*>(cinfo->dest);
    const size_t count = kBufferSize - destination->pub.free_in_buffer;
    if (count && !WriteBlock(destination, count)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

void InstallErrorManager(TJpegErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.output_message = OutputMessage;
}

// After the library's objects are gone: the parked stream failure, or the library's error.
void RaiseFailure(const TJpegErrorManager& errors, const std::exception_ptr& failure) {
    if (failure) std::rethrow_exception(failure);
    throw EJPEG(Format(L"JPEG error #%d", {errors.pub.msg_code}));
}

// Pictures larger than this are refused before memory is reserved for them.
constexpr Int64 kMaxPixels = 64 * 1024 * 1024;

// --- decoding

// Runs the decompressor; false when the library failed (jumped back here). Only plain locals.
bool RunDecompress(jpeg_decompress_struct* cinfo, TJpegErrorManager* errors, TStreamSource* source, TBitmap* target) {
    if (setjmp(errors->jump)) return false;
    jpeg_CreateDecompress(cinfo, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
    cinfo->src = &source->pub;
    jpeg_read_header(cinfo, TRUE);
    const bool grey = cinfo->jpeg_color_space == JCS_GRAYSCALE;
    cinfo->out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(cinfo);
    const Integer width = Integer(cinfo->output_width), height = Integer(cinfo->output_height);
    if (Int64(width) * height > kMaxPixels) ERREXIT(cinfo, JERR_IMAGE_TOO_BIG);
    target->SetSize(0, 0);
    target->SetPixelFormat(pf24bit);
    target->SetSize(width, height);
    JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                 JDIMENSION(width * cinfo->output_components), 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        const Integer y = Integer(cinfo->output_scanline);
        jpeg_read_scanlines(cinfo, row, 1);
        Byte* out = static_cast<Byte*>(target->ScanLine(y));
        const JSAMPLE* in = row[0];
        for (Integer x = 0; x < width; ++x, out += 3) {
            if (grey) {
                out[0] = out[1] = out[2] = in[x];
            } else {
                out[0] = in[3 * x + 2];
                out[1] = in[3 * x + 1];
                out[2] = in[3 * x];
            }
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// --- encoding

bool RunCompress(jpeg_compress_struct* cinfo, TJpegErrorManager* errors, TStreamDestination* destination,
                 TBitmap* source, Integer quality) {
    if (setjmp(errors->jump)) return false;
    jpeg_CreateCompress(cinfo, JPEG_LIB_VERSION, sizeof(jpeg_compress_struct));
    cinfo->dest = &destination->pub;
    cinfo->image_width = JDIMENSION(source->Width());
    cinfo->image_height = JDIMENSION(source->Height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    JSAMPARRAY row =
        (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, cinfo->image_width * 3, 1);
    while (cinfo->next_scanline < cinfo->image_height) {
        const Byte* in = static_cast<const Byte*>(source->ScanLine(Integer(cinfo->next_scanline)));
        JSAMPLE* out = row[0];
        for (JDIMENSION x = 0; x < cinfo->image_width; ++x, in += 3) {
            out[3 * x] = in[2];
            out[3 * x + 1] = in[1];
            out[3 * x + 2] = in[0];
        }
        jpeg_write_scanlines(cinfo, row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

void DecodeJpeg(TStream* stream, TBitmap* target) {
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof(cinfo));
    TJpegErrorManager errors;
    InstallErrorManager(errors);
    cinfo.err = &errors.pub;
    std::exception_ptr failure;
    TStreamSource source{};
    source.pub.init_source = InitSource;
    source.pub.fill_input_buffer = FillInputBuffer;
    source.pub.skip_input_data = SkipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = TermSource;
    source.stream = stream;
    source.failure = &failure;
    bool ok;
    try {
        ok = RunDecompress(&cinfo, &errors, &source, target);
    } catch (...) {
        jpeg_destroy(reinterpret_cast<j_common_ptr>(&cinfo));
        throw;
    }
    jpeg_destroy(reinterpret_cast<j_common_ptr>(&cinfo));
    if (!ok) RaiseFailure(errors, failure);
}

void EncodeJpeg(TBitmap* source, TStream* stream, Integer quality) {
    if (source->Empty()) throw EInvalidGraphicOperation(L"Cannot compress an empty picture");
    TBitmap rgb;
    TBitmap* pixels = source;
    if (source->PixelFormat() != pf24bit) {
        rgb.Assign(source);
        rgb.SetPixelFormat(pf24bit);
        pixels = &rgb;
    }
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof(cinfo));
    TJpegErrorManager errors;
    InstallErrorManager(errors);
    cinfo.err = &errors.pub;
    std::exception_ptr failure;
    TStreamDestination destination{};
    destination.pub.init_destination = InitDestination;
    destination.pub.empty_output_buffer = EmptyOutputBuffer;
    destination.pub.term_destination = TermDestination;
    destination.stream = stream;
    destination.failure = &failure;
    bool ok;
    try {
        ok = RunCompress(&cinfo, &errors, &destination, pixels, std::clamp(quality, 1, 100));
    } catch (...) {
        jpeg_destroy(reinterpret_cast<j_common_ptr>(&cinfo));
        throw;
    }
    jpeg_destroy(reinterpret_cast<j_common_ptr>(&cinfo));
    if (!ok) RaiseFailure(errors, failure);
}

// --- TJPEGImage

TJPEGImage::~TJPEGImage() { delete bitmap_; }

void TJPEGImage::Assign(TPersistent* source) {
    if (source == this) return;
    if (auto* jpeg = As<TJPEGImage>(source)) {
        TBitmap* copy = nullptr;
        if (jpeg->bitmap_) {
            copy = new TBitmap;
            copy->Assign(jpeg->bitmap_);
        }
        quality_ = jpeg->quality_;
        Adopt(copy, jpeg->data_);
    } else if (auto* bitmap = As<TBitmap>(source)) {
        auto* copy = new TBitmap;
        try {
            copy->Assign(bitmap);
            copy->SetPixelFormat(pf24bit);
        } catch (...) {
            delete copy;
            throw;
        }
        if (copy->Empty()) {
            delete copy;
            copy = nullptr;
        }
        Adopt(copy, {});
    } else if (!source) {
        Adopt(nullptr, {});
    } else {
        TGraphic::Assign(source);
    }
}

void TJPEGImage::AssignTo(TPersistent* dest) {
    if (auto* bitmap = As<TBitmap>(dest))
        bitmap->Assign(bitmap_);
    else
        TGraphic::AssignTo(dest);
}

void TJPEGImage::SetWidth(Integer value) {
    if (value != Width()) throw EInvalidGraphicOperation(L"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(Integer value) {
    if (value != Height()) throw EInvalidGraphicOperation(L"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetCompressionQuality(Integer value) {
    value = std::clamp(value, 1, 100);
    if (value == quality_) return;
    quality_ = value;
    Changed(this);
}

void TJPEGImage::Compress() {
    if (!bitmap_ || !data_.empty()) return;
    TMemoryStream stream;
    EncodeJpeg(bitmap_, &stream, quality_);
    data_ = StreamBytes(&stream);
}

void TJPEGImage::LoadFromBytes(TBytes data) {
    auto* decoded = new TBitmap;
    try {
        TMemoryStream stream;
        if (!data.empty()) stream.WriteBuffer(data.data(), Integer(data.size()));
        stream.SetPosition(0);
        DecodeJpeg(&stream, decoded);
    } catch (...) {
        delete decoded;
        throw;
    }
    Adopt(decoded, std::move(data));
}

void TJPEGImage::Adopt(TBitmap* bitmap, TBytes data) {
    delete bitmap_;
    bitmap_ = bitmap;
    if (bitmap_) bitmap_->OnChange = MakeEvent(this, &TJPEGImage::BitmapChanged);
    data_ = std::move(data);
    Changed(this);
}

// A picture drawn on through Bitmap() is compressed afresh when saved.
void TJPEGImage::BitmapChanged(TObject*) {
    data_.clear();
    Changed(this);
}

void TJPEGImage::LoadFromStream(TStream* stream) {
    const Int64 size = stream->Size() - stream->Position();
    TBytes data(static_cast<size_t>(std::max<Int64>(size, 0)));
    if (!data.empty()) stream->ReadBuffer(data.data(), Integer(data.size()));
    LoadFromBytes(std::move(data));
}

void TJPEGImage::SaveToStream(TStream* stream) {
    Compress();
    if (!data_.empty()) stream->WriteBuffer(data_.data(), Integer(data_.size()));
}

void TJPEGImage::ReadData(TStream* stream) {
    TBytes data = ReadFramedData(stream, Format(L"JPEG error #%d", {JERR_INPUT_EOF}));
    if (data.empty()) {
        Assign(nullptr);
        return;
    }
    LoadFromBytes(std::move(data));
}

void TJPEGImage::WriteData(TStream* stream) {
    Compress();
    WriteFramedData(stream, data_);
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) {
    if (bitmap_) bitmap_->Draw(canvas, r);
}
