// A decal's brush texture: the picture of its own file.
//
// Resources are found by file name, and a decal's file name may be a model
// texture's too (or a texture of the project just closed): looked up by that
// name, the brush would paint with the other picture, and after the project
// closed with a deleted one. So a decal's texture is made from its file
// under a name no file can have (its path, separators replaced), once, and
// held by the program's global collection for as long as the program runs.
#pragma once

class simTexture;

namespace bars {

struct DecalRow;

// The texture of the row's decal, made on first use; null for the plain
// brush, a folder row, or a file that cannot be read or made a texture.
simTexture* tbDecalTexture(const DecalRow& row);

}  // namespace bars
