#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/graphics/TBitmap.h"
#include "skin/TsFileStamp.h"

// The images of one skin source, each decoded once and never recoloured, by upper-cased
// name, with the stamps of the folder files they were read from. Every load of the source
// (by any manager, at any hue) takes its images from here.
class TsDecodedImages {
public:
    struct TDecoded {
        std::shared_ptr<const TBitmap> Image; // null when the image is missing or broken
        std::string Problem;                  // why there is no image: "missing" or the decoder's message
    };

    // Nothing when the name was not decoded yet.
    const TDecoded* Find(const std::string& key) const;
    const TDecoded& Add(const std::string& key, TDecoded decoded);

    // Remembers the state of a file the images depend on, when it is first read.
    void NoteFile(const std::string& path);
    // True while every noted file is as it was when it was noted.
    bool FilesUnchanged() const;

private:
    std::unordered_map<std::string, TDecoded> m_images;
    std::unordered_map<std::string, TsFileStamp> m_files;
};
