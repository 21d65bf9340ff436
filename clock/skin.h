#pragma once
// Module Skin: window outlines cut from skin pictures.
#include "runtime/forms/forms.h"
#include "runtime/system/regions.h"

namespace tavrin {

// The region of every pixel of the box's picture whose colour differs from
// its top-left pixel, built from one-pixel-high rectangles, one per run.
// 0 when no pixel differs. The caller owns the region.
rt::HRGN RegionFromSkin(rt::PictureBox& pic);

// Prepares a skinned window: its main box gets pixel scale, a persistent
// image, automatic size and no border; the window loses its border; then the
// window is reshaped from the source box's picture.
void SetUpSkinnedWindow(rt::Form& window, rt::PictureBox& mainBox, rt::PictureBox& sourceBox);

// The last three steps of the set-up, repeated whenever a face changes: the
// main box takes the source's picture, the window takes the box's size and the
// picture's outline as its region.
void Reshape(rt::Form& window, rt::PictureBox& mainBox, rt::PictureBox& sourceBox);

} // namespace tavrin
