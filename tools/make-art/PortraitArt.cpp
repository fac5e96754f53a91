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
    return picture(16, 15,
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
}

PixelCanvas paladin()
{
    return picture(14, 16,
                   {
                       ".....kkkk.....",
                       "....kwLLmk....",
                       "...kwLLLLmk...",
                       "...kLkkkkmk...",
                       "...kkeeeekk...",
                       "...kkekekkk...",
                       "...kkeeeekk...",
                       "....kkeekk....",
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
    return picture(16, 16,
                   {
                       ".......kkk...kn.",
                       "......kgggk..kn.",
                       ".....kgglggk.k.n",
                       "....kgglgggGk..n",
                       "....kgkkkkkGk..n",
                       "...kggkeeeekGk.n",
                       "...kgkekeekkGk.n",
                       "...kgkeeEeekGk.n",
                       "...kgGkeeeekGkkn",
                       ".kGggGkkkkgGkeek",
                       "kGggGGGggggGkeek",
                       "kGgGbGGGGggGk.Ln",
                       "kGgbGGGGGggGk.n.",
                       "kGbGGGGGGGgGk.n.",
                       "kGGGGGGGGGGGkn..",
                       "kGGGGGGGGGGGkn..",
                   });
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

} // namespace

namespace PortraitArt {

PixelCanvas portrait(int classIndex)
{
    switch (classIndex) {
    case 0:
        return mage();
    case 1:
        return bard();
    case 2:
        return fighter();
    case 3:
        return druid();
    case 4:
        return tinker();
    case 5:
        return paladin();
    case 6:
        return ranger();
    case 7:
        return shepherd();
    default:
        std::fprintf(stderr, "make-art: no portrait %d\n", classIndex);
        std::abort();
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

} // namespace PortraitArt
