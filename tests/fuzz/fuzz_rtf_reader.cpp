#include "core/help/rtf_reader.h"

#include <cstddef>
#include <cstdint>

// Any bytes must read without a crash, a hang or unbounded memory.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RtfDocument document = RtfReader::read(QByteArrayView(data, static_cast<qsizetype>(size)));
    (void)document.plainText();
    return 0;
}
