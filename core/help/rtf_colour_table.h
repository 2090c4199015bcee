#pragma once

#include "core/help/rtf_control_word.h"

#include <QByteArrayView>

#include <optional>
#include <vector>

// The colours of a document's \colortbl as 0xRRGGBB; an entry without components is the automatic colour.
class RtfColourTable {
public:
    static constexpr int MaxColours = 1024;

    void controlWord(RtfControlWord word, int parameter);
    // Each ';' ends an entry.
    void text(QByteArrayView bytes);

    // None for the automatic colour and for indexes past the table.
    std::optional<quint32> colour(int index) const;

private:
    void endEntry();

    std::vector<std::optional<quint32>> colours_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool given_ = false;
};
