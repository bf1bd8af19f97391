#include "ui/aboutlinks.h"

const AboutLinkSpot kAboutLinkSpots[2] = {
    {AboutLink::Web, 240, 35, 240, 35, 385, 47},
    {AboutLink::Mail, 240, 49, 240, 49, 383, 61},
};

AboutLink aboutLinkAt(int x, int y)
{
    for (const AboutLinkSpot& spot : kAboutLinkSpots) {
        if (spot.left < x && x < spot.right && spot.top < y && y < spot.bottom)
            return spot.link;
    }
    return AboutLink::None;
}
