#pragma once

// Where the game's picture goes in a drawable. The picture is 4:3 (both editions'
// windows are); a drawable of another shape (a full screen of 16:9 or 5:4, a window
// the player pulled out of shape) shows it whole and centred between black bars,
// never cropped or stretched. The bars are what the frame's clear leaves there.
struct PictureBox {
    int x, y;  // lower-left corner in the drawable, GL's way up
    int width, height;
};

// The largest 4:3 box that fits a drawable of width × height, centred (an odd
// leftover pixel goes to the right or top bar). A 4:3 drawable is its own box; a
// side below 1 counts as 1, and the box is never smaller than 1 × 1.
PictureBox FitPictureBox(int width, int height);

// The box's width ÷ height as the projection takes it.
float PictureAspect(const PictureBox& box);

// True when the box leaves bars, i.e. is smaller than the drawable.
bool PictureHasBars(const PictureBox& box, int width, int height);
