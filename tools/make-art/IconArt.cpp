#include "IconArt.h"

namespace IconArt {

PixelCanvas icon32()
{
    PixelCanvas c(32, 32, Transparent);
    // Globe: sea with a lit upper left, land masses, dark rim.
    const double cx = 16.0;
    const double cy = 19.5;
    const double r = 11.5;
    auto inside = [&](int x, int y) {
        const double dx = x + 0.5 - cx;
        const double dy = y + 0.5 - cy;
        return dx * dx + dy * dy <= r * r;
    };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            char key = 'u';
            if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
                key = 'k';
            } else if (dx + dy > 9.0) {
                key = 'B';
            } else if (dx + dy < -10.0) {
                key = 'c';
            }
            c.set(x, y, key);
        }
    }
    // Land, drawn over the sea only.
    c.stamp(6, 10,
            {
                "....gggg............",
                "..gglllgg......gg...",
                ".glllllggg....gllg..",
                "gllllggggg...glggg..",
                ".gllggGgg....gggGg..",
                "..gggGGg......ggG...",
                "...ggGg.............",
                "....gGg.......gg....",
                ".....gg......glgg...",
                ".....Gg.....glggGg..",
                "............gggGGg..",
                ".............gGGg...",
                "..............GG....",
            });
    // Keep the rim intact where land touched it.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (!inside(x, y) && c.at(x, y) != Transparent && y > 7) {
                c.set(x, y, Transparent);
            }
            if (inside(x, y) && (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1))) {
                c.set(x, y, 'k');
            }
        }
    }
    // Shine.
    c.set(10, 13, 'q');
    c.set(9, 14, 'q');
    c.set(11, 12, 'q');
    // Crown on top.
    c.stamp(5, 1,
            {
                "..k.......kk.......k..",
                ".kyk.....kyyk.....kyk.",
                ".kyk....kyrryk....kyk.",
                ".kyyk....kyyk....kyyk.",
                ".kyyyk...kyyk...kyyyk.",
                ".kyyyyk.kyyyyk.kyyyyk.",
                ".kyyyyykyyyyyykyyyyyk.",
                ".kyoyyyyyyoyyyyyyoyyk.",
                ".kyrkyyyykuukyyyykryk.",
                ".kyyyyyyyyyyyyyyyyyyk.",
                ".kooooooooooooooooook.",
                "..kkkkkkkkkkkkkkkkkk..",
            });
    return c;
}

PixelCanvas icon64()
{
    const PixelCanvas small = icon32();
    PixelCanvas big(64, 64, Transparent);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            big.set(x, y, small.at(x / 2, y / 2));
        }
    }
    return big;
}

PixelCanvas icon16()
{
    // Too small to take pixels from the 32-pixel picture: drawn on its own,
    // the same crown on the same globe.
    PixelCanvas c(16, 16, Transparent);
    c.stamp(0, 0,
            {
                "..k....kk....k..",
                ".kyk..kyyk..kyk.",
                ".kyyk.kyyk.kyyk.",
                ".kyyykyrryykyyk.",
                ".kyoyyyyyyyyoyk.",
                ".kooooooooooook.",
                ".kkkkkkkkkkkkkk.",
                ".kcglguuuuggluk.",
                "kcglgguuuugllgBk",
                "kcuggGuuuuugGuBk",
                "kuuugGuuuggguBBk",
                "kuuuuuuuugllgBBk",
                ".kuuuuuuuugGBBk.",
                ".kuuuuuuuuuBBBk.",
                "..kkuuuuuBBBkk..",
                "....kkkkkkkk....",
            });
    return c;
}

QImage desktopIcon(int size)
{
    const PixelCanvas base = size < 32 ? icon16() : icon32();
    return base.toArgbImage(Transparent).scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace IconArt
