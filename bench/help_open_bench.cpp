// Time to open the help window on hostile help files of about 8 MB: the constructor (read and build), the
// first paint, and the layout of the whole text (what scrolling to its end costs). Prints one line per file.
// Usage: hopnix-help-bench [kilobytes]
#include "windows/help_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <cstdio>
#include <cstdlib>

namespace {

struct Shape {
    const char* name;
    QByteArray unit;
    // Zero: the unit fills the file.
    qsizetype count = 0;
};

QByteArray fill(const QList<Shape>& parts, qsizetype bytes)
{
    QByteArray body;
    for (const Shape& part : parts)
        body += part.unit.repeated(part.count > 0 ? part.count : bytes / part.unit.size());
    return "{\\rtf1 " + body + "}";
}

double ms(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qsizetype kilobytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 8 * 1024;
    const QList<QList<Shape>> files = {
        {{"alternating runs", "{\\b a}{\\i b}"}},
        {{"runs and breaks", "{\\b a}{\\i b}\\line "}},
        {{"runs in paragraphs", "{\\b a}{\\i b}{\\ul c}\\par "}},
        {{"one long word", "x"}},
        {{"long words", QByteArray(3000, 'x') + ' '}},
        {{"words", "word "}},
        {{"empty paragraphs", "\\par "}},
        // Just short of every limit of the reader at once, so no limit ends the reading early.
        {{"all limits", "{\\b a}{\\i b}", 2000}, {"", "x", 120000}, {"", "\\par ", 8000}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("PegHelp.rtf"));
    std::printf("%-20s %10s %10s %10s %10s\n", "file", "build ms", "shown ms", "laid ms", "total ms");
    for (const QList<Shape>& shape : files) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(fill(shape, kilobytes << 10)) < 0)
            return 1;
        file.close();
        QElapsedTimer total;
        total.start();
        QElapsedTimer step;
        step.start();
        HelpWindow help(path);
        const double built = ms(step);
        step.restart();
        help.show();
        if (!QTest::qWaitForWindowExposed(&help))
            return 1;
        help.repaint();
        const double shown = ms(step);
        step.restart();
        help.textBox->moveCursor(QTextCursor::End);
        help.textBox->ensureCursorVisible();
        QApplication::processEvents();
        help.repaint();
        const double laid = ms(step);
        std::printf("%-20s %10.0f %10.0f %10.0f %10.0f\n", shape.front().name, built, shown, laid, ms(total));
        std::fflush(stdout);
    }
    return 0;
}
