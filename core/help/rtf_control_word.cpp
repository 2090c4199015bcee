#include "core/help/rtf_control_word.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using W = RtfControlWord;

struct Entry {
    std::string_view name;
    RtfControlWord word;
};

// Paragraph ends that RTF spells differently (rows, pages, sections) share Par;
// underline styles share UlStyle; background shadings share Highlight.
constexpr Entry Words[] = {
    {"ansi", W::Ansi}, {"mac", W::Mac}, {"pc", W::Pc}, {"pca", W::Pca}, {"ansicpg", W::Ansicpg},
    {"deff", W::Deff}, {"f", W::F}, {"fcharset", W::Fcharset}, {"cpg", W::Cpg},
    {"red", W::Red}, {"green", W::Green}, {"blue", W::Blue},
    {"plain", W::Plain}, {"b", W::B}, {"i", W::I}, {"ul", W::Ul}, {"ulnone", W::Ulnone},
    {"uld", W::UlStyle}, {"uldash", W::UlStyle}, {"uldashd", W::UlStyle}, {"uldashdd", W::UlStyle},
    {"uldb", W::UlStyle}, {"ulhwave", W::UlStyle}, {"ulldash", W::UlStyle}, {"ulth", W::UlStyle},
    {"ulthd", W::UlStyle}, {"ulthdash", W::UlStyle}, {"ulthdashd", W::UlStyle},
    {"ulthdashdd", W::UlStyle}, {"ulthldash", W::UlStyle}, {"ululdbwave", W::UlStyle},
    {"ulw", W::UlStyle}, {"ulwave", W::UlStyle},
    {"strike", W::Strike}, {"striked", W::Strike}, {"fs", W::Fs}, {"cf", W::Cf},
    {"highlight", W::Highlight}, {"cb", W::Highlight}, {"chcbpat", W::Highlight},
    {"par", W::Par}, {"row", W::Par}, {"page", W::Par}, {"sect", W::Par}, {"pard", W::Pard},
    {"line", W::Line}, {"tab", W::Tab}, {"cell", W::Cell},
    {"ql", W::Ql}, {"qc", W::Qc}, {"qr", W::Qr}, {"qj", W::Qj},
    {"li", W::Li}, {"lin", W::Li}, {"ri", W::Ri}, {"rin", W::Ri}, {"fi", W::Fi},
    {"sb", W::Sb}, {"sa", W::Sa},
    {"u", W::U}, {"uc", W::Uc}, {"bin", W::Bin},
    {"fonttbl", W::Fonttbl}, {"colortbl", W::Colortbl}, {"pntext", W::BulletText},
    {"listtext", W::BulletText},
    {"emdash", W::Emdash}, {"endash", W::Endash}, {"bullet", W::Bullet}, {"lquote", W::Lquote},
    {"rquote", W::Rquote}, {"ldblquote", W::Ldblquote}, {"rdblquote", W::Rdblquote},
    {"emspace", W::Emspace}, {"enspace", W::Enspace}, {"qmspace", W::Qmspace},
    // Destinations whose contents are never shown.
    {"stylesheet", W::SkippedDestination}, {"info", W::SkippedDestination},
    {"pict", W::SkippedDestination}, {"themedata", W::SkippedDestination},
    {"colorschememapping", W::SkippedDestination}, {"latentstyles", W::SkippedDestination},
    {"datastore", W::SkippedDestination}, {"xmlnstbl", W::SkippedDestination},
    {"listtable", W::SkippedDestination}, {"listoverridetable", W::SkippedDestination},
    {"rsidtbl", W::SkippedDestination}, {"generator", W::SkippedDestination},
    {"header", W::SkippedDestination}, {"headerl", W::SkippedDestination},
    {"headerr", W::SkippedDestination}, {"headerf", W::SkippedDestination},
    {"footer", W::SkippedDestination}, {"footerl", W::SkippedDestination},
    {"footerr", W::SkippedDestination}, {"footerf", W::SkippedDestination},
    {"footnote", W::SkippedDestination}, {"annotation", W::SkippedDestination},
    {"atnid", W::SkippedDestination}, {"atnauthor", W::SkippedDestination},
    {"fldinst", W::SkippedDestination}, {"object", W::SkippedDestination},
    {"objdata", W::SkippedDestination}, {"nonshppict", W::SkippedDestination},
    {"shp", W::SkippedDestination}, {"shpinst", W::SkippedDestination},
    {"pn", W::SkippedDestination}, {"pgdsctbl", W::SkippedDestination},
    {"revtbl", W::SkippedDestination}, {"filetbl", W::SkippedDestination},
    {"template", W::SkippedDestination}, {"docvar", W::SkippedDestination},
    {"falt", W::SkippedDestination}, {"panose", W::SkippedDestination},
    {"fname", W::SkippedDestination}, {"bkmkstart", W::SkippedDestination},
    {"bkmkend", W::SkippedDestination}, {"xe", W::SkippedDestination},
    {"tc", W::SkippedDestination}, {"txe", W::SkippedDestination},
    {"userprops", W::SkippedDestination}, {"mmathPr", W::SkippedDestination},
    {"ftnsep", W::SkippedDestination}, {"ftnsepc", W::SkippedDestination},
    {"ftncn", W::SkippedDestination}, {"aftnsep", W::SkippedDestination},
    {"aftnsepc", W::SkippedDestination}, {"aftncn", W::SkippedDestination},
    {"listpicture", W::SkippedDestination}, {"pxe", W::SkippedDestination},
    {"protusertbl", W::SkippedDestination}, {"wgrffmtfilter", W::SkippedDestination},
};

constexpr auto sortedWords()
{
    std::array<Entry, std::size(Words)> sorted{};
    std::copy(std::begin(Words), std::end(Words), sorted.begin());
    std::sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return sorted;
}

constexpr auto Sorted = sortedWords();

} // namespace

RtfControlWord rtfControlWord(QByteArrayView name)
{
    const std::string_view key(name.data(), static_cast<std::size_t>(name.size()));
    const auto* found = std::lower_bound(Sorted.begin(), Sorted.end(), key,
        [](const Entry& entry, std::string_view wanted) { return entry.name < wanted; });
    return found != Sorted.end() && found->name == key ? found->word : W::Unknown;
}
