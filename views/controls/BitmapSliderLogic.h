// CBitmapSliderLogic: the arithmetic of the bitmap slider along its axis — position to thumb
// centre and back, clamping, the thumb grab rule, keys and the mouse wheel. The slider widget
// keeps one of these and only paints and forwards input.
#pragma once

class CBitmapSliderLogic {
public:
    // Along the axis: the control's length, the margins before and after, and the thumb's
    // length.
    int length = 0;
    int marginLow = 0;
    int marginHigh = 0;
    int thumb = 0;
    int min = 0;
    int max = 100;
    int pos = 0;
    int page = 10;
    int wheelRange = 1;

    enum class Key { PageUp, PageDown, Home, End, Left, Up, Right, Down };

    int Clamp(int value) const;
    // Sets the position, clamped; true when it changed.
    bool SetPos(int value);
    void SetRange(int lo, int hi);

    // Centre of the thumb for a position: L + trunc((W - R - T - L) * (pos - min) / (max - min)) + T / 2.
    int PosToPixel(int value) const;
    // Position of a thumb centre: trunc(min + (pixel - T / 2 - L) / (W - R - L - T) * (max - min)).
    int PixelToPos(int pixel) const;
    // The thumb centre kept on the channel: L + T / 2 .. W - R - T / 2.
    int ClampCentre(int pixel) const;

    // The offset a press keeps from the thumb's centre: a press more than T / 2 away makes the
    // thumb jump under the cursor (offset 0).
    int GrabOffset(int press) const;
    // The position a drag gives with the cursor at `pixel` and the grab offset; the thumb's
    // current centre keeps the current position.
    int DragPos(int pixel, int offset) const;

    // New position after a key (clamped).
    int KeyPos(Key key) const;
    // New position after a wheel turn of `delta` (120 a notch): pos + MulDiv(delta, -wheelRange, 120).
    int WheelPos(int delta) const;
};
