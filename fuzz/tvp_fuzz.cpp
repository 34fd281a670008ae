// Feeds arbitrary bytes to the model-scheme project reader (.tvp), expecting
// no camera records and two. Whatever reads must write back into a file that
// reads again to the same records; a small picture is decoded as opening
// the project would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/scheme/tbProjectFile.h"
#include "platform/d3dx/d3dxImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (size_t cameras : {size_t(0), size_t(2)}) {
        tbProjectFileData project;
        std::string error;
        if (!readProjectFile(data, size, cameras, project, error)) continue;

        const std::vector<uint8_t> written = writeProjectFile(project);
        tbProjectFileData again;
        if (!readProjectFile(written.data(), written.size(), cameras, again, error)) std::abort();
        if (writeProjectFile(again) != written) std::abort();

        const tbFileTexture& texture = project.geometry.texture;
        if (uint64_t(texture.width) * texture.height <= 256 * 256) {
            d3dx::ImageLoadDesc desc;
            desc.width = texture.width;
            desc.height = texture.height;
            desc.mipLevels = 1;
            desc.format = d3dx::Format::X8R8G8B8;
            d3dx::Image picture;
            d3dx::LoadImageFromFileInMemory(texture.bmp.data(), texture.bmp.size(), desc, &picture);
        }
    }
    return 0;
}
