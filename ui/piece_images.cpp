#include "ui/piece_images.h"

#include "ui/built_in_picture.h"

#include <array>

namespace {

// Each style keeps its images under the names they were first drawn with, irregular spellings included.
struct Holder {
    const char* folder;
    std::array<const char*, 3> small;
    std::array<const char*, 3> large;
};

const std::array<Holder, PieceImages::StyleCount> holders{{
    {"swirl", {"SMarked", "SPegged", "SUnPegged"}, {"Marked", "PeggedImage", "UnPeggedImage"}},
    {"slate", {"SMarked", "SPegged", "SUnPegged"}, {"Marked", "Pegged", "UnPegged"}},
    {"aqua", {"SMarked", "SPegged", "SUnpegged"}, {"Marked", "Pegged", "UnPegged"}},
    {"cocktail", {"SMarked", "SPegged", "SUnPegged"}, {"Marked", "Pegged", "UnPegged"}},
}};

QPixmap image(const char* folder, const char* name)
{
    return BuiltInPicture::load(QStringLiteral(":/pieces/%1/%2.bmp").arg(QLatin1String(folder), QLatin1String(name)));
}

} // namespace

const QPixmap& PieceImages::Set::of(CellPicture picture) const
{
    switch (picture) {
    case CellPicture::Marked:
        return markedPicture;
    case CellPicture::Hole:
        return holePicture;
    case CellPicture::Peg:
        break;
    }
    return pegPicture;
}

PieceImages::Set PieceImages::load(int style, bool smallPieces)
{
    const Holder& holder = holders[static_cast<std::size_t>(qBound(1, style, StyleCount) - 1)];
    const auto& names = smallPieces ? holder.small : holder.large;
    return {image(holder.folder, names[0]), image(holder.folder, names[1]), image(holder.folder, names[2])};
}

QPixmap PieceImages::logo()
{
    return image("swirl", "PeggedImage");
}
