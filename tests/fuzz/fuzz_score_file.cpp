// Feeds arbitrary bytes to the high-score file reader, then writes what loaded and reads it back:
// nothing may crash, and after one rewrite the file must be stable.
#include "core/scores/score_file.h"
#include "core/scores/time_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool sound(const HighScoreTable& table)
{
    for (int i = 1; i <= HighScoreTable::Slots; ++i) {
        const bool real = i <= table.count();
        if (real && (table.pegsAt(i) < 0 || table.pegsAt(i) >= HighScoreTable::EmptySlotPegs))
            return false;
        if (real && !(table.timeAt(i) >= 0.0 && table.timeAt(i) < ScoreFile::MaxDays))
            return false;
        if (!real && (table.pegsAt(i) != HighScoreTable::EmptySlotPegs || !table.nameAt(i).isEmpty() || table.timeAt(i) != 0.0))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const HighScoreTable loaded = ScoreFile::read(bytes);
    require(sound(loaded));

    const QByteArray written = ScoreFile::write(loaded);
    const HighScoreTable reread = ScoreFile::read(written);
    require(reread.count() == loaded.count());
    for (int i = 1; i <= loaded.count(); ++i) {
        require(reread.nameAt(i) == loaded.nameAt(i));
        require(reread.pegsAt(i) == loaded.pegsAt(i));
        // Fifteen digits keep a time to far better than a second.
        require(std::fabs(reread.timeAt(i) - loaded.timeAt(i)) <= 1e-12 * std::max(1.0, loaded.timeAt(i)));
    }
    require(ScoreFile::write(reread) == written);
    return 0;
}
