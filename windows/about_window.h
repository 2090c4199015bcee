#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about window: title, version, logo and the notices. Modal; Enter and Esc close it like "OK".
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    // Draws Line1, the etched separator between the header and the legal notice.
    void paintEvent(QPaintEvent* event) override;
};
