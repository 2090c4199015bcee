// What the windows draw: fonts at their size and weight on any scale, readable colours on a dark
// desktop, smooth pictures, and names from players and files shown as they are.
#include "ui/picture_cell.h"
#include "ui/board_view.h"
#include "windows/about_window.h"
#include "windows/game_over_window.h"
#include "windows/help_window.h"
#include "windows/high_score_window.h"
#include "windows/main_window.h"
#include "windows/name_entry_window.h"
#include "windows/splash_window.h"
#include "windows/status_panel.h"
#include "core/scores/high_score_table.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <cmath>

namespace {

qreal luminance(QColor c)
{
    const auto channel = [](float v) { return v <= 0.03928f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Contrast as accessibility guidelines count it: 1 for equal colours, 21 for black on white.
qreal contrast(QColor a, QColor b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a text widget shows of itself inside its window: the commonest colour (the background) and
// the strongest contrast of any pixel against it (the ink).
struct Drawn {
    QColor background;
    qreal inkContrast = 1;
};

Drawn drawnIn(QWidget& window, const QWidget& widget, int inset = 0)
{
    const QImage shot = window.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const QRect logical = QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size()).adjusted(inset, inset, -inset, -inset);
    const QRect area = QRectF(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio).toRect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[shot.pixel(x, y)];
    Drawn drawn;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            drawn.background = QColor(it.key());
        }
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            drawn.inkContrast = std::max(drawn.inkContrast, contrast(QColor(shot.pixel(x, y)), drawn.background));
        }
    return drawn;
}

// The text drawn alone in black on white with a widget's font, on the widget's screen.
QImage drawnText(const QWidget& widget, const QString& text, const QFont& font)
{
    QLabel copy(text);
    copy.setFont(font);
    QPalette blackOnWhite;
    blackOnWhite.setColor(QPalette::WindowText, Qt::black);
    blackOnWhite.setColor(QPalette::Window, Qt::white);
    copy.setPalette(blackOnWhite);
    copy.setAutoFillBackground(true);
    copy.setContentsMargins(4, 4, 4, 4);
    copy.adjustSize();
    copy.setScreen(widget.screen());
    return copy.grab().toImage();
}

QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                box |= QRect(x, y, 1, 1);
    return box;
}

qreal darkness(const QImage& image)
{
    qreal ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - qGray(image.pixel(x, y));
    return ink;
}

// The text's pixel size, weight and face as the font engine chose them, and that it drew at scale.
void verifyDrawnFont(const QWidget& widget, const QString& text, int pixelSize, bool bold)
{
    const QFontInfo info(widget.font());
    QCOMPARE(info.pixelSize(), pixelSize);
    QCOMPARE(info.bold(), bold);
    QVERIFY2(QFontDatabase::isSmoothlyScalable(info.family(), info.styleName()), qPrintable(info.family()));

    // A face that cannot scale keeps its 1x glyphs on a 2x screen; these letters are as tall and as
    // wide as the layout expects.
    const QImage drawn = drawnText(widget, text, widget.font());
    const QRect ink = inkBox(drawn);
    const qreal ratio = drawn.devicePixelRatio();
    QCOMPARE(ratio, widget.devicePixelRatioF());
    const QRectF expected = QFontMetricsF(widget.font()).tightBoundingRect(text);
    QVERIFY2(std::abs(ink.height() - expected.height() * ratio) <= 2 * ratio,
             qPrintable(QStringLiteral("%1: ink %2 px high, expected %3").arg(text).arg(ink.height()).arg(expected.height() * ratio)));
    QVERIFY2(std::abs(ink.width() - expected.width() * ratio) <= 3 * ratio,
             qPrintable(QStringLiteral("%1: ink %2 px wide, expected %3").arg(text).arg(ink.width()).arg(expected.width() * ratio)));
    QVERIFY2(QFontMetrics(widget.font()).horizontalAdvance(text) <= widget.contentsRect().width(),
             qPrintable(text + QStringLiteral(" does not fit its box")));
    if (bold) {
        // Bold strokes are about twice as wide: clearly more ink than the regular weight.
        QFont regular = widget.font();
        regular.setBold(false);
        const qreal weight = darkness(drawn) / darkness(drawnText(widget, text, regular));
        QVERIFY2(weight > 1.3, qPrintable(QStringLiteral("%1: bold has %2 times the ink").arg(text).arg(weight)));
    }
}

// A score table with one entry, as a file of the program would hold it.
HighScoreTable oneEntry(const QString& name)
{
    HighScoreTable table;
    table.append({name, 2, 100.0 / 86400.0});
    return table;
}

} // namespace

