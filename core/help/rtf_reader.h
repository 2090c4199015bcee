#pragma once

#include "core/help/rtf_codepage_decoder.h"
#include "core/help/rtf_colour_table.h"
#include "core/help/rtf_control_word.h"
#include "core/help/rtf_document.h"
#include "core/help/rtf_document_writer.h"
#include "core/help/rtf_font_table.h"
#include "core/help/rtf_tokenizer.h"

#include <QByteArray>

#include <vector>

// Reads the RTF a word processor writes for a page of formatted text.
// Anything it does not understand is passed over; broken input gives what could be read,
// in time linear in its length and in bounded memory.
class RtfReader {
public:
    // Deeper groups are counted but not kept: their contents are dropped.
    static constexpr int MaxDepth = 200;

    // Input that does not begin with "{\rtf" is not RTF and gives an empty document.
    static RtfDocument read(QByteArrayView rtf);

private:
    enum class Destination { Body, Bullet, FontTable, ColourTable, Skip };

    // What a group saves and restores.
    struct GroupState {
        Destination destination = Destination::Body;
        // Its family is left empty here and filled in from the font table when text is written.
        RtfCharFormat format;
        // -1: the document's default font.
        int font = -1;
        RtfParagraphFormat paragraph;
        int unicodeSkip = 1;
    };

    explicit RtfReader(QByteArrayView body) : tokens_(body) {}
    RtfDocument run();
    // False once the outermost group has closed.
    bool handle(const RtfTokenizer::Token& token);
    void openGroup();
    bool closeGroup();
    void text(QByteArrayView bytes);
    void controlWord(const RtfTokenizer::Token& token);
    bool destinationWord(RtfControlWord word);
    void bodyWord(RtfControlWord word, const RtfTokenizer::Token& token);
    bool characterWord(RtfControlWord word, const RtfTokenizer::Token& token);
    bool paragraphWord(RtfControlWord word, int parameter);
    bool specialCharacterWord(RtfControlWord word);
    void controlSymbol(char symbol);

    void emitBytes(QByteArrayView bytes);
    void emitText(QStringView text);
    void flushBytes();
    void endParagraph();
    RtfCharFormat resolvedFormat(const GroupState& group) const;
    int codepage(const GroupState& group) const;
    GroupState& state() { return stack_.back(); }

    RtfTokenizer tokens_;
    RtfDocumentWriter writer_;
    RtfCodepageDecoder decoder_;
    std::vector<GroupState> stack_;
    // The state of the outermost group as it closed; formats a last paragraph without \par.
    GroupState finalState_;
    int skippedDepth_ = 0;
    bool atGroupStart_ = false;
    // Characters still to drop after \uN.
    int unicodeSkip_ = 0;
    int documentCodepage_ = RtfCodepageDecoder::Windows1252;
    int defaultFont_ = 0;
    RtfFontTable fonts_;
    RtfColourTable colours_;
    // Text bytes are gathered so that double-byte code pages see both bytes of a character.
    QByteArray pendingBytes_;
    int pendingCodepage_ = RtfCodepageDecoder::Windows1252;
    RtfCharFormat pendingFormat_;
};
