// Where the about box's two links lie. No Windows headers: tested natively.
#pragma once

enum class AboutLink { None, Web, Mail };

// A link's text starts at (x, y); its hot rectangle is fixed and does not
// follow the length of the text (bounds exclusive).
struct AboutLinkSpot {
    AboutLink link;
    int x, y;
    int left, top, right, bottom;
};
extern const AboutLinkSpot kAboutLinkSpots[2];

// The link whose hot rectangle holds the client point.
AboutLink aboutLinkAt(int x, int y);
