#pragma once

// Progressive JPEG pictures for the decoder's tests and benchmarks, written with libjpeg's
// own encoder: with its standard scan script or one given scan by scan (JpegSurgery.h changes
// their bytes).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "JpegSurgery.h"

namespace jpegtest {

// One scan of a script over one component: the band of coefficients Ss..Se and the
// successive approximation bits Ah (0 for a first scan) and Al.
inline jpeg_scan_info Scan(int component, int ss, int se, int ah, int al) {
    jpeg_scan_info scan{};
    scan.comps_in_scan = 1;
    scan.component_index[0] = component;
    scan.Ss = ss;
    scan.Se = se;
    scan.Ah = ah;
    scan.Al = al;
    return scan;
}

// A grey script of 1 + 63 scans: the DC scan and then every AC coefficient in a scan of its own.
inline std::vector<jpeg_scan_info> OneScanPerCoefficient() {
    std::vector<jpeg_scan_info> script{Scan(0, 0, 0, 0, 0)};
    for (int k = 1; k < 64; ++k)
        script.push_back(Scan(0, k, k, 0, 0));
    return script;
}

// What the picture shows: diagonal stripes, or one grey all over, whose scans are a few bytes.
enum class TPicture { Stripes, Plain };

// Encodes a width x height picture (components 1 for grey, 3 for colour) as a progressive
// JPEG, with libjpeg's standard script when the script is empty.
inline std::vector<std::uint8_t> EncodeProgressive(int width, int height, int components,
                                                   const std::vector<jpeg_scan_info>& script = {},
                                                   TPicture picture = TPicture::Stripes) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (script.empty()) {
        jpeg_simple_progression(&info);
    } else {
        info.scan_info = script.data();
        info.num_scans = int(script.size());
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(components));
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                row[std::size_t(x * components + c)] =
                    picture == TPicture::Plain ? JSAMPLE(128) : JSAMPLE((x / 3 + y / 5 + c * 40) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

} // namespace jpegtest
