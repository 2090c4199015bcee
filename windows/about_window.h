#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about window: title, version, logo and the notices. Modal; Enter and Esc close it like "OK".
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    QLabel* logo = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* copyrightLabel = nullptr;
    QLabel* legalLabel = nullptr;
    QPushButton* okButton = nullptr;

protected:
    // Draws Line1, the etched separator between the header and the legal notice.
    void paintEvent(QPaintEvent* event) override;
};
