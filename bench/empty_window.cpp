// The floor the game's start is measured against: one empty fixed-size window of the splash's size, shown by
// a Qt Widgets program that does nothing else, with the GL stack kept out as the game keeps it out.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(296, 170);
    window.show();
    return QApplication::exec();
}
