#include "PortraitArt.h"

#include <cstdio>
#include <cstdlib>

namespace {

// '.' in these pictures is the backdrop.
PixelCanvas picture(int w, int h, PixelCanvas::Rows rows)
{
    PixelCanvas c(w, h, 'z');
    c.paint(rows);
    return c;
}

PixelCanvas mage()
{
    return picture(16, 16,
                   {
                       "......k......kk.",
                       ".....kpk....kyyk",
                       ".....kppk...kyyk",
                       "....kpppk....kk.",
                       "....kppypk...nb.",
                       "...kpppppk...nb.",
                       ".kkkkkkkkkkk.nb.",
                       "...keeeeeek..nb.",
                       "...kekeekek..nb.",
                       "...kweeeewk..nb.",
                       "..kuwwwwwwukkeek",
                       "..kuuwwwwuukkeek",
                       ".kuuuBwwBuuuk.nb",
                       ".kuuuuBBuuuuk.nb",
                       "kuuuuuyuuuuuBknb",
                       "kuuuuuyuuuuuBknb",
                   });
}

PixelCanvas bard()
{
    return picture(12, 16,
                   {
                       "........r...",
                       "...kkkkkrr..",
                       "..kgggggrk..",
                       ".kkkkkkkkkk.",
                       "...keeeeek..",
                       "...kekekek..",
                       "...keeEeek..",
                       "....keeek...",
                       "..kkrrrrkk.n",
                       ".krrrrrrrkn.",
                       ".krrkkkkrnk.",
                       ".krkttttnrk.",
                       ".kkttbbtnkk.",
                       ".kttbbttkrk.",
                       ".kttttttkrk.",
                       "..kkkkkkrrk.",
                   });
}

PixelCanvas fighter()
{
    return picture(14, 16,
                   {
                       "...kkkkk...k..",
                       "..kLLLLmk.kwk.",
                       ".kLwLLLmmkkwk.",
                       ".kLLLLLmmkkwk.",
                       ".kkkkkkkkkkwk.",
                       ".kmkeeekmkkwk.",
                       ".kmeeEeemkkwk.",
                       ".kmmeeemmkkwk.",
                       "..kkkkkkk.kwk.",
                       ".kuuLLLuukyyyk",
                       "kuuuLLLuukeeek",
                       "kuuLLLLLuukbk.",
                       "kuuLLLLLuukyk.",
                       "kuuuLLLuuuk...",
                       "kuuuuLuuuuk...",
                       "kuuuuLuuuuk...",
                   });
}

PixelCanvas druid()
{
    return picture(16, 16,
                   {
                       "..l.....kkkk....",
                       ".lgl...kGGGGk...",
                       "lgGgl.kGggggGk..",
                       ".lnl.kGggggggGk.",
                       "..n..kGgkkkkgGk.",
                       "..n.kGgkeeeekgGk",
                       "..n.kGgkkeekkgGk",
                       "..n.kGgkeEeekgGk",
                       "..n.kGGknnnnkGGk",
                       "..nkkGGknnnnkGGk",
                       ".keekGGGknnkGGGk",
                       ".keekGGGGkkGGGGk",
                       "..nkGGGGGlGGGGGk",
                       "..nkGGGGlGlGGGGk",
                       "..nkGGGGGlGGGGGk",
                       "..nkGGGGGGGGGGGk",
                   });
}

PixelCanvas tinker()
{
    PixelCanvas c = picture(16, 15,
                            {
                                "....kkkkkkk.....",
                                "...kbnbnbnbk....",
                                "..kbnbnbnbnbk...",
                                "..kkkkkkkkkkk...",
                                "..kLLkkkkLLkk...",
                                "..LccLkkLccLk...",
                                "..kLLkeekLLkk...",
                                "..keeeeeeeeek...",
                                "...keeeEeeek....",
                                "....keeeeek..kk.",
                                "..kkknnnnnkkkmLk",
                                ".kttnntttnnkkmk.",
                                "kttnntttttnkmk..",
                                "kttnnnnnnnnkeek.",
                                "kttnnnnnnnnkeek.",
                            });
    // An open-jawed wrench raised in the right hand.
    c.fillRect(12, 4, 4, 11, 'z');
    c.stamp(11, 4,
            {
                ".k.k.",
                "kLkLk",
                "kLkLk",
                "kLLmk",
                ".kLk.",
                ".kLk.",
                ".kmk.",
                "kkmkk",
                "keeek",
                "keeek",
                "keeek",
            });
    return c;
}

PixelCanvas paladin()
{
    return picture(14, 16,
                   {
                       "......kk......",
                       ".....kyyk.....",
                       "....kwwLmk....",
                       "...kwLLLLmk...",
                       "...kLyyyyyk...",
                       "...kLkeekmk...",
                       "...kLeeEemk...",
                       "....kLeemk....",
                       ".kkkkwLLLmkk..",
                       "kwwwwkLyLLmLk.",
                       "kwwrwwkLLLLmmk",
                       "kwrrrwkLyLLmmk",
                       "kwwrwwkLLLLmmk",
                       "kwwrwwkLyLLLmk",
                       ".kwwwkLLLLLLmk",
                       "..kkkLLLLLLLmk",
                   });
}

PixelCanvas ranger()
{
    PixelCanvas c(16, 16, 'z');
    c.stamp(0, 0,
            {
                "....kkkk....",
                "...kgglgk...",
                "..kgglgggk..",
                ".kgglggggGk.",
                ".kgkkkkkkkGk",
                ".kgkeeeeekGk",
                ".kgkekekekGk",
                ".kgkeeEeekGk",
                "..kGkeeekGk.",
                "kGggGkkkgGGk",
                "kGgbgGGggGGk",
                "kGbgGGGggGGk",
                "kbgGGGGgGGGk",
                "kGGGGGGgGGGk",
                "kGGGGGGGGGGk",
                "kGGGGGGGGGGk",
            });
    // Longbow held upright at the right, string towards the ranger.
    c.vline(13, 1, 14, 'L');
    c.hline(13, 14, 0, 'n');
    c.hline(14, 15, 1, 'n');
    c.vline(15, 2, 13, 'n');
    c.hline(14, 15, 14, 'n');
    c.hline(13, 14, 15, 'n');
    c.stamp(11, 7, {"kkkk", "geee", "keek"});
    c.set(15, 7, 'b');
    c.set(15, 9, 'b');
    return c;
}

PixelCanvas shepherd()
{
    return picture(16, 16,
                   {
                       ".kkk............",
                       "kn.nk...kkkk....",
                       "kn..nk.kyyyyk...",
                       ".k..nkkytyytkk..",
                       "....nkyyyyyyyyk.",
                       "....kkkkkkkkkkkk",
                       "....nk.keeeek...",
                       "....nk.kekekk...",
                       "....nk.keeEek...",
                       "....nk.kbeebk...",
                       "....keekkbbkk...",
                       "....keekvvvvvk..",
                       "....nkvvvtvvvvk.",
                       "....nkvvvtvvvvk.",
                       "....nkvvvtvvvvk.",
                       "....nkvvvtvvvvk.",
                   });
}

}  // namespace

namespace PortraitArt {

PixelCanvas portrait(int classIndex)
{
    switch (classIndex) {
    case 0: return mage();
    case 1: return bard();
    case 2: return fighter();
    case 3: return druid();
    case 4: return tinker();
    case 5: return paladin();
    case 6: return ranger();
    case 7: return shepherd();
    default: std::fprintf(stderr, "make-art: no portrait %d\n", classIndex); std::abort();
    }
}

PixelCanvas herbs()
{
    return picture(16, 16,
                   {
                       "................",
                       "....kk....kk....",
                       "...klgk..kglk...",
                       "..klgGk.kGglk...",
                       "..kgGk.kkGgk.kk.",
                       "...kGkklgkGkkglk",
                       ".kk.kGkglkGkgGlk",
                       "klgkkGkgGkGkGgk.",
                       "kgGGkGkGkGkGGk..",
                       ".kkGGGGGGGGkk...",
                       "....kyrrrrk.....",
                       "...kntttttnk....",
                       "..kntttnttttk...",
                       "..knttttttnnk...",
                       "...knnnnnnnk....",
                       "....kkkkkkk.....",
                   });
}

}  // namespace PortraitArt
