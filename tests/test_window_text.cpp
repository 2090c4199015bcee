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

// The commonest colour of a widget as drawn in its window (its background), and the strongest
// contrast of any of its pixels against it (its ink).
std::pair<QColor, qreal> drawnIn(QWidget& window, const QWidget& widget, int inset = 0)
{
    const QImage shot = window.grab().toImage();
    const QRect logical = QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size()).adjusted(inset, inset, -inset, -inset);
    const qreal ratio = shot.devicePixelRatio();
    const QRect area = QRectF(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio).toRect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[shot.pixel(x, y)];
    const QColor background(std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                             [](auto a, auto b) { return a.second < b.second; })->first);
    qreal ink = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        ink = std::max(ink, contrast(QColor(it.key()), background));
    return {background, ink};
}

// The text's pixel size, weight and face as the font engine chose them, and that it drew at scale:
// a face that cannot scale keeps its 1x glyphs on a 2x screen.
void verifyDrawnFont(const QWidget& widget, const QString& text, int pixelSize, bool bold)
{
    const QFontInfo info(widget.font());
    QCOMPARE(info.pixelSize(), pixelSize);
    QCOMPARE(info.bold(), bold);
    QVERIFY2(QFontDatabase::isSmoothlyScalable(info.family(), info.styleName()), qPrintable(info.family()));

    QLabel copy(text);
    copy.setFont(widget.font());
    copy.setStyleSheet(QStringLiteral("color: black; background: white; padding: 4px"));
    copy.setScreen(widget.screen());
    copy.adjustSize();
    const QImage drawn = copy.grab().toImage();
    QRect ink;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (qGray(drawn.pixel(x, y)) < 160)
                ink |= QRect(x, y, 1, 1);
    const qreal ratio = widget.devicePixelRatioF();
    QCOMPARE(drawn.devicePixelRatio(), ratio);
    const QRectF expected = QFontMetricsF(widget.font()).tightBoundingRect(text);
    QVERIFY2(std::abs(ink.height() - expected.height() * ratio) <= 2 * ratio
                 && std::abs(ink.width() - expected.width() * ratio) <= 3 * ratio,
             qPrintable(QStringLiteral("%1: ink %2x%3 px, expected %4x%5").arg(text).arg(ink.width()).arg(ink.height())
                            .arg(expected.width() * ratio).arg(expected.height() * ratio)));
    QVERIFY2(QFontMetrics(widget.font()).horizontalAdvance(text) <= widget.contentsRect().width(),
             qPrintable(text + QStringLiteral(" does not fit its box")));
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

    void labelsDrawTheirFontAtSizeAndWeight()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        StatusPanel& panel = form.panel();
        for (QLabel* label : {panel.undoCaption, panel.pegsLeftCaption, panel.timeCaption, panel.boardNameLabel,
                              panel.topPlayerCaption})
            verifyDrawnFont(*label, label->text(), 11, true);
        const QFontInfo topName(panel.topName->font());
        QVERIFY(topName.family() == QStringLiteral("Liberation Sans") && topName.pixelSize() == 11 && !topName.bold());
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

    void ownBackgroundsAndTheHelpPageKeepTheirTextReadableOnADarkDesktop()
    {
        qApp->setPalette(QPalette(QColor(40, 40, 40))); // light text on dark grey
        HighScoreWindow scores(QStringLiteral("Classic"), oneEntry(QStringLiteral("Wendell")));
        AboutWindow about;
        NameEntryWindow entry;
        MainWindowHarness h;
        MainWindow& form = h.form();
        StatusPanel& panel = form.panel();
        const std::vector<std::tuple<QWidget*, QLabel*, qreal>> texts{
            {&scores, &scores.title(), 4.5}, {&scores, &scores.nameLabel(1), 4.5}, {&scores, &scores.scoreLabel(1), 4.5},
            {&scores, &scores.timeLabel(1), 4.5}, {&about, about.titleLabel, 4.5}, {&about, about.legalLabel, 4.5},
            {&entry, &entry.prompt(), 4.5}, {&form, panel.undoCaption, 3}, {&form, panel.titleLabel, 3}};
        for (const auto& [window, label, least] : texts) {
            window->show();
            QVERIFY2(drawnIn(*window, *label).second >= least, qPrintable(label->text()));
        }
        // The paused box looks like a disabled text box: a white field with grey, not black, text.
        form.newGame();
        form.togglePause();
        const auto [field, ink] = drawnIn(form, form.pausedBox(), 3);
        QCOMPARE(field, QColor(Qt::white));
        QVERIFY2(ink > 2.5 && ink < 10, qPrintable(QString::number(ink)));

        // Help keeps a white page.
        HelpWindow help(QStringLiteral(HOPNIX_SOURCE_DIR "/assets/PegHelp.rtf"));
        help.show();
        QWidget& page = *help.textBox->viewport();
        QVERIFY(!help.textBox->document()->isEmpty());
        const QColor paper = drawnIn(help, page).first;
        QCOMPARE(paper, QColor(Qt::white));
        // Every run of the document, coloured headings and default text alike, stands out from the page.
        for (QTextBlock block = help.textBox->document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                const QColor colour = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                                        : page.palette().color(QPalette::Text);
                QVERIFY2(contrast(colour, paper) >= 3, qPrintable(it.fragment().text()));
            }
        qApp->setPalette(QPalette());
    }

    void picturesAreResampledSmoothly()
    {
        MainWindowHarness h;
        const qreal ratio = h.form().devicePixelRatioF();
        if (qFuzzyCompare(ratio, 1.0))
            QSKIP("drawn 1:1 at this scale");
        // Repeated pixels would make every ratio-sized block of a cell one colour.
        const QImage cell = h.form().boardView().cell(3, 4)->grab().toImage();
        const int step = static_cast<int>(ratio);
        int blended = 0;
        for (int y = 0; y + step <= cell.height(); y += step)
            for (int x = 0; x + step <= cell.width(); x += step)
                blended += cell.pixel(x, y) != cell.pixel(x + step - 1, y + step - 1) ? 1 : 0;
        QVERIFY(blended > 20);
        QCOMPARE(AboutWindow().logo->pixmap().devicePixelRatio(), ratio);
    }

    void markupNamesFromTheScoreFileShowAsText()
    {
        for (const QString name : {"<u>bo</u>xyz", "<img src=\"/dev/zero\">"}) {
            MainWindowHarness h;
            h.scores.table(1) = oneEntry(name);
            QVERIFY(h.scores.saveScoreTable(1));
            h.scores.table(1) = HighScoreTable();
            h.scores.loadScoreTable(1);
            h.chooseBoard(1);
            QLabel& top = *h.form().panel().topName;
            QCOMPARE(top.text(), name.toUpper());
            // Every character of the markup is laid out, none is swallowed as a tag.
            QVERIFY(top.textFormat() == Qt::PlainText && top.sizeHint().width() >= top.fontMetrics().horizontalAdvance(top.text()));
            HighScoreWindow window(QStringLiteral("Classic"), h.scores.table(1));
            QLabel& row = window.nameLabel(1);
            QVERIFY(row.text() == name && row.sizeHint().width() >= row.fontMetrics().horizontalAdvance(name));
        }
    }

    void splashCaptionIsBlank()
    {
        SplashWindow splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash) && splash.windowHandle()->title().trimmed().isEmpty());
    }

    void splashDrawsAllItsContentInItsFirstFrame()
    {
        // The splash makes its content after it is shown; the first frame must still have all of it.
        SplashWindow splash;
        QStringList texts;
        bool painted = false;
        bool pictures = false;
        connect(&splash, &SplashWindow::firstPainted, &splash, [&] {
            painted = true;
            for (const QLabel* label : splash.findChildren<QLabel*>()) {
                if (label->isVisible() && !label->text().isEmpty())
                    texts << label->text();
            }
            pictures = !splash.windowIcon().isNull() && splash.logo != nullptr && splash.logo->isVisible()
                && !splash.logo->pixmap().isNull();
        });
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QTRY_VERIFY(painted);
        texts.sort();
        QCOMPARE(texts, QStringList({"Freeware 2026", "Hopnix", "Tarnwick", "Version 3.3.0"}));
        QVERIFY(pictures);
    }
};

QTEST_MAIN(TestWindowText)
#include "test_window_text.moc"
