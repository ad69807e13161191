#pragma once
// Image holders referred to by 32-bit handles (the image values of shader
// graphs). A holder lives until its handle is released: the shader whose
// node refers to it releases it when the shader is destroyed.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "IMGLib/ImageHolder.h"

// Takes the holder and answers its handle (never 0, never reused).
uint32_t RegisterImageHolder(std::unique_ptr<ImageHolder> holder);
// The holder of a handle, or null (also once released).
ImageHolder* ImageHolderFor(uint32_t handle);
// Frees the holder of the handle; an unknown handle is ignored.
void ReleaseImageHolder(uint32_t handle);
// Holders registered and not yet released.
size_t ImageHolderCount();
