#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

// The help window: shows the help document, read anew each time the window is made.
class HelpFrm : public QDialog {
    Q_OBJECT
public:
    // Files larger than this are not a help page; only their start is read.
    static constexpr qint64 MaxDocumentBytes = 8 << 20;

    explicit HelpFrm(const QString& documentPath, QWidget* parent = nullptr);

    QTextEdit* RichTextBox1 = nullptr;
    QPushButton* Command1 = nullptr;

    void done(int result) override;

Q_SIGNALS:
    // The window is closing, by "OK" or by the close box, and is still on screen.
    void queryUnload();

private:
    // A missing, unreadable or broken document leaves the text empty or partial, without a message.
    void loadDocument(const QString& path);

    bool closing_ = false;
};
