#pragma once
// Image holders referred to by 32-bit handles (the image values of shader
// graphs). The table keeps every holder for the life of the process.
#include <cstdint>
#include <memory>

#include "IMGLib/ImageHolder.h"

// Takes the holder and answers its handle (never 0).
uint32_t RegisterImageHolder(std::unique_ptr<ImageHolder> holder);
// The holder of a handle, or null.
ImageHolder* ImageHolderFor(uint32_t handle);
