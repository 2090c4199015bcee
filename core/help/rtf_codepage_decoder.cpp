#include "core/help/rtf_codepage_decoder.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; its five holes stay C1 codes, as Windows maps them.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Greek letters of the Symbol font at 0x41..0x5A and 0x61..0x7A.
constexpr char16_t SymbolUpper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
constexpr char16_t SymbolLower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";

struct Glyph {
    unsigned char byte;
    char16_t unicode;
};

constexpr Glyph SymbolGlyphs[] = {
    {0xA3, u'≤'}, {0xA5, u'∞'}, {0xA7, u'♣'}, {0xA8, u'♦'}, {0xA9, u'♥'}, {0xAA, u'♠'},
    {0xAB, u'↔'}, {0xAC, u'←'}, {0xAD, u'↑'}, {0xAE, u'→'}, {0xAF, u'↓'}, {0xB0, u'°'},
    {0xB1, u'±'}, {0xB3, u'≥'}, {0xB4, u'×'}, {0xB7, u'•'}, {0xB8, u'÷'}, {0xB9, u'≠'},
    {0xBA, u'≡'}, {0xBB, u'≈'}, {0xBC, u'…'}, {0xD2, u'®'}, {0xD3, u'©'}, {0xD4, u'™'},
    {0xD6, u'√'}, {0xE0, u'◊'}, {0xE2, u'®'}, {0xE3, u'©'}, {0xE4, u'™'}};

constexpr Glyph WingdingsGlyphs[] = {
    {0x4A, u'☺'}, {0x6C, u'●'}, {0x6E, u'■'}, {0x71, u'❑'}, {0x75, u'◆'}, {0x76, u'❖'},
    {0x9F, u'•'}, {0xA7, u'▪'}, {0xA8, u'◻'}, {0xD8, u'➢'}, {0xFB, u'✗'}, {0xFC, u'✓'},
    {0xFE, u'☑'}};

struct NamedCodepage {
    int codepage;
    const char* name;
};

constexpr NamedCodepage Supported[] = {
    {437, "IBM437"}, {850, "IBM850"}, {852, "IBM852"}, {866, "IBM866"}, {874, "windows-874"},
    {932, "windows-31j"}, {936, "GBK"}, {949, "windows-949"}, {950, "Big5"},
    {1250, "windows-1250"}, {1251, "windows-1251"}, {1253, "windows-1253"},
    {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"},
    {1257, "windows-1257"}, {1258, "windows-1258"}, {10000, "macintosh"}, {20866, "KOI8-R"},
    {65001, "UTF-8"}};

struct CharsetCodepage {
    int charset;
    int codepage;
};

constexpr CharsetCodepage Charsets[] = {
    {0, 1252}, {77, 10000}, {128, 932}, {134, 936}, {129, 949}, {136, 950}, {161, 1253},
    {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251},
    {222, 874}, {238, 1250}, {255, 437}};

char16_t cp1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t{byte};
}

template <std::size_t N>
char16_t lookUp(const Glyph (&glyphs)[N], unsigned char byte)
{
    const auto* found = std::find_if(std::begin(glyphs), std::end(glyphs), [byte](const Glyph& g) { return g.byte == byte; });
    return found == std::end(glyphs) ? char16_t{0} : found->unicode;
}

} // namespace

int RtfCodepageDecoder::forCharset(int charset, int documentCodepage, QStringView fontName)
{
    if (charset == 2)
        return fontName.contains(QLatin1String("wingdings"), Qt::CaseInsensitive) ? Wingdings : Symbol;
    for (const CharsetCodepage& entry : Charsets) {
        if (entry.charset == charset)
            return entry.codepage;
    }
    return documentCodepage;
}

QString RtfCodepageDecoder::decode(QByteArrayView bytes, int codepage)
{
    if (codepage == Symbol || codepage == Wingdings)
        return decodeSymbol(bytes, codepage);
    if (QStringDecoder* decoder = decoderFor(codepage))
        return decoder->decode(bytes);
    return decode1252(bytes);
}

QString RtfCodepageDecoder::decode1252(QByteArrayView bytes)
{
    QString result(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        result[i] = QChar(cp1252(static_cast<unsigned char>(bytes[i])));
    return result;
}

QString RtfCodepageDecoder::decodeSymbol(QByteArrayView bytes, int codepage)
{
    QString result(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        char16_t glyph = 0;
        if (codepage == Wingdings)
            glyph = lookUp(WingdingsGlyphs, byte);
        else if (byte >= 0x41 && byte <= 0x5A)
            glyph = SymbolUpper[byte - 0x41];
        else if (byte >= 0x61 && byte <= 0x7A)
            glyph = SymbolLower[byte - 0x61];
        else
            glyph = lookUp(SymbolGlyphs, byte);
        // Digits and punctuation sit where Windows-1252 has them.
        result[i] = QChar(glyph != 0 ? glyph : cp1252(byte));
    }
    return result;
}

QStringDecoder* RtfCodepageDecoder::decoderFor(int codepage)
{
    if (codepage == Windows1252)
        return nullptr;
    if (auto cached = decoders_.find(codepage); cached != decoders_.end())
        return cached->second.isValid() ? &cached->second : nullptr;
    const auto* named = std::find_if(std::begin(Supported), std::end(Supported),
        [codepage](const NamedCodepage& entry) { return entry.codepage == codepage; });
    if (named == std::end(Supported))
        return nullptr;
    // Stateless: a lead byte cut off at the end of one piece of text does not leak into the next.
    const auto it = decoders_.emplace(codepage, QStringDecoder(named->name, QStringConverter::Flag::Stateless)).first;
    return it->second.isValid() ? &it->second : nullptr;
}