class TestWindowText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The scaled run of this test must really run scaled.
        const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
        if (!scale.isEmpty())
            QCOMPARE(qApp->devicePixelRatio(), scale.toDouble());
    }

    void statusColumnBoldLabels()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        StatusPanel& panel = form.panel();
        for (QLabel* label : {panel.undoCaption, panel.pegsLeftCaption, panel.timeCaption, panel.boardNameLabel,
                              panel.topPlayerCaption}) {
            verifyDrawnFont(*label, label->text(), 11, true);
        }
        for (QLabel* label : {panel.topName, panel.topScore, panel.topTime}) {
            const QFontInfo info(label->font());
            QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(info.pixelSize(), 11);
            QVERIFY(!info.bold());
        }
    }

    void largerTexts()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.newGame();
        form.togglePause();
        verifyDrawnFont(form.pausedBox(), form.pausedBox().text().trimmed(), 18, false);

        GameOverWindow over(8);
        verifyDrawnFont(*over.heading, over.heading->text(), 16, true);

        HighScoreWindow scores(QStringLiteral("Square 6x6"), oneEntry(QStringLiteral("Wendell")));
        verifyDrawnFont(scores.title(), scores.title().text(), 16, false);
        verifyDrawnFont(scores.nameLabel(1), QStringLiteral("Wendell"), 11, true);
        verifyDrawnFont(scores.timeLabel(1), QStringLiteral("00:01:40"), 11, true);
    }

    void ownBackgroundsKeepTheirTextReadableOnADarkDesktop()
    {
        qApp->setPalette(QPalette(QColor(40, 40, 40))); // light text on dark grey
        HighScoreWindow scores(QStringLiteral("Classic"), oneEntry(QStringLiteral("Wendell")));
        scores.show();
        for (QLabel* label : {&scores.title(), &scores.nameLabel(1), &scores.scoreLabel(1), &scores.timeLabel(1)}) {
            const Drawn drawn = drawnIn(scores, *label);
            QVERIFY2(drawn.inkContrast >= 4.5, qPrintable(label->text()));
        }

        MainWindowHarness h;
        MainWindow& form = h.form();
        StatusPanel& panel = form.panel();
        for (QLabel* label : {panel.undoCaption, panel.topPlayerCaption, panel.titleLabel})
            QVERIFY2(drawnIn(form, *label).inkContrast >= 3, qPrintable(label->text()));
        // The paused box looks like a disabled text box: a white field with grey, not black, text.
        form.newGame();
        form.togglePause();
        const Drawn paused = drawnIn(form, form.pausedBox(), 3);
        QCOMPARE(paused.background, QColor(Qt::white));
        QVERIFY2(paused.inkContrast > 2.5 && paused.inkContrast < 10, qPrintable(QString::number(paused.inkContrast)));

        AboutWindow about;
        about.show();
        for (QLabel* label : {about.titleLabel, about.versionLabel, about.legalLabel})
            QVERIFY2(drawnIn(about, *label).inkContrast >= 4.5, qPrintable(label->text()));

        NameEntryWindow entry;
        entry.show();
        QVERIFY(drawnIn(entry, entry.prompt()).inkContrast >= 4.5);
        qApp->setPalette(QPalette());
    }

    void helpKeepsAWhitePageOnADarkDesktop()
    {
        qApp->setPalette(QPalette(QColor(40, 40, 40))); // light text on dark grey
        HelpWindow help(QStringLiteral(HOPNIX_SOURCE_DIR "/assets/PegHelp.rtf"));
        help.show();
        QWidget& page = *help.textBox->viewport();
        QVERIFY(!help.textBox->document()->isEmpty());
        const Drawn drawn = drawnIn(help, page);
        QCOMPARE(drawn.background, QColor(Qt::white));
        // Every run of the document, coloured headings and default text alike, stands out from the page.
        for (QTextBlock block = help.textBox->document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                const QColor ink = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                                     : page.palette().color(QPalette::Text);
                QVERIFY2(contrast(ink, drawn.background) >= 3, qPrintable(it.fragment().text()));
            }
        qApp->setPalette(QPalette());
    }

    void picturesAreResampledSmoothly()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.show();
        const qreal ratio = form.devicePixelRatioF();
        if (qFuzzyCompare(ratio, 1.0))
            QSKIP("drawn 1:1 at this scale");
        // Repeated pixels would make every ratio-sized block of a cell one colour.
        const QImage cell = form.boardView().cell(3, 4)->grab().toImage();
        const int step = static_cast<int>(ratio);
        int blended = 0;
        for (int y = 0; y + step <= cell.height(); y += step)
            for (int x = 0; x + step <= cell.width(); x += step)
                blended += cell.pixel(x, y) != cell.pixel(x + step - 1, y + step - 1) ? 1 : 0;
        QVERIFY(blended > 20);

        AboutWindow about;
        const QPixmap logo = about.logo->pixmap();
        QCOMPARE(logo.devicePixelRatio(), ratio);
        QCOMPARE(logo.deviceIndependentSize().toSize(), QSize(50, 50));
    }

    void markupNamesFromTheScoreFileShowAsText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("underline") << QStringLiteral("<u>bo</u>xyz");
        QTest::newRow("image") << QStringLiteral("<img src=\"/dev/zero\">");
    }
    void markupNamesFromTheScoreFileShowAsText()
    {
        QFETCH(QString, name);
        MainWindowHarness h;
        h.scores.table(1) = oneEntry(name);
        QVERIFY(h.scores.saveScoreTable(1));
        h.scores.table(1) = HighScoreTable();
        h.scores.loadScoreTable(1);
        h.chooseBoard(1);
        QLabel& top = *h.form().panel().topName;
        QCOMPARE(top.text(), name.toUpper());
        QCOMPARE(top.textFormat(), Qt::PlainText);
        // Every character of the markup is laid out, none is swallowed as a tag.
        QVERIFY(top.sizeHint().width() >= top.fontMetrics().horizontalAdvance(name.toUpper()));

        HighScoreWindow window(QStringLiteral("Classic"), h.scores.table(1));
        QCOMPARE(window.nameLabel(1).text(), name);
        QVERIFY(window.nameLabel(1).sizeHint().width() >= window.nameLabel(1).fontMetrics().horizontalAdvance(name));
    }

    void splashCaptionIsBlank()
    {
        SplashWindow splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QVERIFY(splash.windowHandle()->title().trimmed().isEmpty());
    }
};

QTEST_MAIN(TestWindowText)
#include "test_window_text.moc"
