#include "platform/graphics/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>
// The message codes (JWRN_...) of the decoder's warnings.
#include <jerror.h>

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegLayout.h"

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; it jumps back
// to the frame that started the work so the decoder can be destroyed cleanly.
struct TJpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf JumpBack;
    char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<TJpegErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->JumpBack, 1);
}

// Warnings that say nothing about damage: an unknown colour transform or JFIF revision, or
// a caller asking for rows past the end.
bool IsHarmlessWarning(int code) {
    return code == JWRN_ADOBE_XFORM || code == JWRN_JFIF_MAJOR || code == JWRN_TOO_MUCH_DATA;
}

// Every other warning means damaged data ("Corrupt JPEG data ...", "Premature end of JPEG
// file", "Inconsistent progression sequence ..."), over which the decoder would go on
// guessing, through as many repeated scans as the file holds; such a picture is broken.
// Trace messages (level 0 and up) are dropped.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level < 0 && !IsHarmlessWarning(info->err->msg_code)) OnJpegError(info);
}

void FailDecoding(j_common_ptr info, const char* why) {
    auto* errors = reinterpret_cast<TJpegErrorManager*>(info->err);
    std::snprintf(errors->Message, sizeof errors->Message, "%s", why);
    std::longjmp(errors->JumpBack, 1);
}

// The decoder calls this as it reads, at least once per scan after the scan's header and
// before its data, so the work is bounded before it is done.
void OnJpegProgress(j_common_ptr info) {
    auto* decoder = reinterpret_cast<j_decompress_ptr>(info);
    const std::int64_t scans = decoder->input_scan_number;
    if (scans > MaxJpegScans) FailDecoding(info, "too many scans");
    if (scans * decoder->image_width * decoder->image_height > MaxJpegScanWork)
        FailDecoding(info, "too many scans for the picture's size");
}

// Everything that the jump may skip over lives outside the setjmp frame: the decoded
// rows go into a bitmap owned by the caller.
bool DecodeInto(std::span<const std::uint8_t> data, TBitmap& out, std::string& error) {
    jpeg_decompress_struct info{};
    TJpegErrorManager errors{};
    jpeg_progress_mgr progress{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnJpegError;
    errors.Base.emit_message = OnJpegMessage;
    if (setjmp(errors.JumpBack)) {
        error = errors.Message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    progress.progress_monitor = OnJpegProgress;
    info.progress = &progress;
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    // The scans are counted up front as well, so a picture of too many costs no decoding.
    error = JpegBoundsFault(info.image_width, info.image_height, CountJpegScans(data));
    if (!error.empty()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        error = "unsupported colour layout";
        jpeg_destroy_decompress(&info);
        return false;
    }
    out = TBitmap(int(info.output_width), int(info.output_height), TPixelFormat::pf24bit);
    // The row buffer belongs to the decoder's pool, so a jump out of a read frees it too.
    JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                info.output_width * 3, 1);
    while (info.output_scanline < info.output_height) {
        const JSAMPLE* row = rows[0];
        const int y = int(info.output_scanline);
        if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
        std::uint8_t* dst = out.ScanLine(y);
        for (std::size_t x = 0; x < info.output_width; ++x) {
            dst[x * 3 + 0] = row[x * 3 + 2];
            dst[x * 3 + 1] = row[x * 3 + 1];
            dst[x * 3 + 2] = row[x * 3 + 0];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool EncodeInto(const TBitmap& bitmap, int quality, std::vector<std::uint8_t>& out, std::string& error) {
    jpeg_compress_struct info{};
    TJpegErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnJpegError;
    errors.Base.emit_message = OnJpegMessage;
    if (setjmp(errors.JumpBack)) {
        error = errors.Message;
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(bitmap.Width());
    info.image_height = JDIMENSION(bitmap.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                info.image_width * 3, 1);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.GetPixel(x, y);
            rows[0][std::size_t(x) * 3 + 0] = GetRValue(c);
            rows[0][std::size_t(x) * 3 + 1] = GetGValue(c);
            rows[0][std::size_t(x) * 3 + 2] = GetBValue(c);
        }
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    out.assign(buffer, buffer + size);
    std::free(buffer);
    return true;
}

} // namespace

TBitmap ReadJpeg(std::span<const std::uint8_t> data) {
    if (data.empty()) throw EInvalidGraphic("JPEG image is empty");
    TBitmap result;
    std::string error;
    if (!DecodeInto(data, result, error)) throw EInvalidGraphic("JPEG error: " + error);
    return result;
}

std::vector<std::uint8_t> WriteJpeg(const TBitmap& bitmap, int quality) {
    if (bitmap.IsEmpty()) throw EInvalidGraphic("JPEG image cannot be empty");
    std::vector<std::uint8_t> result;
    std::string error;
    if (!EncodeInto(bitmap, quality, result, error)) throw EInvalidGraphic("JPEG error: " + error);
    return result;
}
