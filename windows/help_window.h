#pragma once

#include "ui/unloading_dialog.h"

class QPushButton;
class QTextEdit;

// The help window: shows the help document, read anew each time the window is made.
class HelpWindow : public UnloadingDialog {
    Q_OBJECT
public:
    // Files larger than this are not a help page; only their start is read.
    static constexpr qint64 MaxDocumentBytes = 8 << 20;

    explicit HelpWindow(const QString& documentPath, QWidget* parent = nullptr);

    QTextEdit* textBox = nullptr;
    QPushButton* okButton = nullptr;

private:
    // A missing, unreadable or broken document leaves the text empty or partial, without a message.
    void loadDocument(const QString& path);
};
